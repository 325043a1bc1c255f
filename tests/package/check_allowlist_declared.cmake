# Holds the allowlist's system functions (KERNEL32, USER32, GDI32) to the
# MinGW-w64 headers set for Windows 2000 (_WIN32_WINNT and WINVER 0x0500):
# a function the headers keep for a later Windows (GetTickCount64 and the
# like) is undeclared there, and the compile fails naming it. The headers
# guard only some functions by version, so this cross-checks the list; it
# does not replace its sources.
#   cmake -DCOMPILER=... -DALLOWLIST=... -DWORK_DIR=... -P check_allowlist_declared.cmake
file(STRINGS "${ALLOWLIST}" lines REGEX "^(KERNEL32|USER32|GDI32) ")
if(NOT lines)
  message(FATAL_ERROR "no system functions in ${ALLOWLIST}")
endif()
set(source "#include <windows.h>\nvoid* const orvelk_allowed[] = {\n")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^[A-Z0-9]+ +([A-Za-z_0-9]+).*" "\\1" name "${line}")
  string(APPEND source "    (void*)&${name},\n")
endforeach()
string(APPEND source "};\n")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(WRITE "${WORK_DIR}/allowlist_declared.c" "${source}")
execute_process(
  COMMAND "${COMPILER}" -D_WIN32_WINNT=0x0500 -DWINVER=0x0500 -Werror -c allowlist_declared.c
          -o allowlist_declared.o
  WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE status ERROR_VARIABLE errors)
file(REMOVE_RECURSE "${WORK_DIR}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the allowlist names functions that Windows 2000's headers lack:\n${errors}")
endif()
