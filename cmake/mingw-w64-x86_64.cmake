# Cross build for 64-bit Windows with Debian's MinGW-w64 compiler (package
# g++-mingw-w64-x86-64-posix, the one with C++ threads):
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Builds the core, velmora-cli.exe and their tests; the windowed program needs Qt for Windows
# and is built on Windows itself (see README). The programs are linked statically so that
# they run without the compiler's DLLs beside them; with wine64 installed, ctest runs the
# tests under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELMORA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER ${VELMORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_C_COMPILER ${VELMORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_RC_COMPILER ${VELMORA_MINGW_PREFIX}-windres)

# Libraries and packages come from the cross compiler's own tree only, never from the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Debian puts the 64-bit loader outside the PATH (package wine64); the wrapper "wine" of the
# package of that name serves as well.
find_program(VELMORA_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VELMORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMORA_WINE})
endif()

# The header-only libraries the command-line companion uses (CLI11, nlohmann-json) are
# platform-neutral; the build copies just those two folders from here, so that no other host
# header is seen.
set(VELMORA_HOST_HEADERS /usr/include CACHE PATH "Where the host's CLI/ and nlohmann/ headers are")
# GoogleTest is built from its sources with the cross compiler.
set(VELMORA_GTEST_SOURCES /usr/src/googletest CACHE PATH "GoogleTest's sources")

# Only the core and the command-line companion exist for this target.
set(VELMORA_GUI OFF CACHE BOOL "Build the windowed program (Qt 6)")
set(VELMORA_BENCHMARKS OFF CACHE BOOL "Build the benchmarks")
