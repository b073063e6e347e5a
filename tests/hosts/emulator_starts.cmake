# Wine that cannot start a 32-bit program prints nothing and may still exit
# with 0. The test host must greet, through the library, before any other
# test of the Windows build counts.
execute_process(COMMAND ${EMULATOR} ${EMBEDTEST} OUTPUT_VARIABLE out ERROR_VARIABLE errors
  RESULT_VARIABLE status TIMEOUT 240)
string(REPLACE "\r" "" out "${out}")
if(NOT out MATCHES "test: Loaded DLL zorak\\.dll->zorak_command\\(\\)\nHello world\n")
  message(FATAL_ERROR "the emulator did not run the test host (status ${status})\n"
    "output:\n${out}\nerrors:\n${errors}")
endif()
