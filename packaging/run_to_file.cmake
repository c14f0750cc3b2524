# Runs a program and writes its standard output to a file; fails when the program fails.
#   cmake -DPROGRAM=<path> "-DARGUMENTS=<arguments separated by blanks>" -DOUTPUT=<file>
#         -P run_to_file.cmake
separate_arguments(arguments UNIX_COMMAND "${ARGUMENTS}")
execute_process(COMMAND ${PROGRAM} ${arguments} OUTPUT_FILE ${OUTPUT}.new RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUTPUT}.new)
  message(FATAL_ERROR "${PROGRAM} ${ARGUMENTS}: ${result}")
endif()
file(RENAME ${OUTPUT}.new ${OUTPUT})
