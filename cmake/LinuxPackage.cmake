# The Linux program's install rules (GNUInstallDirs) and its Debian package (CPack, DEB generator).
#   cmake --install build --prefix /usr        the program, its drive helper and its desktop files
#   scripts/package.sh                          build-package/wakelatch_1.0.0_amd64.deb
set(linuxFiles ${PROJECT_SOURCE_DIR}/packaging/linux)
set(appId io.github.wakelatch.Wakelatch)
set(docDir ${CMAKE_INSTALL_DATAROOTDIR}/doc/wakelatch)
# Installed folders are 0755 whatever the umask of the build.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)

# The program in bin/; its drive helper is not for users to start, so it goes to the program's own
# libexec folder, where the program looks for it (src/platform/linux/DriveHelperLocation.h).
install(TARGETS wakelatch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS wakelatch-drive-helper RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/wakelatch)

# Desktop entry, AppStream metadata and the icon in the hicolor theme (the PNGs rendered in resources/).
install(FILES ${linuxFiles}/${appId}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${linuxFiles}/${appId}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/art/app-icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${appId}.svg)
foreach(size IN LISTS WAKELATCH_ICON_SIZES)
  install(FILES ${WAKELATCH_ICON_DIR}/${size}/${appId}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page and the Debian changelog, compressed reproducibly (no name or time in the gzip header);
# the copyright in Debian's machine-readable format.
find_program(GZIP gzip REQUIRED)
set(compressed)
foreach(file wakelatch.1 changelog)
  add_custom_command(
    OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/packaging/${file}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
    COMMAND ${GZIP} -9 -n -c ${linuxFiles}/${file} > ${CMAKE_CURRENT_BINARY_DIR}/packaging/${file}.gz
    DEPENDS ${linuxFiles}/${file}
    VERBATIM)
  list(APPEND compressed ${CMAKE_CURRENT_BINARY_DIR}/packaging/${file}.gz)
endforeach()
add_custom_target(wakelatch_compressed_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/wakelatch.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz ${linuxFiles}/copyright DESTINATION ${docDir})

# The Debian package: wakelatch_1.0.0_amd64.deb in the build folder (or cpack -B FOLDER).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wakelatch)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Wakelatch developers")
set(CPACK_PACKAGE_CONTACT "The Wakelatch developers <wakelatch@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/wakelatch/wakelatch)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own German texts, which the program loads; the help files are compiled HTML help, opened with
# xchm through xdg-open (else the program's built-in help window shows them); hardinfo is one of the
# system-information programs the About window can start.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xchm, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS hardinfo)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keeps chosen drives from going into standby")
# The long description, in lines for the control file (at most 80 columns each).
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "Wakelatch touches every drive you tick once per interval (1 to 60 minutes)"
       "with a real read that reaches the device, so that the disk, its USB enclosure"
       "or the server behind a network share restarts its idle timer and does not"
       "spin down. It never writes to a drive."
       ""
       "It lives in the system tray, can reconnect dropped network drives and start"
       "with the desktop session, and speaks German and English.")
include(CPack)
