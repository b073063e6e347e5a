# The test host greets through the library and reports the result and code;
# copied away from the library, it reports only the load failure; beside a
# library without the export, only the lookup failure; in a terminal the
# greeting is light magenta and the colour is restored after it.
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

# A library of that name without the export: only the lookup failure, status 1.
# The maths library serves, in the host's own ELF class and machine.
file(READ ${EMBEDTEST} host_kind OFFSET 4 LIMIT 1 HEX)
file(READ ${EMBEDTEST} host_machine OFFSET 18 LIMIT 2 HEX)
file(GLOB candidates /lib/*/libm.so.6 /usr/lib/*/libm.so.6 /lib64/libm.so.6 /lib/libm.so.6)
set(other "")
foreach(candidate ${candidates})
  file(READ ${candidate} kind OFFSET 4 LIMIT 1 HEX)
  file(READ ${candidate} machine OFFSET 18 LIMIT 2 HEX)
  if(kind STREQUAL host_kind AND machine STREQUAL host_machine)
    set(other ${candidate})
    break()
  endif()
endforeach()
if(other)
  file(COPY_FILE ${other} ${WORK}/libzorak.so)
  execute_process(COMMAND ${WORK}/${name} OUTPUT_VARIABLE out RESULT_VARIABLE status)
  if(NOT status EQUAL 1 OR NOT out STREQUAL "test: Failed to zorak_command in libzorak.so\n")
    message(FATAL_ERROR "embedtest with a foreign library: status ${status}, output:\n${out}")
  endif()
endif()

# In a pseudo-terminal (script from util-linux runs the host in one), the
# greeting carries the colour sequences; a pipe never does (checked above).
find_program(SCRIPT_PROGRAM script)
if(NOT SCRIPT_PROGRAM)
  message(STATUS "script not found: the terminal colour check is skipped")
  return()
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=NO_COLOR TERM=xterm
          ${SCRIPT_PROGRAM} -qec "${EMBEDTEST}" /dev/null
  INPUT_FILE /dev/null
  OUTPUT_VARIABLE out RESULT_VARIABLE status TIMEOUT 60)
string(ASCII 27 esc)
string(REPLACE "\r" "" out "${out}")
set(expected "test: Loaded DLL libzorak.so->zorak_command()\n${esc}[0;95mHello world\n${esc}[0mtest: zorak_command: Returned result:'' errorcode:0\n")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  string(REPLACE "${esc}" "<ESC>" shown "${out}")
  message(FATAL_ERROR "embedtest in a terminal: status ${status}, output:\n${shown}")
endif()
