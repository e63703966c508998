# `cpack -G DEB` in the build folder turns the install rules into a Debian
# package for /usr. dpkg-shlibdeps reads the installed programs and declares
# the library packages they need, so the dependencies follow the build.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "copies the music off an iPod connected in disk mode")
# CPack puts the summary above it as the package's one-line synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Corvane reads an iPod's music database without ever writing to the device,
shows its playlists and tracks, and copies the tracks you tick into a folder
under readable names, optionally sorted into artist and album folders.
.
corvane-cli does the same from scripts, without a display.")
set(CORVANE_PACKAGE_MAINTAINER "Corvane developers <corvane@invalid>" CACHE STRING
    "The Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CORVANE_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opening the output folder and the help page goes through the desktop's
# default applications.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
