# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-building for 64-bit Windows with Debian's MinGW-w64, for the toolkit, GMP and MPFR
# (windows.sh) and for Vertex2 itself. The posix-thread compilers, because Qt uses std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)

# Libraries and headers come from MinGW's own tree and from the folders built for Windows
# (CMAKE_PREFIX_PATH); programs from this machine.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The tools that build Qt programs (moc, rcc, uic) are this machine's, Debian's Qt, whose CMake
# files lie in the multiarch folder of the machine that builds.
set(QT_HOST_PATH /usr CACHE PATH "Where the host's Qt is")
execute_process(COMMAND dpkg-architecture -qDEB_BUILD_MULTIARCH
    OUTPUT_VARIABLE multiarch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${multiarch}/cmake CACHE PATH "The host's Qt's CMake files")
