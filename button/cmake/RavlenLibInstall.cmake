# What `cmake --install` puts under the prefix: the shared library, the public
# headers in include/RavlenLib/, the CMake package (imported target
# RavlenLib::RavlenLib) and a pkg-config file. The Designer plugin installs
# itself (designer/).
include(CMakePackageConfigHelpers)

set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/RavlenLib)

# The shared library is what a program needs to run (Runtime); everything
# else is for building against it (Development), packaged apart.
install(TARGETS RavlenLib EXPORT RavlenLibTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_COMPONENT Development
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT Development)
install(EXPORT RavlenLibTargets NAMESPACE RavlenLib:: DESTINATION ${package_dir} COMPONENT Development)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/RavlenLibConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/RavlenLibConfig.cmake
  INSTALL_DESTINATION ${package_dir})
# A program written against 1.x keeps working with any later 1.x.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/RavlenLibConfigVersion.cmake
  VERSION ${RAVLENLIB_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/RavlenLibConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/RavlenLibConfigVersion.cmake
  DESTINATION ${package_dir} COMPONENT Development)

# The pkg-config file finds the prefix from where it lies (pcfiledir), so it
# stays right for `cmake --install --prefix DIR` and for a moved prefix.
file(RELATIVE_PATH RAVLENLIB_PC_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" RAVLENLIB_PC_PREFIX ${RAVLENLIB_PC_PREFIX})
file(RELATIVE_PATH RAVLENLIB_PC_LIBDIR ${CMAKE_INSTALL_PREFIX} ${CMAKE_INSTALL_FULL_LIBDIR})
file(RELATIVE_PATH RAVLENLIB_PC_INCLUDEDIR ${CMAKE_INSTALL_PREFIX} ${CMAKE_INSTALL_FULL_INCLUDEDIR})
configure_file(${CMAKE_CURRENT_LIST_DIR}/ravlenlib.pc.in ${CMAKE_CURRENT_BINARY_DIR}/ravlenlib.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ravlenlib.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT Development)
