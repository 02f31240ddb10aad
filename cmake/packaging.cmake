# Installation into a standard prefix and the Debian package.
#
# The program, its report library, the templates and the help page live together in
# lib/lumira (the program finds them beside itself); bin/lumira is a launcher that gives the
# program the user's data folder.
include(GNUInstallDirs)
# lib/lumira under every prefix (/usr/lib/lumira for the package), not the multiarch library
# folder: these are the program's private files, not a library for others.
set(lumira_libdir lib/lumira)
set(LUMIRA_PROGRAM_SUBDIR ${lumira_libdir})

set_target_properties(lumira PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS lumira RUNTIME DESTINATION ${lumira_libdir})
install(TARGETS orvex LIBRARY DESTINATION ${lumira_libdir} NAMELINK_SKIP)
set_target_properties(lumira-report PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS lumira-report RUNTIME DESTINATION ${lumira_libdir})
install(CODE "set(bin \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR})
    file(MAKE_DIRECTORY \${bin})
    file(CREATE_LINK ../${lumira_libdir}/lumira-report \${bin}/lumira-report SYMBOLIC)")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Ses/ DESTINATION ${lumira_libdir}/Ses
        FILES_MATCHING PATTERN "*.fr3")
if(EXISTS ${CMAKE_SOURCE_DIR}/resources/help/napoveda.html)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/help/napoveda.html DESTINATION ${lumira_libdir})
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/help/ DESTINATION ${lumira_libdir}
            FILES_MATCHING PATTERN "*.png")
endif()

configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/lumira-launcher.sh
               ${CMAKE_BINARY_DIR}/install/lumira @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/install/lumira DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/cz.lumira.Lumira.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/cz.lumira.Lumira.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/lumira.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME cz.lumira.Lumira.svg)
install(FILES ${CMAKE_SOURCE_DIR}/resources/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumira)
foreach(size 16 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/lumira-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME cz.lumira.Lumira.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumira)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lumira")
set(CPACK_PACKAGE_CONTACT "Lumira <podpora@lumira.cz>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Kniha došlých a odeslaných faktur")
# One string: a list of two would be joined with a ";" into the package's description.
set(CPACK_PACKAGE_DESCRIPTION
    "Books of received and issued invoices of a small Czech business: totals, editor,\n\
filters, search, printed reports and export to XML or delimited text.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION office)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time rather than linked: Czech texts of Qt, the platform plugins, fonts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, qt6-qpa-plugins, fonts-liberation")
# The help page (F1) and the home page open through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
