# Where each installed file goes, as a Debian system expects it. The window
# program opens help.html from its own folder, so the two live together in a
# folder of their own and the command is a relative link to the program:
# the program resolves its folder through the link.
include(GNUInstallDirs)
set(CORVANE_INSTALL_PROGRAMDIR "lib/corvane" CACHE STRING
    "Folder of the corvane program and its help.html, relative to the prefix")

# A manual page carries the project version. Debian ships manual pages
# compressed; -n leaves out the time stamp, so the package comes out the same
# from the same sources.
find_program(GZIP_PROGRAM gzip REQUIRED)
function(corvane_install_man_page page)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${page})
    set(compressed ${source}.gz)
    configure_file(${page}.in ${source} @ONLY)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${GZIP_PROGRAM} -9 -n -c ${source} > ${compressed}
        DEPENDS ${source} VERBATIM)
    add_custom_target(corvane_man_page_${page} ALL DEPENDS ${compressed})
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

install(TARGETS corvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
corvane_install_man_page(corvane-cli.1)
install(FILES corvane-cli.bash-completion RENAME corvane-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

if(TARGET corvane)
    install(TARGETS corvane RUNTIME DESTINATION ${CORVANE_INSTALL_PROGRAMDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/resources/help.html DESTINATION ${CORVANE_INSTALL_PROGRAMDIR})
    file(RELATIVE_PATH program_link_target /prefix/${CMAKE_INSTALL_BINDIR}
         /prefix/${CORVANE_INSTALL_PROGRAMDIR}/corvane)
    file(CREATE_LINK ${program_link_target} ${CMAKE_CURRENT_BINARY_DIR}/corvane SYMBOLIC)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/corvane DESTINATION ${CMAKE_INSTALL_BINDIR})
    corvane_install_man_page(corvane.1)

    install(FILES ${PROJECT_SOURCE_DIR}/resources/corvane.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES io.github.corvane.corvane.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    set(icons ${PROJECT_SOURCE_DIR}/resources/icons)
    file(GLOB icon_sizes RELATIVE ${icons}/hicolor ${icons}/hicolor/*)
    foreach(size IN LISTS icon_sizes)
        install(FILES ${icons}/hicolor/${size}/corvane.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
    endforeach()
    install(FILES ${icons}/icon128.png RENAME corvane.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
endif()
