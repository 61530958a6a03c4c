set(LORVANE_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# ctest runs the Windows test programs under Wine's 32-bit loader, in a
# prefix made after the 32-bit half of Wine was installed.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
