# What `cmake --install` puts where (GNU install dirs): both programs and the level tool
# cobbleton-levels beside them, the sample levels, and on freedesktop systems a desktop entry and
# hicolor icons for each program plus the MIME type of level files. Included at the end of the top-level CMakeLists.txt, after every target exists.

set(COBBLETON_LEVELS_DIR "${CMAKE_INSTALL_DATADIR}/cobbleton/levels")

install(TARGETS cobbleton quillmap cobbleton-levels
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    BUNDLE DESTINATION .)

install(DIRECTORY levels/ DESTINATION ${COBBLETON_LEVELS_DIR} FILES_MATCHING PATTERN "*.lay")

if(UNIX AND NOT APPLE)
    set(desktop_dir resources/desktop)
    set(hicolor_dir "${CMAKE_INSTALL_DATADIR}/icons/hicolor")

    # An entry names its program by the installed path, so it starts from any prefix, also one
    # whose bin folder is not on PATH; the prefix is only known at install time (--prefix).
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
            math(EXPR start "${start} + 1")
            string(SUBSTRING "${text}" ${start} -1 tail)
            string(FIND "${tail}" "\n" end)
            if(end EQUAL -1)
                set(tail "\n")
            else()
                string(SUBSTRING "${tail}" ${end} -1 tail)
            endif()
            file(WRITE "${entry}" "${head}\nExec=${program}${tail}")
        endfunction()
    ]])

    foreach(program IN ITEMS Cobbleton Quillmap)
        string(TOLOWER ${program} executable)
        set(id org.cobbleton.${program})
        install(FILES ${desktop_dir}/${id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
        install(CODE "cobbleton_point_exec([[${CMAKE_INSTALL_DATADIR}/applications/${id}.desktop]]
                                           [[${CMAKE_INSTALL_BINDIR}/${executable}]])")
        foreach(size IN ITEMS 16 32 48 256)
            install(FILES resources/pictures/hicolor/${size}x${size}/apps/${executable}.png
                    DESTINATION ${hicolor_dir}/${size}x${size}/apps RENAME ${id}.png)
        endforeach()
    endforeach()

    # Level files show the game's icon in file managers.
    install(FILES ${desktop_dir}/org.cobbleton.Cobbleton.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
    foreach(size IN ITEMS 16 32 48 256)
        install(FILES resources/pictures/hicolor/${size}x${size}/apps/cobbleton.png
                DESTINATION ${hicolor_dir}/${size}x${size}/mimetypes
                RENAME application-x-cobbleton-level.png)
    endforeach()

    if(BUILD_TESTING)
        find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
        find_program(XMLLINT xmllint)
        find_program(UPDATE_MIME_DATABASE update-mime-database)
        set(tools -DVALIDATE=${DESKTOP_FILE_VALIDATE} -DXMLLINT=${XMLLINT}
                  -DUPDATE_MIME=${UPDATE_MIME_DATABASE})
        add_test(NAME Desktop.EntriesAndMimeTypeValidate
                 COMMAND ${CMAKE_COMMAND} ${tools} -DSOURCE=${PROJECT_SOURCE_DIR}
                         -DWORK=${CMAKE_CURRENT_BINARY_DIR}/desktop-test
                         -P ${PROJECT_SOURCE_DIR}/tests/install/desktop_test.cmake)
        add_test(NAME Install.PrefixHoldsEverything
                 COMMAND ${CMAKE_COMMAND} ${tools} -DSOURCE=${PROJECT_SOURCE_DIR}
                         -DBUILD=${CMAKE_BINARY_DIR} -DCONFIG=$<CONFIG>
                         "-DPREFIX=${CMAKE_CURRENT_BINARY_DIR}/install test/prefix $HOME"
                         -DBINDIR=${CMAKE_INSTALL_BINDIR} -DDATADIR=${CMAKE_INSTALL_DATADIR}
                         -P ${PROJECT_SOURCE_DIR}/tests/install/install_test.cmake)
    endif()
endif()
