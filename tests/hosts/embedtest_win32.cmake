# The test host on Windows: it greets through zorak.dll and reports the result
# and code; copied away from the library, it reports only the load failure;
# beside a zorak.dll without the export, only the lookup failure. Line ends
# carry carriage returns on Windows; they are dropped before comparing.
function(run_host program)
  execute_process(COMMAND ${EMULATOR} ${program} OUTPUT_VARIABLE out RESULT_VARIABLE status
    TIMEOUT 120)
  string(REPLACE "\r" "" out "${out}")
  set(out "${out}" PARENT_SCOPE)
  set(status "${status}" PARENT_SCOPE)
endfunction()

run_host(${EMBEDTEST})
set(expected "test: Loaded DLL zorak.dll->zorak_command()\nHello world\ntest: zorak_command: Returned result:'' errorcode:0\n")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "embedtest with the library: status ${status}, output:\n${out}")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${EMBEDTEST} DESTINATION ${WORK})
get_filename_component(name ${EMBEDTEST} NAME)
run_host(${WORK}/${name})
if(NOT status EQUAL 2 OR NOT out STREQUAL "test: Failed to load zorak.dll\n")
  message(FATAL_ERROR "embedtest without the library: status ${status}, output:\n${out}")
endif()

# A 32-bit DLL of that name without the export: the MinGW threads library
# serves, which needs nothing but system DLLs.
file(GLOB candidates /usr/i686-w64-mingw32/lib/libwinpthread-1.dll
  /usr/lib/gcc/i686-w64-mingw32/*/libgcc_s_dw2-1.dll)
if(candidates)
  list(GET candidates 0 other)
  file(COPY_FILE ${other} ${WORK}/zorak.dll)
  run_host(${WORK}/${name})
  if(NOT status EQUAL 1 OR NOT out STREQUAL "test: Failed to zorak_command in zorak.dll\n")
    message(FATAL_ERROR "embedtest with a foreign library: status ${status}, output:\n${out}")
  endif()
endif()
