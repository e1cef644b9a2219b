# Cross-compiling for 32-bit Windows (PE32, i386): the saver that runs on every Windows.
set(SCINTLE_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
