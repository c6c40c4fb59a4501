# Cross-building Korrin for 64-bit Windows with Debian's mingw-w64.
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=$PWD/cmake/mingw-w64-x86_64.cmake
# The POSIX thread flavour of the compilers: the default (win32) flavour of
# GCC 12 has no std::thread or std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KORRIN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KORRIN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORRIN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KORRIN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KORRIN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A static runtime: the programs import only the system's own libraries, so
# they run from a folder copied anywhere, with no compiler libraries beside
# them (Wine fails such a program silently when one is missing).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine, each once, with GoogleTest's own runner.
find_program(KORRIN_WINE wine)
if(KORRIN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KORRIN_WINE})
endif()
