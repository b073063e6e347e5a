# The command-line host: file and -c forms, arguments, and exit statuses.
function(expect_run label status_expected out_expected)
  # EMULATOR, when given, runs the host (Wine for the Windows build, whose
  # line ends carry carriage returns).
  execute_process(COMMAND ${EMULATOR} ${ARGN} OUTPUT_VARIABLE out RESULT_VARIABLE status)
  if(EMULATOR)
    string(REPLACE "\r" "" out "${out}")
  endif()
  if(NOT status EQUAL status_expected OR (NOT out_expected STREQUAL "*" AND NOT out STREQUAL out_expected))
    message(FATAL_ERROR "${label}: status ${status} (want ${status_expected}), output:\n${out}\nwanted:\n${out_expected}")
  endif()
endfunction()

expect_run("-c puts" 0 "hi\n" ${ZORAK} -c "puts hi")
expect_run("script arguments" 0 "2 ${SOURCE}/args.tcl\n" ${ZORAK} ${SOURCE}/args.tcl one)
expect_run("error status" 1 "eval: Command or proc 'nosuch' was not found (autoexec is OFF)\n\n"
  ${ZORAK} -c "option autoexec off\nnosuch")
expect_run("help" 0 "*" ${ZORAK} --help)
expect_run("stop status" 1 "*" ${ZORAK} -c "set a b c")

# Ctrl-C ends a running script (also one run at load time by #exec) with a
# message and code, and the host goes on to exit normally.
find_program(TIMEOUT timeout)
if(TIMEOUT)
  execute_process(COMMAND ${TIMEOUT} -s INT --preserve-status 3 ${EMULATOR} ${ZORAK} -c "while 1 {}"
    OUTPUT_VARIABLE out RESULT_VARIABLE status)
  if(NOT status EQUAL 1 OR NOT out MATCHES "eval: Interrupted by the user")
    message(FATAL_ERROR "interrupt: status ${status}, output:\n${out}")
  endif()
  execute_process(COMMAND ${TIMEOUT} -s INT --preserve-status 3 ${EMULATOR} ${ZORAK} -c "#exec while 1 {}\nputs after"
    OUTPUT_VARIABLE out RESULT_VARIABLE status)
  if(NOT status EQUAL 1 OR NOT out MATCHES "Interrupted by the user" OR out MATCHES "after")
    message(FATAL_ERROR "interrupt in #exec: status ${status}, output:\n${out}")
  endif()
endif()

# The multi-file example runs from the top of the source tree.
execute_process(COMMAND ${EMULATOR} ${ZORAK} examples/inventory/main.tcl WORKING_DIRECTORY ${SOURCE}/../..
  OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT out MATCHES "Second order failed: only 1 of nuts left")
  message(FATAL_ERROR "inventory example: status ${status}, output:\n${out}")
endif()
