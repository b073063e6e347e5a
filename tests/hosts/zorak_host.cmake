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
