# `cpack` in the build folder makes a Debian package of the installed layout. Its dependencies
# are read from the binaries (dpkg-shlibdeps, from dpkg-dev); the toolkit's X11 platform plugin
# is loaded at run time, so no binary names it and it is asked for by name.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME huebird)
set(CPACK_PACKAGE_VENDOR "The Huebird developers")
set(CPACK_PACKAGE_CONTACT "The Huebird developers <huebird@huebird.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small skinnable colour picker for the Linux desktop (X11 and Wayland)")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${HUEBIRD_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The texts are drawn in the fonts the program asks for by name.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-zenhei, fonts-dejavu-core, qt6-translations-l10n")
# The summary is the package's one-line synopsis; these lines follow it.
set(CPACK_PACKAGE_DESCRIPTION
    "Huebird shows a small skinned window with four colour swatches. Press on
a swatch and move anywhere on the screen: a magnifier follows the pointer
and the colour under it is read exactly. Colours are copied as codes in
several notations, kept as favourites, adjusted, compared for contrast,
and a global hot-key hides and shows the window.")
include(CPack)
