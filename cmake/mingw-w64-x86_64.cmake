# Cross build for 64-bit Windows with Debian's MinGW-w64 (the POSIX-thread
# variant, which C++ threads need). Programs built here run on this machine
# under Wine: the build runs the table generator through it, and CTest the
# test programs (scripts/wine_run.sh).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORVELK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVELK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVELK_MINGW_TRIPLE}-g++-posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine_run.sh)
