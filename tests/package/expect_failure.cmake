# Runs COMMAND and passes when it fails and its standard error matches every
# regular expression of EXPECT. Both are lists separated by ^ (a CMake list's
# semicolons would split the test's command line).
string(REPLACE "^" ";" COMMAND "${COMMAND}")
string(REPLACE "^" ";" EXPECT "${EXPECT}")
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE status ERROR_VARIABLE errors)
if(status EQUAL 0)
  message(FATAL_ERROR "the command succeeded; it should have failed")
endif()
foreach(pattern IN LISTS EXPECT)
  if(NOT errors MATCHES "${pattern}")
    message(FATAL_ERROR "no message matching '${pattern}' in:\n${errors}")
  endif()
endforeach()
