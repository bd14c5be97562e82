# What `cmake --install` delivers. On Windows, one flat folder to zip and
# hand on: the DLL with its import library, the C header, the standard
# template file and the Visual Basic modules side by side. Elsewhere the
# shared library, the header, the standard template file under
# share/teds_vb6 and a CMake package, so that a project can
# find_package(teds_vb6), link to teds_vb6::teds_vb6 and find the templates
# in teds_vb6_STANDARD_TEMPLATES. Beside them, for C++ callers, two static
# libraries with their headers: the container layer (teds_vb6::teds_container)
# and reading and writing images (teds_vb6::teds_api, also installed under
# its first name teds_vb6::teds_edit).
include(CMakePackageConfigHelpers)
set(TEDS_STANDARD_TEMPLATE_FILE ${PROJECT_SOURCE_DIR}/examples/templates/ieee_standard.tdl)

if(WIN32)
  install(TARGETS teds_vb6 teds_container teds_api teds_edit RUNTIME DESTINATION . ARCHIVE DESTINATION . PUBLIC_HEADER DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/vb6/teds_vb6.bas ${PROJECT_SOURCE_DIR}/vb6/TedsSample.bas
                ${TEDS_STANDARD_TEMPLATE_FILE} DESTINATION .)
else()
  set(TEDS_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/teds_vb6)
  set(TEDS_TEMPLATE_DIR ${CMAKE_INSTALL_DATADIR}/teds_vb6)
  install(FILES ${TEDS_STANDARD_TEMPLATE_FILE} DESTINATION ${TEDS_TEMPLATE_DIR})
  install(TARGETS teds_vb6 teds_container teds_api teds_edit EXPORT teds_vb6Targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  install(EXPORT teds_vb6Targets NAMESPACE teds_vb6:: DESTINATION ${TEDS_PACKAGE_DIR})
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/teds_vb6Config.cmake.in
    ${PROJECT_BINARY_DIR}/teds_vb6Config.cmake
    INSTALL_DESTINATION ${TEDS_PACKAGE_DIR}
    PATH_VARS TEDS_TEMPLATE_DIR)
  # Before 1.0 a minor version may change the interface.
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/teds_vb6ConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/teds_vb6Config.cmake ${PROJECT_BINARY_DIR}/teds_vb6ConfigVersion.cmake
    DESTINATION ${TEDS_PACKAGE_DIR})
endif()
