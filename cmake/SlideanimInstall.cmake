# What `cmake --install` puts under the prefix (GNUInstallDirs paths):
#   lib:       libslideanim.so and libslideanim-host.so with their SONAME links,
#              the CMake package (slideanim::slideanim, slideanim::host) and
#              slideanim.pc;
#   include:   slideanim/..., the headers a host program builds against;
#   bin:       the slideanim command;
#   lib/slideanim: slideanim-video.so, the module `slideanim video` loads.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(SLIDEANIM_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/slideanim)
set(SLIDEANIM_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/slideanim)

set_target_properties(slideanim PROPERTIES EXPORT_NAME slideanim)
set_target_properties(slideanim-host PROPERTIES EXPORT_NAME host)
foreach(library slideanim slideanim-host)
  target_include_directories(${library} INTERFACE
    $<INSTALL_INTERFACE:${SLIDEANIM_INSTALL_INCLUDEDIR}>)
endforeach()
install(TARGETS slideanim slideanim-host EXPORT slideanimTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})

# The headers keep the folders they are included by ("host/Document.h").
install(DIRECTORY ${PROJECT_SOURCE_DIR}/animation/host
  DESTINATION ${SLIDEANIM_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")
install(FILES
  ${PROJECT_SOURCE_DIR}/animation/manager/IAnimationManager.h
  ${PROJECT_SOURCE_DIR}/animation/manager/AnimationStep.h
  DESTINATION ${SLIDEANIM_INSTALL_INCLUDEDIR}/manager)
install(FILES ${PROJECT_SOURCE_DIR}/animation/screen/IScreenAnimation.h
  DESTINATION ${SLIDEANIM_INSTALL_INCLUDEDIR}/screen)
foreach(folder common document publisher)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/${folder}
    DESTINATION ${SLIDEANIM_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")
endforeach()
if(TARGET slideanim-pptx)
  install(FILES
    ${PROJECT_SOURCE_DIR}/pptx/DeckReader.h
    ${PROJECT_SOURCE_DIR}/pptx/Diagnostics.h
    ${PROJECT_SOURCE_DIR}/pptx/ReadLimits.h
    DESTINATION ${SLIDEANIM_INSTALL_INCLUDEDIR}/pptx)
endif()

if(TARGET slideanim-cli)
  # `slideanim --version`
  target_compile_definitions(slideanim-cli PRIVATE SLIDEANIM_VERSION="${PROJECT_VERSION}")
  # Finds the libraries beside it wherever the prefix is.
  set_target_properties(slideanim-cli PROPERTIES
    INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  install(TARGETS slideanim-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # `slideanim video` loads its module from LIBDIR/slideanim, named relative
  # to the command's folder.
  file(RELATIVE_PATH SLIDEANIM_BIN_TO_MODULES /prefix/${CMAKE_INSTALL_BINDIR}
    /prefix/${CMAKE_INSTALL_LIBDIR}/slideanim)
  target_compile_definitions(slideanim-cli-core PRIVATE
    SLIDEANIM_VIDEO_MODULE_DIR="${SLIDEANIM_BIN_TO_MODULES}")
  set_target_properties(slideanim-video PROPERTIES INSTALL_RPATH "$ORIGIN/..")
  install(TARGETS slideanim-video LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/slideanim)
endif()

# find_package(slideanim)
install(EXPORT slideanimTargets NAMESPACE slideanim::
  DESTINATION ${SLIDEANIM_INSTALL_CMAKEDIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/slideanimConfig.cmake.in
  ${PROJECT_BINARY_DIR}/install/slideanimConfig.cmake
  INSTALL_DESTINATION ${SLIDEANIM_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/install/slideanimConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/install/slideanimConfig.cmake
  ${PROJECT_BINARY_DIR}/install/slideanimConfigVersion.cmake
  DESTINATION ${SLIDEANIM_INSTALL_CMAKEDIR})

# pkg-config: the file names its prefix relative to itself, so the tree can
# be installed under any prefix.
file(RELATIVE_PATH SLIDEANIM_PC_TO_PREFIX
  /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" SLIDEANIM_PC_TO_PREFIX "${SLIDEANIM_PC_TO_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/slideanim.pc.in
  ${PROJECT_BINARY_DIR}/install/slideanim.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/install/slideanim.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
