# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts where (GNU install dirs): both programs and the level tool
# cobbleton-levels beside them, the sample levels and the ten levels of the game's menu, and on freedesktop systems a desktop entry,
# AppStream metadata and hicolor icons for each program plus the MIME type of level files.
# Included at the end of the top-level CMakeLists.txt, after every target exists.


install(TARGETS cobbleton quillmap cobbleton-levels
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    BUNDLE DESTINATION .)

install(DIRECTORY levels/ DESTINATION ${COBBLETON_LEVELS_DIR} FILES_MATCHING PATTERN "*.lay"
        PATTERN campaign EXCLUDE)
install(DIRECTORY levels/campaign/ DESTINATION ${COBBLETON_CAMPAIGN_DIR} FILES_MATCHING PATTERN "*.lay")

if(UNIX AND NOT APPLE)
    set(desktop_dir resources/desktop)
    set(hicolor_dir "${CMAKE_INSTALL_DATADIR}/icons/hicolor")

    # An entry names its program by the installed path, so it starts from any prefix, also one
    # whose bin folder is not on PATH; the prefix is only known at install time (--prefix). What
    # follows the program name in the entry (a field code such as %f) is kept.
    install(CODE [[
        function(cobbleton_point_exec entry program)
            if(NOT IS_ABSOLUTE "${entry}")
                set(entry "${CMAKE_INSTALL_PREFIX}/${entry}")
            endif()
            set(entry "$ENV{DESTDIR}${entry}")
            if(NOT IS_ABSOLUTE "${program}")
                set(program "${CMAKE_INSTALL_PREFIX}/${program}")
            endif()
            if(program MATCHES "[\r\n]")
                message(WARNING "${entry}: the program path holds a line break; Exec is left alone")
                return()
            endif()
            # Desktop entry quoting: reserved characters put the path in double quotes, where
            # " ` $ \ take a backslash; then the string level doubles every backslash.
            if(program MATCHES "[ \t\"'\\><~|&;$*?#()`]")
                string(REGEX REPLACE "([\"`$\\])" "\\\\\\1" program "${program}")
                set(program "\"${program}\"")
            endif()
            string(REPLACE "\\" "\\\\" program "${program}")
            string(REPLACE "%" "%%" program "${program}")
            file(READ "${entry}" text)
            string(FIND "${text}" "\nExec=" start)
            if(start EQUAL -1)
                message(FATAL_ERROR "${entry} has no Exec line")
            endif()
            string(SUBSTRING "${text}" 0 ${start} head)
            math(EXPR start "${start} + 6")
            string(SUBSTRING "${text}" ${start} -1 tail)
            string(FIND "${tail}" "\n" end)
            if(end EQUAL -1)
                set(line "${tail}")
                set(tail "\n")
            else()
                string(SUBSTRING "${tail}" 0 ${end} line)
                string(SUBSTRING "${tail}" ${end} -1 tail)
            endif()
            string(REGEX MATCH " .*" arguments "${line}")
            file(WRITE "${entry}" "${head}\nExec=${program}${arguments}${tail}")
        endfunction()
    ]])

    foreach(program IN ITEMS Cobbleton Quillmap)
        string(TOLOWER ${program} executable)
        set(id org.cobbleton.${program})
        install(FILES ${desktop_dir}/${id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
        install(FILES ${desktop_dir}/${id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
        install(CODE "cobbleton_point_exec([[${CMAKE_INSTALL_DATADIR}/applications/${id}.desktop]]
                                           [[${CMAKE_INSTALL_BINDIR}/${executable}]])")
        # Each size also drawn twice as large, for screens of device pixel ratio 2.
        foreach(size IN ITEMS 16 32 48 256 16@2 32@2 48@2 256@2)
            string(REGEX REPLACE "^([0-9]+)" "\\1x\\1" folder "${size}")
            install(FILES resources/pictures/hicolor/${folder}/apps/${executable}.png
                    DESTINATION ${hicolor_dir}/${folder}/apps RENAME ${id}.png)
        endforeach()
    endforeach()

    # Level files show the game's icon in file managers.
    install(FILES ${desktop_dir}/org.cobbleton.Cobbleton.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
    foreach(size IN ITEMS 16 32 48 256 16@2 32@2 48@2 256@2)
        string(REGEX REPLACE "^([0-9]+)" "\\1x\\1" folder "${size}")
        install(FILES resources/pictures/hicolor/${folder}/apps/cobbleton.png
                DESTINATION ${hicolor_dir}/${folder}/mimetypes
                RENAME application-x-cobbleton-level.png)
    endforeach()

    # A manual page per program (the level tool's too), and the licence and history where Debian
    # keeps them (these go into every install, so a package holds exactly what `cmake --install`
    # installs). Pages and history are installed compressed; gzip -n stores no name or time, so
    # the bytes follow the text alone.
    find_program(GZIP gzip REQUIRED)
    set(doc_dir "${CMAKE_INSTALL_DATADIR}/doc/cobbleton")
    function(cobbleton_install_compressed source destination)
        get_filename_component(name "${source}" NAME)
        set(output "${CMAKE_CURRENT_BINARY_DIR}/compressed/${name}.gz")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
        file(MAKE_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/compressed")
        execute_process(COMMAND "${GZIP}" -9nc "${source}" OUTPUT_FILE "${output}"
                        RESULT_VARIABLE rc)
        if(NOT rc EQUAL 0)
            message(FATAL_ERROR "cannot compress ${source}")
        endif()
        install(FILES "${output}" DESTINATION "${destination}")
    endfunction()
    foreach(page IN ITEMS cobbleton.6 quillmap.6 cobbleton-levels.6)
        cobbleton_install_compressed("${PROJECT_SOURCE_DIR}/docs/man/${page}" "${CMAKE_INSTALL_MANDIR}/man6")
    endforeach()
    cobbleton_install_compressed("${PROJECT_SOURCE_DIR}/packaging/changelog" "${doc_dir}")
    install(FILES packaging/copyright DESTINATION "${doc_dir}")

    if(BUILD_TESTING)
        find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
        find_program(XMLLINT xmllint)
        find_program(UPDATE_MIME_DATABASE update-mime-database)
        find_program(APPSTREAMCLI appstreamcli)
        set(tools -DVALIDATE=${DESKTOP_FILE_VALIDATE} -DXMLLINT=${XMLLINT}
                  -DUPDATE_MIME=${UPDATE_MIME_DATABASE})
        add_test(NAME Desktop.EntriesAndMimeTypeValidate
                 COMMAND ${CMAKE_COMMAND} ${tools} -DSOURCE=${PROJECT_SOURCE_DIR}
                         -DWORK=${CMAKE_CURRENT_BINARY_DIR}/desktop-test
                         -P ${PROJECT_SOURCE_DIR}/tests/install/desktop_test.cmake)
        add_test(NAME AppStream.MetadataValidates
                 COMMAND ${CMAKE_COMMAND} -DAPPSTREAMCLI=${APPSTREAMCLI} -DSOURCE=${PROJECT_SOURCE_DIR}
                         -P ${PROJECT_SOURCE_DIR}/tests/install/appstream_test.cmake)
        add_test(NAME Install.PrefixHoldsEverything
                 COMMAND ${CMAKE_COMMAND} ${tools} -DSOURCE=${PROJECT_SOURCE_DIR}
                         -DBUILD=${CMAKE_BINARY_DIR} -DCONFIG=$<CONFIG>
                         "-DPREFIX=${CMAKE_CURRENT_BINARY_DIR}/install test/prefix $HOME"
                         -DBINDIR=${CMAKE_INSTALL_BINDIR} -DDATADIR=${CMAKE_INSTALL_DATADIR}
                         -P ${PROJECT_SOURCE_DIR}/tests/install/install_test.cmake)
        # Building and linting the package takes some seconds: the release build checks it.
        if(CMAKE_BUILD_TYPE STREQUAL "Release")
            find_program(DPKG dpkg)
            find_program(LINTIAN lintian)
            add_test(NAME Package.HoldsTheInstallAndLints
                     COMMAND ${CMAKE_COMMAND} -DCPACK=${CMAKE_CPACK_COMMAND} -DDPKG=${DPKG}
                             -DLINTIAN=${LINTIAN} -DAPPSTREAMCLI=${APPSTREAMCLI}
                             -DBUILD=${CMAKE_BINARY_DIR} -DCONFIG=$<CONFIG>
                             -DVERSION=${PROJECT_VERSION} -DSOURCE=${PROJECT_SOURCE_DIR}
                             -DWORK=${CMAKE_CURRENT_BINARY_DIR}/package-test
                             -P ${PROJECT_SOURCE_DIR}/tests/install/package_test.cmake)
        endif()
        # Both install the build tree, and an install rewrites its install_manifest.txt.
        set_tests_properties(Install.PrefixHoldsEverything PROPERTIES RESOURCE_LOCK install)
        if(TEST Package.HoldsTheInstallAndLints)
            set_tests_properties(Package.HoldsTheInstallAndLints PROPERTIES RESOURCE_LOCK install)
        endif()
    endif()
endif()
