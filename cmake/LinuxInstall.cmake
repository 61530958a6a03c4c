# lorvane-cli installed under a prefix (cmake --install): the program in
# bin/, its data and the licences in share/lorvane/, and a manual page made
# from its own --help and --version.

install(TARGETS lorvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
file(GLOB data_licences ${PROJECT_SOURCE_DIR}/data/LICENSE-*.txt)
install(FILES ${LORVANE_TABLE_SOURCE} ${data_licences} ${PROJECT_SOURCE_DIR}/LICENSE
  DESTINATION ${LORVANE_DATA_DESTINATION})
if(EXISTS ${LORVANE_WORDS_SOURCE})
  install(FILES ${LORVANE_WORDS_SOURCE} DESTINATION ${LORVANE_DATA_DESTINATION})
endif()

find_program(LORVANE_HELP2MAN help2man)
if(NOT LORVANE_HELP2MAN)
  message(FATAL_ERROR "help2man makes lorvane-cli's manual page and is not installed (apt-get install help2man)")
endif()
set(manual_page ${CMAKE_BINARY_DIR}/lorvane-cli.1)
add_custom_command(OUTPUT ${manual_page}
  COMMAND ${LORVANE_HELP2MAN} --no-info --section=1 "--name=convert Chinese text to toneless pinyin"
    --output=${manual_page} $<TARGET_FILE:lorvane-cli>
  DEPENDS lorvane-cli
  COMMENT "Making lorvane-cli's manual page from its --help and --version"
  VERBATIM)
add_custom_target(lorvane-cli-manual ALL DEPENDS ${manual_page})
install(FILES ${manual_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
