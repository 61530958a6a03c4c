# The version as the version resource writes it, "1.02.0029": the major
# version, the minor in two digits and the revision (the project's fourth
# number) in four.
function(lorvane_version_string out)
  set(text "${PROJECT_VERSION_MAJOR}")
  foreach(part_and_width "${PROJECT_VERSION_MINOR};2" "${PROJECT_VERSION_TWEAK};4")
    list(GET part_and_width 0 part)
    list(GET part_and_width 1 width)
    string(LENGTH "${part}" length)
    math(EXPR padding "${width} - ${length}")
    string(REPEAT "0" ${padding} zeros)
    string(APPEND text ".${zeros}${part}")
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
