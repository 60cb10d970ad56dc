# The Windows build: a program folder in build/windows/bin that runs as it is
# (Qt and MinGW-w64 DLLs, Qt's plugins and German texts beside the programs),
# its installation and the setup program made from it with NSIS.

set(ZOLVARIC_WINDOWS_DIR ${CMAKE_CURRENT_LIST_DIR})
set(zolvaric_bin ${CMAKE_BINARY_DIR}/bin)

# The window starts without a console; the command line tool and the tests keep theirs.
set_target_properties(zolvaric PROPERTIES WIN32_EXECUTABLE ON)

# The window's icon in the program file, for Explorer, the Start menu and
# project files: the packaging icons in one .ico (icotool from icoutils; 256
# pixels kept as PNG, as Windows takes it).
find_program(ZOLVARIC_ICOTOOL icotool)
if(ZOLVARIC_ICOTOOL)
    set(zolvaric_icon ${CMAKE_BINARY_DIR}/generated/zolvaric.ico)
    set(zolvaric_icon_rc ${CMAKE_BINARY_DIR}/generated/zolvaric-icon.rc)
    set(zolvaric_icon_pngs)
    foreach(size 16 32 48 64 128)
        list(APPEND zolvaric_icon_pngs ${PROJECT_SOURCE_DIR}/packaging/icons/${size}/zolvaric.png)
    endforeach()
    set(zolvaric_icon_large ${PROJECT_SOURCE_DIR}/packaging/icons/256/zolvaric.png)
    add_custom_command(OUTPUT ${zolvaric_icon}
        COMMAND ${ZOLVARIC_ICOTOOL} -c -o ${zolvaric_icon} ${zolvaric_icon_pngs}
                --raw=${zolvaric_icon_large}
        DEPENDS ${zolvaric_icon_pngs} ${zolvaric_icon_large}
        COMMENT "zolvaric.ico"
        VERBATIM)
    add_custom_target(zolvaric_icon DEPENDS ${zolvaric_icon})
    file(WRITE ${zolvaric_icon_rc} "1 ICON \"${zolvaric_icon}\"\n")
    enable_language(RC)
    target_sources(zolvaric PRIVATE ${zolvaric_icon_rc})
    set_source_files_properties(${zolvaric_icon_rc} DIRECTORY ${PROJECT_SOURCE_DIR}/src/app
                                PROPERTIES OBJECT_DEPENDS ${zolvaric_icon})
    add_dependencies(zolvaric zolvaric_icon)
else()
    message(STATUS "icotool not found (Debian: icoutils): zolvaric.exe without its icon")
endif()

# The MinGW-w64 runtime, from where the compiler takes it.
set(zolvaric_runtime_dlls)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "${dll} not found beside ${CMAKE_CXX_COMPILER}")
    endif()
    get_filename_component(path "${path}" REALPATH)
    list(APPEND zolvaric_runtime_dlls "${path}")
endforeach()
# zlib comes as a plain import library, which names no DLL to CMake; Debian
# puts the DLL beside it.
find_package(ZLIB REQUIRED)
get_filename_component(zolvaric_zlib_dir "${ZLIB_LIBRARY}" DIRECTORY)
find_file(ZOLVARIC_ZLIB_DLL zlib1.dll PATHS ${zolvaric_zlib_dir} ${zolvaric_zlib_dir}/../bin
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
list(APPEND zolvaric_runtime_dlls "${ZOLVARIC_ZLIB_DLL}")

# Qt's plugins, each in the folder Qt looks for it beside the program: the
# Windows and the offscreen platform (tests, runs without a desktop), the
# native style, JPEG for the info dialog's picture, Windows' own TLS for the
# update check over https.
find_package(Qt6 REQUIRED COMPONENTS Gui Widgets Network)
set(zolvaric_plugins Qt6::QWindowsIntegrationPlugin Qt6::QOffscreenIntegrationPlugin
    Qt6::QWindowsVistaStylePlugin Qt6::QJpegPlugin Qt6::QSchannelBackendPlugin)

# Qt's German texts (file dialogs, standard buttons) from Debian's translations
# of the same Qt version; found through qt.conf, which points Qt at the program folder.
set(ZOLVARIC_QT_TRANSLATIONS /usr/share/qt6/translations CACHE PATH
    "Folder with qtbase_de.qm (Debian: qt6-translations-l10n)")
set(zolvaric_qt_german ${ZOLVARIC_QT_TRANSLATIONS}/qtbase_de.qm)
if(NOT EXISTS ${zolvaric_qt_german})
    message(FATAL_ERROR "${zolvaric_qt_german} not found (qt6-translations-l10n)")
endif()

set(zolvaric_copy_commands)
foreach(plugin ${zolvaric_plugins})
    get_target_property(type ${plugin} QT_PLUGIN_TYPE)
    list(APPEND zolvaric_copy_commands
        COMMAND ${CMAKE_COMMAND} -E make_directory ${zolvaric_bin}/${type}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}> ${zolvaric_bin}/${type}/)
    install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${ZOLVARIC_PROGRAM_DIR}/${type})
