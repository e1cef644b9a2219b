# Cross-compiling for Windows with MinGW-w64 on Linux; included by the toolchain file
# of each processor (mingw-i686.cmake, mingw-x86_64.cmake), which names its triple.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${SCINTLE_MINGW_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${SCINTLE_MINGW_TRIPLE}-g++)
set(CMAKE_RC_COMPILER ${SCINTLE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SCINTLE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
