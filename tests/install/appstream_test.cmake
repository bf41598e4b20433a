# SPDX-License-Identifier: GPL-3.0-or-later
# Validates the AppStream metadata of both programs as it stands in resources/desktop: any error
# or warning of `appstreamcli validate` fails (its infos and pedantic notes do not). The validator
# takes a missing age rating for a mere info, so that is checked here, and so is what each
# program provides: its binary, and for the game alone the level file type.
# cmake -DAPPSTREAMCLI=<appstreamcli> -DSOURCE=<repo> -P …
if(NOT APPSTREAMCLI OR NOT EXISTS "${APPSTREAMCLI}")
    message(FATAL_ERROR "appstreamcli not found; install the packages of scripts/packages")
endif()

foreach(id IN ITEMS org.cobbleton.Cobbleton org.cobbleton.Quillmap)
    set(file "${SOURCE}/resources/desktop/${id}.metainfo.xml")
    execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net --no-color "${file}"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0 OR out MATCHES "(^|\n) *[EW]: ")
        message(SEND_ERROR "${file} does not validate:\n${out}")
    endif()
    file(READ "${file}" text)
    string(TOLOWER "${id}" binary)
    string(REGEX REPLACE "^org\\.cobbleton\\." "" binary "${binary}")
    string(REGEX MATCHALL "<mediatype>[^<]*</mediatype>" types "${text}")
    if(id STREQUAL "org.cobbleton.Cobbleton")
        set(expected_types "<mediatype>application/x-cobbleton-level</mediatype>")
    else()
        set(expected_types "")
    endif()
    if(NOT text MATCHES "<content_rating type=\"oars-1\\.1\""
       OR NOT text MATCHES "<binary>${binary}</binary>" OR NOT types STREQUAL expected_types)
        message(SEND_ERROR "${file}: expected an OARS 1.1 rating, <binary>${binary}</binary> "
                           "and the media types [${expected_types}], found [${types}]")
    endif()
endforeach()