endforeach()

set(zolvaric_program_dlls $<TARGET_RUNTIME_DLLS:zolvaric> $<TARGET_RUNTIME_DLLS:zolvaric-cli>)
set(zolvaric_test_dlls)
if(ZOLVARIC_BUILD_TESTS)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    set(zolvaric_test_dlls $<TARGET_FILE:Qt6::Test>)
endif()
add_custom_target(zolvaric_windows_runtime ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${zolvaric_bin}/translations
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
        ${zolvaric_program_dlls} ${zolvaric_test_dlls} ${zolvaric_runtime_dlls} ${zolvaric_bin}/
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
        ${ZOLVARIC_WINDOWS_DIR}/qt.conf ${zolvaric_bin}/
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
        ${zolvaric_qt_german} ${zolvaric_bin}/translations/
    ${zolvaric_copy_commands}
    COMMENT "Qt- und MinGW-DLLs, Qt-Plugins neben die Programme"
    COMMAND_EXPAND_LISTS
    VERBATIM)

install(FILES ${zolvaric_program_dlls} ${zolvaric_runtime_dlls} ${ZOLVARIC_WINDOWS_DIR}/qt.conf
        DESTINATION ${ZOLVARIC_PROGRAM_DIR})
install(FILES ${zolvaric_qt_german} DESTINATION ${ZOLVARIC_PROGRAM_DIR}/translations)
install(FILES ${ZOLVARIC_WINDOWS_DIR}/TABELLEN-LIESMICH.txt DESTINATION ${ZOLVARIC_PROGRAM_DIR})

# The licences of the libraries shipped beside the programs, in the folder
# "Lizenzen": Debian's copyright files of the packages whose sources were
# built (same source versions), the GNU licence texts, and a German overview.
set(ZOLVARIC_LICENSE_DOCS /usr/share/doc CACHE PATH "Debian's package documentation folder")
set(zolvaric_licenses
    "Qt.txt=${ZOLVARIC_LICENSE_DOCS}/qt6-base-dev-tools/copyright"
    "GCC-Laufzeit.txt=${ZOLVARIC_LICENSE_DOCS}/gcc-mingw-w64-base/copyright"
    "MinGW-w64.txt=${ZOLVARIC_LICENSE_DOCS}/mingw-w64-common/copyright"
    "zlib.txt=${ZOLVARIC_LICENSE_DOCS}/libz-mingw-w64/copyright"
    "libzip.txt=${ZOLVARIC_LICENSE_DOCS}/libzip-dev/copyright"
    "pugixml.txt=${ZOLVARIC_LICENSE_DOCS}/libpugixml-dev/copyright"
    "LGPL-3.txt=/usr/share/common-licenses/LGPL-3"
    "GPL-3.txt=/usr/share/common-licenses/GPL-3")
install(FILES ${ZOLVARIC_WINDOWS_DIR}/lizenzen/LIESMICH.txt DESTINATION ${ZOLVARIC_PROGRAM_DIR}/Lizenzen)
foreach(entry ${zolvaric_licenses})
    string(REPLACE "=" ";" parts "${entry}")
    list(GET parts 0 name)
    list(GET parts 1 source)
    if(NOT EXISTS "${source}")
        message(FATAL_ERROR "Licence text ${source} not found (its Debian package is missing)")
    endif()
    install(FILES "${source}" DESTINATION ${ZOLVARIC_PROGRAM_DIR}/Lizenzen RENAME ${name})
endforeach()

# The setup program: the installation above, staged in the build folder and
# packed by NSIS into zolvaric-setup-<version>.exe.
find_program(ZOLVARIC_MAKENSIS makensis)
if(ZOLVARIC_MAKENSIS)
    set(zolvaric_stage ${CMAKE_BINARY_DIR}/setup-stage)
    set(zolvaric_setup ${CMAKE_BINARY_DIR}/zolvaric-setup-${PROJECT_VERSION}.exe)
    add_custom_target(zolvaric_setup
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${zolvaric_stage}
        COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${zolvaric_stage}
        COMMAND ${CMAKE_COMMAND} -DSTAGE=${zolvaric_stage} -DOUTPUT=${zolvaric_stage}-uninstall.nsh
                -P ${ZOLVARIC_WINDOWS_DIR}/UninstallList.cmake
        COMMAND ${ZOLVARIC_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DSTAGE=${zolvaric_stage}
                -DRUNNING_MARK=${ZOLVARIC_RUNNING_MARK}
                -DUNINSTALL_LIST=${zolvaric_stage}-uninstall.nsh -DOUTFILE=${zolvaric_setup}
                ${ZOLVARIC_WINDOWS_DIR}/zolvaric.nsi
        BYPRODUCTS ${zolvaric_setup}
        COMMENT "zolvaric-setup-${PROJECT_VERSION}.exe"
        VERBATIM)
    add_dependencies(zolvaric_setup zolvaric_windows_runtime zolvaric zolvaric-cli
                     zolvaric_html_template zolvaric_word_template)
else()
    message(STATUS "makensis not found (Debian: nsis): no setup program")
endif()
