# A script file larger than the limit on nested script text still runs when
# the host runs it: only text nested inside an evaluation counts.
string(REPEAT "abcdefghijklmnopqrstuvwxyz012345" 1081344 filler) # 33 MiB
file(WRITE ${WORK}/large.tcl "set a {${filler}}\nputs \"length ok\"\n")
set(filler "")
execute_process(COMMAND ${EMULATOR} ${ZORAK} ${WORK}/large.tcl
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
file(REMOVE ${WORK}/large.tcl)
if(NOT status EQUAL 0 OR NOT out MATCHES "length ok")
  message(FATAL_ERROR "large script: status ${status}, output:\n${out}\n${err}")
endif()
