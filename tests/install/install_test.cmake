# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build tree into a fresh prefix (a space and a $ in its name, as a user's folder may
# have) and checks that everything landed: both programs and the level tool, the sample levels
# (which the installed tool finds solvable), desktop entries that validate and start the installed
# programs, their icons and AppStream metadata, and a MIME database that knows *.lay.
# cmake -DVALIDATE=… -DXMLLINT=… -DUPDATE_MIME=… -DSOURCE=<repo> -DBUILD=<build dir>
#       -DCONFIG=<config> -DPREFIX=<prefix> -DBINDIR=<bin> -DDATADIR=<share> -P …
include("${CMAKE_CURRENT_LIST_DIR}/freedesktop.cmake")

function(expect_file file)
    if(NOT EXISTS "${file}")
        message(SEND_ERROR "not installed: ${file}")
    endif()
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --config "${CONFIG}"
                        --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()
set(share "${PREFIX}/${DATADIR}")

# The sample levels in levels/, the ten of the game's menu (levels/campaign) beside them.
foreach(pair IN ITEMS "levels=levels" "levels/campaign=campaign")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    file(GLOB levels RELATIVE "${SOURCE}/${from}" "${SOURCE}/${from}/*.lay")
    file(GLOB installed RELATIVE "${share}/cobbleton/${to}" "${share}/cobbleton/${to}/*")
    if(levels STREQUAL "" OR NOT levels STREQUAL installed)
        message(SEND_ERROR "${share}/cobbleton/${to} holds\n  ${installed}\ninstead of\n  ${levels}")
    endif()
    foreach(level IN LISTS levels)
        execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
                                "${SOURCE}/${from}/${level}" "${share}/cobbleton/${to}/${level}"
                        RESULT_VARIABLE rc)
        if(NOT rc EQUAL 0)
            message(SEND_ERROR "level ${level} missing or changed in ${share}/cobbleton/${to}")
        endif()
    endforeach()
endforeach()

foreach(program IN ITEMS Cobbleton Quillmap)
    string(TOLOWER ${program} executable)
    set(entry "${share}/applications/org.cobbleton.${program}.desktop")
    expect_file("${entry}")
    validate_entry("${entry}")

    # Exec holds the installed program, quoted and escaped by the desktop entry rules, then the
    # arguments the entry in the source tree gives it.
    entry_value("${entry}" Exec exec)
    entry_value("${SOURCE}/resources/desktop/org.cobbleton.${program}.desktop" Exec source_exec)
    string(REGEX MATCH " .*" arguments "${source_exec}")
    if(arguments)
        if(NOT exec MATCHES "${arguments}$")
            message(SEND_ERROR "Exec=${exec}: lost the arguments${arguments}")
        endif()
        string(REGEX REPLACE "${arguments}$" "" exec "${exec}")
    endif()
    string(REPLACE "\\\\" "\\" exec "${exec}")
    if(exec MATCHES "^\"(.*)\"$")
        string(REGEX REPLACE "\\\\(.)" "\\1" exec "${CMAKE_MATCH_1}")
    endif()
    set(binary "${PREFIX}/${BINDIR}/${executable}")
    execute_process(COMMAND test -x "${binary}" RESULT_VARIABLE rc)
    if(NOT exec STREQUAL binary OR NOT rc EQUAL 0)
        message(SEND_ERROR "Exec=${exec}: expected the executable ${binary}")
    endif()

    expect_file("${share}/metainfo/org.cobbleton.${program}.metainfo.xml")
    entry_value("${entry}" Icon icon)
    foreach(folder IN ITEMS 16x16 32x32 48x48 256x256 16x16@2 32x32@2 48x48@2 256x256@2)
        expect_file("${share}/icons/hicolor/${folder}/apps/${icon}.png")
        expect_file("${share}/icons/hicolor/${folder}/mimetypes/application-x-cobbleton-level.png")
    endforeach()
endforeach()

expect_file("${share}/mime/packages/org.cobbleton.Cobbleton.xml")
foreach(page IN ITEMS cobbleton quillmap cobbleton-levels)
    expect_file("${share}/man/man6/${page}.6.gz")
endforeach()

# The level tool sits beside the game and finds every installed sample level solvable.
file(GLOB installed_levels "${share}/cobbleton/levels/*.lay")
execute_process(COMMAND "${PREFIX}/${BINDIR}/cobbleton-levels" check ${installed_levels}
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0)
    message(SEND_ERROR "${PREFIX}/${BINDIR}/cobbleton-levels check failed on the installed levels")
endif()
check_mime_database("${share}/mime")
