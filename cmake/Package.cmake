# The Debian package of the game: `cpack -G DEB` in the build folder writes
# tortoise-valley_<version>-<revision>_<arch>.deb with everything `cmake --install` puts under
# /usr (and the dedicated host's defaults in /etc), the program in /usr/games. Its licence, Debian
# changelog and manual page are installed by any install, as the package needs them.
set(TV_MAINTAINER "Tortoise Valley developers <developers@tortoisevalley.org>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_PACKAGE_NAME tortoise-valley)
set(CPACK_PACKAGE_VENDOR "Tortoise Valley developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn-based 3-D artillery game for 2 to 9 players")
# Lines of at most 80 characters, as Debian wants them in an extended description.
set(CPACK_PACKAGE_DESCRIPTION
    "Up to nine players share one keyboard, each commanding a team of tortoises
dropped at random into a textured valley. On your turn you drive the current
tortoise for up to a minute, then aim a grenade by direction and launch speed
and throw it. The explosion digs a crater and hurts every tortoise nearby; the
last player with tortoises left wins. All texts in the game are German.")
set(CPACK_PACKAGE_CONTACT "${TV_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# The package's own revision of the game's version: the package is made here, not by Debian, but
# its changelog is a Debian changelog, so the version is not a native package's.
set(TV_DEBIAN_REVISION 1)
set(TV_DEBIAN_VERSION ${PROJECT_VERSION}-${TV_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TV_DEBIAN_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # tortoise-valley_1.0.0-1_amd64.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TV_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries from dpkg-shlibdeps; the overlay's text needs a font, which no library names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
# The dedicated host's service (desktop/): dpkg keeps an administrator's changes to its defaults
# file, and the maintainer scripts make its system user and tell systemd of its unit, which stays
# disabled.
set(TV_DEBIAN_CONTROL ${PROJECT_BINARY_DIR}/debian)
file(WRITE ${TV_DEBIAN_CONTROL}/conffiles "/etc/default/tortoise-valley-server\n")
configure_file(desktop/tortoise-valley-server.postinst ${TV_DEBIAN_CONTROL}/postinst COPYONLY)
configure_file(desktop/tortoise-valley-server.postrm ${TV_DEBIAN_CONTROL}/postrm COPYONLY)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${TV_DEBIAN_CONTROL}/conffiles;${TV_DEBIAN_CONTROL}/postinst;${TV_DEBIAN_CONTROL}/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

include(CPack)

# The documents in usr/share/doc/tortoise-valley (licence, changelog) and the manual page, the
# compressed ones made at build time with `gzip -9n` (no name, no time stamp: the same bytes on
# every build). The program depends on them, so that building only it still installs them all.
find_program(TV_GZIP gzip)
if(NOT TV_GZIP)
    message(FATAL_ERROR "gzip is needed to compress the changelog and the manual page")
endif()
set(TV_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tortoise-valley)
set(TV_DOCS ${PROJECT_BINARY_DIR}/docs)
configure_file(cmake/changelog.Debian.in ${TV_DOCS}/changelog.Debian @ONLY)
configure_file(desktop/tortoise-valley.6.in ${TV_DOCS}/tortoise-valley.6 @ONLY)
set(TV_COMPRESSED)
foreach(f changelog.Debian tortoise-valley.6)
    add_custom_command(OUTPUT ${TV_DOCS}/${f}.gz
        COMMAND ${TV_GZIP} -9n --keep --force ${TV_DOCS}/${f}
        DEPENDS ${TV_DOCS}/${f}
        COMMENT "Compressing ${f}" VERBATIM)
    list(APPEND TV_COMPRESSED ${TV_DOCS}/${f}.gz)
endforeach()
add_custom_target(tortoise-valley-docs ALL DEPENDS ${TV_COMPRESSED})
add_dependencies(tortoise-valley tortoise-valley-docs)
install(FILES cmake/copyright ${TV_DOCS}/changelog.Debian.gz DESTINATION ${TV_DOC_DIR})
install(FILES ${TV_DOCS}/tortoise-valley.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# What lintian is told about the package (a first upload closing no bug: the game is not in
# Debian's archive).
install(FILES cmake/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
    RENAME tortoise-valley)
