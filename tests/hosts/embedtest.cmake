# The test host greets through the library and reports the result and code;
# copied away from the library, it reports only the load failure.
execute_process(COMMAND ${EMBEDTEST} OUTPUT_VARIABLE out RESULT_VARIABLE status)
set(expected "test: Loaded DLL libzorak.so->zorak_command()\nHello world\ntest: zorak_command: Returned result:'' errorcode:0\n")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "embedtest with the library: status ${status}, output:\n${out}")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${EMBEDTEST} DESTINATION ${WORK})
get_filename_component(name ${EMBEDTEST} NAME)
execute_process(COMMAND ${WORK}/${name} OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 2 OR NOT out STREQUAL "test: Failed to load libzorak.so\n")
  message(FATAL_ERROR "embedtest without the library: status ${status}, output:\n${out}")
endif()
