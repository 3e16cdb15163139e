# The Debian package: "cpack -G DEB" in the build folder. Its dependencies are
# computed by dpkg-shlibdeps. What Qt loads at run time (the xcb and offscreen
# platforms, the JPEG reader, the compose input context) comes with libqt6gui6,
# which the program links; qt6-qpa-plugins holds only VNC and touch plugins.
set(CPACK_PACKAGE_NAME tessel)
set(CPACK_PACKAGE_VENDOR "The Tessel developers")
set(CPACK_PACKAGE_CONTACT "The Tessel developers <tessel@tessel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "set up the keys, macros, profiles and lighting of an RGB gaming keyboard")
set(CPACK_PACKAGE_DESCRIPTION
    "A tray utility for a USB gaming keyboard with per-key RGB lighting, four\n\
on-board profiles, on-board macros and nine macro keys. Its window edits key\n\
assignments, macros and lighting; from a terminal it backs the keyboard up,\n\
restores it and switches its profile.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://tessel.example/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(tessel_debian ${CMAKE_BINARY_DIR}/debian-control)
file(MAKE_DIRECTORY ${tessel_debian})
file(WRITE ${tessel_debian}/conffiles "/etc/xdg/autostart/tessel.desktop\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/cmake/debian/postinst ${PROJECT_SOURCE_DIR}/cmake/debian/postrm
    ${tessel_debian}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
