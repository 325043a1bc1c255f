# 32-bit Linux on this machine (Debian's g++-multilib): the plug-in, the
# stand-in's host core and their tests with 4-byte pointers, longs and
# alignment of 4 for the host records, as on 32-bit Windows. Its programs run
# here as they are. Only the libraries with an i386 build in the amd64
# archive exist for it (zlib: lib32z1-dev); what needs libpng, cairo, pango,
# GTK or zxing-cpp is left out (ORVELK_IMAGE_LIBS off).
#
# Not a cross build to CMake (no CMAKE_SYSTEM_NAME): the programs the build
# runs, such as the table generator, are run as they are, unless
# ORVELK_I386_EMULATOR names a user-mode emulator (qemu-i386) for a kernel
# that does not run 32-bit programs: then the build runs them, and the tests,
# through it.
if(ORVELK_I386_EMULATOR)
  set(CMAKE_SYSTEM_NAME Linux)
  set(CMAKE_SYSTEM_PROCESSOR i686)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVELK_I386_EMULATOR})
endif()
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-m32")

# Libraries from the 32-bit folders only: never this machine's 64-bit ones.
set(CMAKE_LIBRARY_PATH /usr/lib32)
set(CMAKE_IGNORE_PATH /usr/lib/x86_64-linux-gnu /lib/x86_64-linux-gnu)
