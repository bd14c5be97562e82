# Cross build for 64-bit Windows with Debian's mingw-w64 toolchain; the
# resulting executables run under 64-bit Wine, which needs neither i386
# packages nor a kernel that runs 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
# The 64-bit loader itself, not the `wine` command: on Debian that is a
# script that prefers the 32-bit loader and, without it, prints advice on
# installing it. Debian keeps the loader out of the PATH.
find_program(WINE64_PROGRAM wine64 PATHS /usr/lib/wine /usr/lib64/wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE64_PROGRAM})
