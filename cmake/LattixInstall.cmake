# What `cmake --install` puts into the prefix: the public headers under include/lattix, liblattix.so
# (Lattix::lattix) and liblattixwidget.so (Lattix::widget), the CMake package (find_package(Lattix))
# and lattix.pc for pkg-config.
include(CMakePackageConfigHelpers)
set(LATTIX_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Lattix)
set(LATTIX_INSTALL_HEADERS ${CMAKE_INSTALL_INCLUDEDIR}/lattix)

# Headers keep their folders, so that includes read the same inside and outside this tree
# ("grid/lattix.h", "bindings/c/lattix.h", "bindings/qt/lattix_widget.h").
foreach(dir runtime grid platform/gfx platform/ui platform/theme platform/controls platform/headless platform/qt bindings/qt)
  if(EXISTS ${PROJECT_SOURCE_DIR}/${dir})
    get_filename_component(parent ${dir} DIRECTORY)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir} DESTINATION ${LATTIX_INSTALL_HEADERS}/${parent}
            FILES_MATCHING PATTERN "*.h")
  endif()
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/bindings/c/lattix.h DESTINATION ${LATTIX_INSTALL_HEADERS}/bindings/c)

if(TARGET lattix)
  install(TARGETS lattix EXPORT LattixTargets
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
          INCLUDES DESTINATION ${LATTIX_INSTALL_HEADERS})
  install(EXPORT LattixTargets NAMESPACE Lattix:: DESTINATION ${LATTIX_INSTALL_CMAKEDIR})
endif()
if(TARGET lattix_widget)
  install(TARGETS lattix_widget EXPORT LattixWidgetTargets
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
          INCLUDES DESTINATION ${LATTIX_INSTALL_HEADERS})
  install(EXPORT LattixWidgetTargets NAMESPACE Lattix:: DESTINATION ${LATTIX_INSTALL_CMAKEDIR})
endif()

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/LattixConfig.cmake.in
  ${PROJECT_BINARY_DIR}/LattixConfig.cmake INSTALL_DESTINATION ${LATTIX_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/LattixConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/LattixConfig.cmake ${PROJECT_BINARY_DIR}/LattixConfigVersion.cmake
        DESTINATION ${LATTIX_INSTALL_CMAKEDIR})

configure_file(${PROJECT_SOURCE_DIR}/cmake/lattix.pc.in ${PROJECT_BINARY_DIR}/lattix.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/lattix.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
