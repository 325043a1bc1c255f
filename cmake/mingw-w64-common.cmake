# What the MinGW-w64 toolchain files share. Each sets ORVELK_MINGW_TRIPLE
# and its compilers, then includes this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_RC_COMPILER ${ORVELK_MINGW_TRIPLE}-windres)

# Headers and libraries of the target only; programs of this machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ORVELK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own runtime (libgcc, libstdc++, and winpthread where the
# thread model has it) linked in, so that the module and the programs need
# no DLL beside the system's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
