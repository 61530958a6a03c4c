# lorvane-cli installed under a prefix (cmake --install): the program in
# bin/, its data and the licences in share/lorvane/, and a manual page made
# from its own --help and --version; and the same as a Debian package
# (cpack, the native package preset).

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
  # The help text's tone marks and Hanzi are UTF-8: help2man reads and
  # writes them as such only in a UTF-8 locale.
  COMMAND ${LORVANE_HELP2MAN} --no-info --section=1 --locale=C.UTF-8 "--name=convert Chinese text to pinyin"
    --output=${manual_page} $<TARGET_FILE:lorvane-cli>
  DEPENDS lorvane-cli
  COMMENT "Making lorvane-cli's manual page from its --help and --version"
  VERBATIM)
add_custom_target(lorvane-cli-manual ALL DEPENDS ${manual_page})
install(FILES ${manual_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The project has no mail address yet: a packager sets their own.
set(LORVANE_DEB_MAINTAINER "Lorvane maintainers <maintainers@lorvane.invalid>" CACHE STRING
  "The Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lorvane-cli)
# CPack's default drops the fourth number of the version.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert Chinese text (Hanzi) to pinyin")
set(CPACK_PACKAGE_DESCRIPTION "lorvane-cli writes the pinyin of Chinese text in UTF-8, without tones,
with tone marks or with tone numbers. A character with several readings
gives one first and the others in parentheses: the most common, or with
--context the one that the words around it call for. It also reads
personal names (surname first), writes first letters, joins syllables
with any separator, keeps the text that is not Chinese, and takes the
user's own words.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${LORVANE_DEB_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The dependencies as dpkg-shlibdeps (dpkg-dev) finds them in the program.
# CPack writes the archive itself, without dpkg-deb or fakeroot.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
