# The Debian package of the game: `cpack -G DEB` in the build folder writes
# tortoise-valley_<version>_<arch>.deb with everything `cmake --install` puts under /usr.
set(TV_MAINTAINER "Tortoise Valley developers <developers@tortoisevalley.org>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_PACKAGE_NAME tortoise-valley)
set(CPACK_PACKAGE_VENDOR "Tortoise Valley developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn-based 3-D artillery game for 2 to 9 players")
set(CPACK_PACKAGE_DESCRIPTION
    "Up to nine players share one keyboard, each commanding a team of tortoises dropped at
random into a textured valley. On your turn you drive the current tortoise for up to a
minute, then aim a grenade by direction and launch speed and throw it. The explosion digs
a crater and hurts every tortoise nearby; the last player with tortoises left wins.
All texts in the game are German.")
set(CPACK_PACKAGE_CONTACT "${TV_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # tortoise-valley_1.0.0_amd64.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TV_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries from dpkg-shlibdeps; the overlay's text needs a font, which no library names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")

include(CPack)
