# Cross build for 32-bit Windows with Debian's MinGW-w64 (i686): the module
# the host, a 32-bit program, loads. The win32 thread model: the plug-in uses
# no threads, and this variant's runtime calls nothing that Windows 2000 and
# XP lack (the POSIX-thread variant's winpthread imports GetTickCount64).
#
# There is no 32-bit Wine here, so nothing of this build is run: it builds the
# module and the package, and runs the table generator of a native build of
# its own (tools/qrtables/CMakeLists.txt).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ORVELK_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVELK_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${ORVELK_MINGW_TRIPLE}-g++-win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# Modules without their symbol table, as they are shipped.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -s")
