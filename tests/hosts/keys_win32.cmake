# Single keys from redirected standard input on Windows, from a file and from
# a pipe: bytes as keys, a "\r\n" or a lone "\n" as one Enter (13), and the
# end of input as Escape (27), again and again.
set(script "puts [getkey -integer]; puts [inkey]; puts [inkey]; puts [getkey -integer]; puts [waitkey 100]; puts [inkey]; puts [getkey -integer]")
set(expected "97\n13\n98\n13\n90\n27\n27\n")
set(keys ${WORK}/keys.txt)
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${keys} "a\r\nb\nZ")

execute_process(COMMAND ${EMULATOR} ${ZORAK} -c "${script}" INPUT_FILE ${keys}
  OUTPUT_VARIABLE out RESULT_VARIABLE status TIMEOUT 60)
string(REPLACE "\r" "" out "${out}")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "keys from a file: status ${status}, output:\n${out}")
endif()

execute_process(COMMAND sh -c "cat \"$1\" | \"$2\" \"$3\" -c \"$4\"" keys ${keys} ${EMULATOR}
  ${ZORAK} "${script}" OUTPUT_VARIABLE out RESULT_VARIABLE status TIMEOUT 60)
string(REPLACE "\r" "" out "${out}")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "keys from a pipe: status ${status}, output:\n${out}")
endif()
