# The Debian package: `cpack -G DEB` in a build tree (./photara.sh package does it all).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME photara)
set(CPACK_PACKAGE_VENDOR "The Photara developers")
set(CPACK_PACKAGE_CONTACT "The Photara developers <developers@photara.io>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop companion for a handheld USB luminance meter")
set(CPACK_PACKAGE_DESCRIPTION
    "Photara mirrors a USB luminance meter's display (cd/m2, fL) live, presses its
keys from the PC, downloads the meter's data logger into a table and a graph,
saves and reopens data files (.pxd), and sets the meter's logger and clock.
A built-in virtual meter lets you try it without hardware.
.
A udev rule gives the user at the desk access to the meter without root.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # photara_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Runtime dependencies as dpkg-shlibdeps computes them from the programs' libraries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/debian/postinst ${PROJECT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
