# Installs the build into a fresh prefix, checks the files land where they
# belong and that the installed host finds its help file, then builds and
# runs two small hosts against the installed library: one through
# pkg-config, one through the CMake package.
# -DBUILD=build dir -DWORK=scratch dir -DLIBDIR=lib folder -DCC=C compiler
# -DCONSUMER=tests/install -DFLAGS=extra compile flags (sanitizers)
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "install failed: ${out}${err}")
endif()

foreach(file ${LIBDIR}/libzorak.so include/zorak.h include/zorak_plugin.h bin/zorak
    share/zorak/zorak.man share/man/man1/zorak.1 ${LIBDIR}/pkgconfig/zorak.pc
    ${LIBDIR}/cmake/zorak/zorakConfig.cmake ${LIBDIR}/cmake/zorak/zorakConfigVersion.cmake)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# The installed host runs from anywhere and reads the installed help file
# (a topic only the installed copy has proves which file it read).
file(APPEND ${prefix}/share/zorak/zorak.man ".installedonly\nOnly in the installed help file.\n..end\n")
file(MAKE_DIRECTORY ${WORK}/elsewhere)
execute_process(COMMAND ${prefix}/bin/zorak -c "puts [* 6 7]; help installedonly"
  WORKING_DIRECTORY ${WORK}/elsewhere RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "^42\n" OR NOT out MATCHES "Only in the installed help file")
  message(FATAL_ERROR "installed zorak: status ${status}\n${out}${err}")
endif()

function(run_consumer program label)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${prefix}/${LIBDIR} ${program}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT out STREQUAL "42 0 17\n")
    message(FATAL_ERROR "${label} consumer: status ${status}\n${out}${err}")
  endif()
endfunction()

# pkg-config.
find_program(PKG_CONFIG pkg-config)
if(NOT PKG_CONFIG)
  message(FATAL_ERROR "pkg-config is missing (tools/install-deps.sh installs it)")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${prefix}/${LIBDIR}/pkgconfig
  ${PKG_CONFIG} --cflags --libs zorak
  RESULT_VARIABLE status OUTPUT_VARIABLE flags ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pkg-config: ${err}")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
separate_arguments(extra UNIX_COMMAND "${FLAGS}")
execute_process(COMMAND ${CC} ${extra} -o ${WORK}/pc_consumer ${CONSUMER}/consumer.c ${flags}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pkg-config consumer does not build: ${out}${err}")
endif()
run_consumer(${WORK}/pc_consumer pkg-config)

# The CMake package.
execute_process(COMMAND ${CMAKE_COMMAND} -S ${CONSUMER}/cmake_consumer -B ${WORK}/cmake_consumer
  -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_C_COMPILER=${CC} "-DCMAKE_C_FLAGS=${FLAGS}"
  "-DCMAKE_EXE_LINKER_FLAGS=${FLAGS}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(status EQUAL 0)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/cmake_consumer
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "CMake consumer does not build: ${out}${err}")
endif()
run_consumer(${WORK}/cmake_consumer/consumer CMake)
