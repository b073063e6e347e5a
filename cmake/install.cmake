# What `cmake --install` puts under the prefix: the library, the public
# headers, the command-line host, the help file where help finds it, the
# zorak(1) page, a pkg-config file and a CMake package (zorak::zorak).
include(CMakePackageConfigHelpers)

install(TARGETS zorak EXPORT zorakTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS zorak_host RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES include/zorak.h include/zorak_plugin.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(WIN32)
  # help looks beside the library first.
  install(FILES docs/zorak.man DESTINATION ${CMAKE_INSTALL_BINDIR})
else()
  install(FILES docs/zorak.man DESTINATION ${CMAKE_INSTALL_DATADIR}/zorak)
  install(FILES docs/zorak.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# pkg-config: the prefix is found from the .pc file's own place, so the
# same file serves any prefix given at install time.
string(REGEX REPLACE "[^/]+" ".." ZORAK_PC_UP "${CMAKE_INSTALL_LIBDIR}/pkgconfig")
configure_file(cmake/zorak.pc.in ${CMAKE_BINARY_DIR}/zorak.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/zorak.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The CMake package.
set(ZORAK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/zorak)
install(EXPORT zorakTargets NAMESPACE zorak:: DESTINATION ${ZORAK_CMAKE_DIR})
configure_package_config_file(cmake/zorakConfig.cmake.in ${CMAKE_BINARY_DIR}/zorakConfig.cmake
  INSTALL_DESTINATION ${ZORAK_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/zorakConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/zorakConfig.cmake ${CMAKE_BINARY_DIR}/zorakConfigVersion.cmake
  DESTINATION ${ZORAK_CMAKE_DIR})

# `make package`: a Debian package of the same files under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorak)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Embeddable interpreter for a dialect of Tcl")
set(CPACK_PACKAGE_CONTACT "Zorak developers <zorak@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION interpreters)
find_program(ZORAK_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ZORAK_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1")
endif()
include(CPack)
