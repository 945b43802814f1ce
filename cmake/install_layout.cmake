# What `cmake --install` puts where, in the places a desktop system looks: the two programs in bin,
# the skins in share/voltrane/skins (where an installed program finds them, relative to its bin),
# the udev rule, the desktop file, the icons, the AppStream metainfo, the man pages and the bash
# completion.
include(GNUInstallDirs)

set(VOLTRANE_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING
    "Folder, relative to the prefix, the udev rule is installed into")

install(TARGETS voltrane voltranectl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${VOLTRANE_SKIN_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/voltrane/skins)
install(FILES ${VOLTRANE_UDEV_RULE} DESTINATION ${VOLTRANE_UDEV_RULES_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/res/${VOLTRANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/res/${VOLTRANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/res/${VOLTRANE_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${VOLTRANE_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_SOURCE_DIR}/res/voltranectl.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME voltranectl)

# Man pages, compressed as Debian keeps them.
set(man_pages)
foreach(page voltrane.1 voltranectl.1)
    set(compressed ${CMAKE_BINARY_DIR}/man/${page}.gz)
    add_custom_command(
        OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/docs/man/${page} > ${compressed}
        DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page}
        COMMENT "Compressing ${page}")
    list(APPEND man_pages ${compressed})
endforeach()
add_custom_target(voltrane_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The licence and the changelog, where Debian looks for them: a machine-readable copyright file and
# the changelog, gzipped without a time stamp so that the package builds the same twice.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/voltrane)
configure_file(${PROJECT_SOURCE_DIR}/res/debian/changelog.in ${CMAKE_BINARY_DIR}/doc/changelog @ONLY)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/doc/changelog.gz
    COMMAND gzip -9 -n -f -k ${CMAKE_BINARY_DIR}/doc/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/doc/changelog
    COMMENT "Compressing the changelog")
add_custom_target(voltrane_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/doc/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/res/debian/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${doc_dir})

# The window names its desktop file, so that desktops (Wayland's in particular) show the installed
# icon and name for it.
target_compile_definitions(voltrane PRIVATE VOLTRANE_APP_ID="${VOLTRANE_APP_ID}")
