# `cpack -G DEB` in the build folder: a Debian package of what `cmake --install` puts in place.
# Its library dependencies come from dpkg-shlibdeps; the desktop database, the MIME database and
# the icon cache are brought up to date by the triggers of the packages that own them.
set(CPACK_PACKAGE_NAME tintora)
set(CPACK_PACKAGE_VENDOR "The Tintora developers")
set(CPACK_PACKAGE_CONTACT "Tintora developers <tintora@tintora.example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://tintora.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the themes of an early-2000s mobile phone")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tintora edits the .thm theme files of an early-2000s mobile phone: the 38 colours of its "
    "screens, up to six small GIF pictures and four descriptive texts, shown on a painted "
    "mock-up of thirteen phone screens. tintora-cli creates, checks, unpacks and renders "
    "themes from the command line.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY tintora)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform plug-in that shows the window is a plug-in, not a linked library.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
set(CPACK_GENERATOR DEB)
include(CPack)
