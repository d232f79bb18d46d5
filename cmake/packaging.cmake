# cpack -G DEB (in the build directory, after a build): one Debian package, varnel_VERSION_ARCH.deb,
# with the programs varnel_solver and varnel, the shared and static libraries, the headers, the
# CMake package and the pkg-config file, everything under /usr. Its dependencies on the system's
# shared libraries are worked out by dpkg-shlibdeps (Debian dpkg-dev).
set(CPACK_PACKAGE_NAME varnel)
set(CPACK_PACKAGE_VERSION ${VARNEL_VERSION})
set(CPACK_PACKAGE_VENDOR "varnel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Loop puzzles (slitherlink-like): solve, check, make, convert and verify")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "varnel solves and creates loop puzzles: a grid of cells, some with a clue 0-3, whose answer "
    "is one closed loop along the cell sides. The programs varnel_solver and varnel, and the C++ "
    "library with its headers, CMake package and pkg-config file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "varnel developers <varnel@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The static library links CaDiCaL's archive; the shared one holds it.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libcadical-dev")
set(CPACK_GENERATOR DEB)
include(CPack)
