# Runs the table of tclsh_table.txt through the zorak host and through tclsh
# (tclsh_compare.tcl does the work). Without a tclsh the test says so and
# counts as skipped.
find_program(TCLSH NAMES tclsh tclsh8.6)
if(NOT TCLSH)
  message("SKIPPED: no tclsh on this machine to compare with")
  return()
endif()
execute_process(COMMAND ${TCLSH} ${SOURCE}/tclsh_compare.tcl ${ZORAK} ${SOURCE}/tclsh_table.txt
  ${WORK} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${out}${err}")
endif()
message("${out}")
