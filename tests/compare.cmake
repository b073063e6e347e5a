# Runs one golden script and compares its output with the expected file.
# With ZORAK_BLESS=1 in the environment, the expected file is rewritten.
# Standard input is empty, so key reads in a script see the end of input.
# EMULATOR, when given, runs the runner (Wine for the Windows build).
execute_process(COMMAND ${EMULATOR} ${RUNNER} ${SCRIPT}
  WORKING_DIRECTORY ${WORKDIR}
  INPUT_FILE /dev/null
  OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status
  TIMEOUT 100)
string(REPLACE "\r" "" actual "${actual}")
# Record addresses (inspect, hash table dumps) differ from run to run.
string(REGEX REPLACE "0x[0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F]+" "0xADDRESS"
  actual "${actual}")
# The plug-ins' folder and file extension differ from build to build.
if(PLUGIN_DIR)
  string(REPLACE "${PLUGIN_DIR}" "PLUGINS" actual "${actual}")
  string(REGEX REPLACE "\\.(so|dll)([^A-Za-z0-9_]|$)" ".LIB\\2" actual "${actual}")
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "runner failed (${status}) on ${SCRIPT}\n${errors}\n--- output ---\n${actual}")
endif()
if("$ENV{ZORAK_BLESS}" STREQUAL "1")
  file(WRITE ${EXPECTED} "${actual}")
  return()
endif()
if(NOT EXISTS ${EXPECTED})
  message(FATAL_ERROR "missing ${EXPECTED}; actual output:\n${actual}")
endif()
file(READ ${EXPECTED} expected)
string(REPLACE "\r" "" expected "${expected}")
if(NOT actual STREQUAL expected)
  file(WRITE ${EXPECTED}.actual "${actual}")
  execute_process(COMMAND diff -u ${EXPECTED} ${EXPECTED}.actual OUTPUT_VARIABLE diff)
  file(REMOVE ${EXPECTED}.actual)
  message(FATAL_ERROR "output differs from ${EXPECTED}:\n${diff}")
endif()
