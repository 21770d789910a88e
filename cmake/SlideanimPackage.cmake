# `cpack` (scripts/package) makes a Debian package of what SlideanimInstall
# installs, under /usr. dpkg-shlibdeps fills in the runtime packages that the
# libraries and the command link against.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME slideanim)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "animations of .pptx slides as frames, contact sheets, web JSON and HTML previews")
set(CPACK_PACKAGE_DESCRIPTION
  "libslideanim compiles the timing tree of each slide of a .pptx deck into per-shape screen animations and a web description; the package also holds its host library, the slideanim command, the headers, a CMake package and a pkg-config file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "slideanim developers <slideanim@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The public headers include boost's shared_ptr.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libboost-dev, pkg-config")
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/packages)
include(CPack)
