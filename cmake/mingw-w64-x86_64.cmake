# Cross build for 64-bit Windows with Debian's MinGW-w64 (the POSIX-thread
# variant, which C++ threads need). Programs built here run on this machine
# under Wine: the build runs the table generator through it, and CTest the
# test programs (scripts/wine_run.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORVELK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVELK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVELK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVELK_MINGW_TRIPLE}-windres)

# Headers and libraries of the target only; programs of this machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ORVELK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own runtime (libgcc, libstdc++, winpthread) linked in, so
# that the module and the programs need no DLL beside the system's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine_run.sh)
