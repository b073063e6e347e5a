# Builds the Debian package with CPack, checks its control data, unpacks it
# into a scratch root and runs the packaged host there.
# -DBUILD=build dir -DWORK=scratch dir -DCPACK=cpack program
find_program(DPKG_DEB dpkg-deb)
if(NOT DPKG_DEB)
  message("skipped: dpkg-deb is missing, no Debian package can be built here")
  return()
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CPACK} -G DEB -B ${WORK} WORKING_DIRECTORY ${BUILD}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB packages ${WORK}/zorak_*.deb)
if(NOT status EQUAL 0 OR NOT packages)
  message(FATAL_ERROR "cpack failed: ${out}${err}")
endif()
list(GET packages 0 package)
execute_process(COMMAND ${DPKG_DEB} --field ${package} Package Depends
  RESULT_VARIABLE status OUTPUT_VARIABLE fields)
if(NOT status EQUAL 0 OR NOT fields MATCHES "Package: zorak" OR NOT fields MATCHES "libc6")
  message(FATAL_ERROR "package fields: ${fields}")
endif()
execute_process(COMMAND ${DPKG_DEB} -x ${package} ${WORK}/root RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS ${WORK}/root/usr/include/zorak.h
   OR NOT EXISTS ${WORK}/root/usr/share/zorak/zorak.man)
  message(FATAL_ERROR "package contents incomplete")
endif()
execute_process(COMMAND ${WORK}/root/usr/bin/zorak -c "puts [* 6 7]; help set"
  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "^42\n" OR NOT out MATCHES "Reads or assigns a variable")
  message(FATAL_ERROR "packaged zorak: status ${status}\n${out}${err}")
endif()
