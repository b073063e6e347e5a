# How the host takes script text. A script file larger than the limit on
# nested script text still runs when the host runs it: only text nested
# inside an evaluation counts.
string(REPEAT "abcdefghijklmnopqrstuvwxyz012345" 1081344 filler) # 33 MiB
file(WRITE ${WORK}/large.tcl "set a {${filler}}\nputs \"length ok\"\n")
set(filler "")
execute_process(COMMAND ${EMULATOR} ${ZORAK} ${WORK}/large.tcl
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
file(REMOVE ${WORK}/large.tcl)
if(NOT status EQUAL 0 OR NOT out MATCHES "length ok")
  message(FATAL_ERROR "large script: status ${status}, output:\n${out}\n${err}")
endif()

# Standard input: a zero byte is refused with its place, status 1, nothing
# run; lone carriage returns end lines.
execute_process(COMMAND printf "puts first\\nputs a\\0b\\nputs after\\n"
  COMMAND ${EMULATOR} ${ZORAK} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR out MATCHES "first" OR NOT err MATCHES "zero byte at offset 17, line 2")
  message(FATAL_ERROR "zero byte on standard input: status ${status}\n${out}\n${err}")
endif()
execute_process(COMMAND printf "# comment\\rputs visible\\rexit 4\\r"
  COMMAND ${EMULATOR} ${ZORAK} OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 4 OR NOT out MATCHES "visible")
  message(FATAL_ERROR "carriage-return lines on standard input: status ${status}\n${out}")
endif()
