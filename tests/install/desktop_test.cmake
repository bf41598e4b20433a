# SPDX-License-Identifier: GPL-3.0-or-later
# Validates the desktop entries and the MIME package as they stand in resources/desktop.
# cmake -DVALIDATE=… -DXMLLINT=… -DUPDATE_MIME=… -DSOURCE=<repo> -DWORK=<scratch dir> -P …
include("${CMAKE_CURRENT_LIST_DIR}/freedesktop.cmake")

set(desktop "${SOURCE}/resources/desktop")
foreach(id IN ITEMS org.cobbleton.Cobbleton org.cobbleton.Quillmap)
    validate_entry("${desktop}/${id}.desktop")
    foreach(key IN ITEMS Name Comment "Name\\[ru\\]" "Comment\\[ru\\]" Exec Icon)
        entry_value("${desktop}/${id}.desktop" "${key}" value)
        if(value STREQUAL "")
            message(SEND_ERROR "${id}.desktop: ${key} is empty")
        endif()
    endforeach()
    entry_value("${desktop}/${id}.desktop" Icon icon)
    if(NOT icon STREQUAL id)
        message(SEND_ERROR "${id}.desktop: Icon=${icon} is not the installed icon name ${id}")
    endif()
endforeach()

# Both entries take one level file; the game opens *.lay files, the editor is offered for them.
foreach(program IN ITEMS Cobbleton Quillmap)
    string(TOLOWER "${program}" command)
    entry_value("${desktop}/org.cobbleton.${program}.desktop" Exec exec)
    entry_value("${desktop}/org.cobbleton.${program}.desktop" MimeType types)
    if(NOT exec STREQUAL "${command} %f" OR NOT ";${types}" MATCHES ";application/x-cobbleton-level;")
        message(SEND_ERROR "org.cobbleton.${program}.desktop: Exec=${exec} should pass one file (%f) "
                           "and MimeType=${types} should list application/x-cobbleton-level")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(COPY "${desktop}/org.cobbleton.Cobbleton.xml" DESTINATION "${WORK}/mime/packages")
check_mime_database("${WORK}/mime")
