# `cpack` (or the `package` target) builds a Debian package of what install_layout.cmake installs,
# under /usr. Library dependencies come from dpkg-shlibdeps; what the program loads at run time
# without linking it (Qt's platform plugins, the interface fonts, the keyboard layouts that key names
# are read from on Wayland) is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME voltrane)
set(CPACK_PACKAGE_VENDOR "Voltrane developers")
set(CPACK_PACKAGE_CONTACT "Voltrane developers <voltrane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration program of a USB gaming mouse")
set(CPACK_PACKAGE_DESCRIPTION
    "Voltrane gives each button of the mouse a function (mouse button, double
click, key combination, macro, shortcut, DPI step, media key), sets its DPI,
report rate and lighting, records macros and keeps profiles. voltranectl
applies, reads and verifies profiles from a shell.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-crosextra-carlito, fonts-unfonts-core | fonts-nanum, fonts-noto-cjk, xkb-data")
# qt6-wayland: the window runs natively in a Wayland session (without it Qt falls back to XWayland).
# The platform themes give the desktop's own file dialogs: GTK's, and the XDG desktop portal's.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-wayland, gsettings-desktop-schemas, dconf-gsettings-backend | gsettings-backend, \
qt6-gtk-platformtheme, qt6-xdgdesktopportal-platformtheme")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libkf5config-bin")
include(CPack)
