# The Debian package: "cpack -G DEB" in the build folder writes
# notarella_<version>_<architecture>.deb, installed under /usr. Besides the
# install rules of the top-level CMakeLists.txt it carries the AppStream
# metadata, the manual page and the Debian copyright and changelog files.

set(NOTARELLA_PACKAGE_MAINTAINER "Notarella maintainers <notarella@varnholt.invalid>"
    CACHE STRING "Name and mail address of whoever publishes the package")
set(NOTARELLA_PACKAGE_SUMMARY "coloured sticky notes with reminders on the desktop")
set(PACKAGING_OUTPUT_DIR ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${PACKAGING_OUTPUT_DIR})
find_program(GZIP_PROGRAM gzip REQUIRED)

# AppStream metadata, found by software centres under the launcher's id.
configure_file(${CMAKE_SOURCE_DIR}/packaging/notarella.metainfo.xml.in
    ${PACKAGING_OUTPUT_DIR}/${NOTARELLA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PACKAGING_OUTPUT_DIR}/${NOTARELLA_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page is written from the options the program itself lists for
# --help, so the two always agree; Debian keeps manual pages compressed.
add_executable(writemanualpage ${CMAKE_SOURCE_DIR}/packaging/writemanualpage.cpp)
target_link_libraries(writemanualpage PRIVATE notarella_core)
set(MANUAL_PAGE ${PACKAGING_OUTPUT_DIR}/notarella.1)
add_custom_command(OUTPUT ${MANUAL_PAGE} ${MANUAL_PAGE}.gz
    COMMAND ${CMAKE_COMMAND} -E env LANGUAGE=C LC_ALL=C
        $<TARGET_FILE:writemanualpage> ${MANUAL_PAGE} ${NOTARELLA_RELEASE_DATE}
    COMMAND ${GZIP_PROGRAM} -9 -n -k -f ${MANUAL_PAGE}
    DEPENDS writemanualpage
    COMMENT "Writing the manual page")
add_custom_target(manual_page ALL DEPENDS ${MANUAL_PAGE}.gz)
add_dependencies(notarella manual_page)
install(FILES ${MANUAL_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The copyright file and the changelog Debian asks every package for.
execute_process(COMMAND date -u -R -d ${NOTARELLA_RELEASE_DATE}
    OUTPUT_VARIABLE NOTARELLA_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${PACKAGING_OUTPUT_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${PACKAGING_OUTPUT_DIR}/changelog.gz
    COMMAND ${GZIP_PROGRAM} -9 -n -k -f ${PACKAGING_OUTPUT_DIR}/changelog
    DEPENDS ${PACKAGING_OUTPUT_DIR}/changelog)
add_custom_target(package_changelog ALL DEPENDS ${PACKAGING_OUTPUT_DIR}/changelog.gz)
add_dependencies(notarella package_changelog)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${PACKAGING_OUTPUT_DIR}/changelog.gz
    DESTINATION ${NOTARELLA_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME notarella)
set(CPACK_PACKAGE_VENDOR Varnholt)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${NOTARELLA_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${NOTARELLA_PACKAGE_SUMMARY})
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Notarella puts small frameless notes in colours of your choice on the
desktop. A note holds rich text (formatted text, links, pictures, icons,
rules and lists) and can carry a reminder, once or periodically. It lives in
the system tray; its control panel lists, searches, exports and imports the
notes, keeps daily backups and a trash, and can keep the notes in step with
other computers through a synced folder.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The launcher names the executable by the prefix it is installed under.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${NOTARELLA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Plug-ins Qt loads at run time, which dpkg-shlibdeps cannot see: the SQLite
# driver of the note file and the X11 platform.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins")
# The reminder sound, opening links, and Qt's own texts in other languages.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, xdg-utils, qt6-translations-l10n")
include(CPack)
