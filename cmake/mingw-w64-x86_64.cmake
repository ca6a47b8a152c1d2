# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers. The posix
# thread model is the one whose C++ library has std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(kalvo_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${kalvo_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${kalvo_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${kalvo_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${kalvo_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Cross-built programs, the tests among them, run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
