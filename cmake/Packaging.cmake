# The desktop files and the Debian package: `cpack -G DEB` in the build folder writes
# strevo_<version>_<arch>.deb.
install(FILES ${PROJECT_SOURCE_DIR}/data/io.github.strevo.Strevo.desktop
        DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/io.github.strevo.Strevo.metainfo.xml
        DESTINATION share/metainfo)

# The manual pages are written from the handbook (docs/handbuch.md); Debian wants them and the
# changelog compressed, without time stamps.
set(packaging ${PROJECT_BINARY_DIR}/packaging)
set(handbook_text ${PROJECT_SOURCE_DIR}/docs/handbuch.md)
add_custom_command(OUTPUT ${packaging}/strevo.1 ${packaging}/strevo-cli.1
  COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging}
  COMMAND strevo_handbook_man ${handbook_text} ${packaging} ${PROJECT_VERSION}
  DEPENDS strevo_handbook_man ${handbook_text}
  COMMENT "Writing the manual pages from the handbook")
foreach(page strevo.1 strevo-cli.1)
  add_custom_command(OUTPUT ${packaging}/${page}.gz
    COMMAND gzip -9 -n -c ${packaging}/${page} > ${packaging}/${page}.gz
    DEPENDS ${packaging}/${page})
endforeach()
add_custom_command(OUTPUT ${packaging}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging}
  COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${packaging}/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
add_custom_target(strevo_packaging ALL DEPENDS ${packaging}/strevo.1.gz ${packaging}/strevo-cli.1.gz
                                              ${packaging}/changelog.gz)
install(FILES ${packaging}/strevo.1.gz ${packaging}/strevo-cli.1.gz DESTINATION share/man/man1)
install(FILES ${packaging}/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION share/doc/strevo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
        DESTINATION share/lintian/overrides RENAME strevo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME strevo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Strevo developers")
set(CPACK_PACKAGE_CONTACT "The Strevo developers <strevo@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "statics of plane portal frames with internal-force diagrams")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Strevo computes a symmetric plane portal frame (two columns, a beam, rigid
corners) as a kinked beam, a two-hinged frame or a fixed frame under a beam
load, a point load and wind on both columns. It shows the support reactions
and internal forces, draws the moment, shear-force and normal-force diagrams
and picks rolled steel sections (IPE, HE-A, HE-B) from a profile table.
The program speaks German.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/strevo/strevo")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so the library scan cannot see them: the window system's plugins and
# Qt's German texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
