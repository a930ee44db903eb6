# Formats the manual page PAGE with GROFF and every warning on; any warning fails.
execute_process(COMMAND ${GROFF} -man -Tutf8 -ww -z ${PAGE} RESULT_VARIABLE result ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff (status ${result}):\n${warnings}")
endif()
