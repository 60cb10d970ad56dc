# Installation into the desktop (links in bin, menu entry, icons, MIME type,
# documentation) and the Debian package built from it with CPack.

set(ZOLVARIC_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

# /usr/bin links to the programs: they stay in their own folder, where they
# find their templates and tables. Relative, so the tree can be moved.
if(IS_ABSOLUTE "${ZOLVARIC_PROGRAM_DIR}")
    set(zolvaric_program_path "${ZOLVARIC_PROGRAM_DIR}")
else()
    set(zolvaric_program_path "${CMAKE_INSTALL_PREFIX}/${ZOLVARIC_PROGRAM_DIR}")
endif()
file(RELATIVE_PATH zolvaric_link_target "${CMAKE_INSTALL_PREFIX}/bin" "${zolvaric_program_path}")
foreach(program zolvaric zolvaric-cli)
    install(CODE "
        set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\")
        message(STATUS \"Installing: \${link}\")
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
        file(REMOVE \"\${link}\")
        file(CREATE_LINK \"${zolvaric_link_target}/${program}\" \"\${link}\" SYMBOLIC)
        list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${link}\")
    ")
endforeach()

install(FILES ${ZOLVARIC_PACKAGING_DIR}/TABELLEN-LIESMICH.txt DESTINATION ${ZOLVARIC_PROGRAM_DIR})
install(FILES ${ZOLVARIC_PACKAGING_DIR}/de.quorvel.zolvaric.desktop DESTINATION share/applications)
install(FILES ${ZOLVARIC_PACKAGING_DIR}/zolvaric-project.xml DESTINATION share/mime/packages)
install(FILES ${ZOLVARIC_PACKAGING_DIR}/icons/zolvaric.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
    install(FILES ${ZOLVARIC_PACKAGING_DIR}/icons/${size}/zolvaric.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()

# Debian wants a copyright file, a compressed changelog and compressed manual
# pages, gzipped without a time stamp so the package builds the same each time.
set(zolvaric_gzipped)
function(zolvaric_gzip source destination)
    get_filename_component(name ${source} NAME)
    set(output ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
        COMMAND gzip -9 -n -c ${source} > ${output}
        DEPENDS ${source}
        COMMENT "${name}.gz")
    install(FILES ${output} DESTINATION ${destination})
    set(zolvaric_gzipped ${zolvaric_gzipped} ${output} PARENT_SCOPE)
endfunction()
zolvaric_gzip(${ZOLVARIC_PACKAGING_DIR}/changelog share/doc/zolvaric)
zolvaric_gzip(${ZOLVARIC_PACKAGING_DIR}/man/zolvaric.1 share/man/man1)
zolvaric_gzip(${ZOLVARIC_PACKAGING_DIR}/man/zolvaric-cli.1 share/man/man1)
add_custom_target(zolvaric_packaging_docs ALL DEPENDS ${zolvaric_gzipped})
install(FILES ${ZOLVARIC_PACKAGING_DIR}/copyright DESTINATION share/doc/zolvaric)
install(FILES ${ZOLVARIC_PACKAGING_DIR}/lintian-overrides
        DESTINATION share/lintian/overrides RENAME zolvaric)

file(STRINGS ${ZOLVARIC_PACKAGING_DIR}/changelog zolvaric_changelog_head LIMIT_COUNT 1)
if(NOT zolvaric_changelog_head MATCHES "^zolvaric \\(${PROJECT_VERSION}\\)")
    message(WARNING "packaging/changelog has no entry for version ${PROJECT_VERSION} at its top")
endif()

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zolvaric)
set(CPACK_PACKAGE_VENDOR "Quorvel-Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quorvel-Software <info@quorvel-software.de>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.quorvel-software.de")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fee calculator for the German HOAI (architects and engineers)")
set(CPACK_PACKAGE_DESCRIPTION
"Zolvaric berechnet Honorare für Architekten und Ingenieure nach der
Honorarordnung HOAI in den Fassungen 2002, 2009, 2013 und 2021: anrechenbare
Kosten, Honorarzone, Leistungsphasen, Zuschläge und Nebenkosten.
Das Honorarangebot wird als HTML-Seite oder als Word-Dokument geschrieben.
Zum Paket gehören das Programmfenster (zolvaric) und ein Kommandozeilen-
programm (zolvaric-cli).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quorvel-Software <info@quorvel-software.de>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quorvel-software.de")
# The libraries' packages (Qt, libzip, pugixml) are read from the binaries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# LibreOffice converts old binary Word templates; xdg-utils opens reports;
# Qt's translations give the file dialog and standard buttons German texts.
# The -nogui and the full Writer conflict, so either one will do.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libreoffice-writer-nogui | libreoffice-writer, xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/out/")

include(CPack)
