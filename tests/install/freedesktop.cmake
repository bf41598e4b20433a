# SPDX-License-Identifier: GPL-3.0-or-later
# Checks shared by the desktop tests; included by the scripts beside it. They expect the tool
# paths in VALIDATE (desktop-file-validate), XMLLINT and UPDATE_MIME (update-mime-database).

foreach(tool IN ITEMS VALIDATE XMLLINT UPDATE_MIME)
    if(NOT ${tool} OR NOT EXISTS "${${tool}}")
        message(FATAL_ERROR "${tool} tool not found; install the packages of scripts/packages")
    endif()
endforeach()

# Fails on any error, warning or hint of desktop-file-validate but one: the editor belongs in
# two main categories (Game and Development) on purpose, so it is listed in both menus.
function(validate_entry file)
    execute_process(COMMAND "${VALIDATE}" "${file}" RESULT_VARIABLE rc
                    OUTPUT_VARIABLE out ERROR_VARIABLE out)
    string(REGEX REPLACE "[^\n]*: hint: [^\n]*contains more than one main category[^\n]*" ""
           rest "${out}")
    if(NOT rc EQUAL 0 OR rest MATCHES ": (error|warning|hint): ")
        message(SEND_ERROR "${file} does not validate:\n${out}")
    endif()
endfunction()

# Sets <var> to the value of <key> in the [Desktop Entry] group of <file>.
function(entry_value file key var)
    file(READ "${file}" text)
    if(NOT text MATCHES "\n${key}=([^\n]*)")
        message(SEND_ERROR "${file} has no ${key}")
    endif()
    set(${var} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

# Builds a MIME database in <mime_dir> from the packages in <mime_dir>/packages and checks that
# it gives *.lay the level type, an English and a Russian comment, and the level icon.
function(check_mime_database mime_dir)
    set(package "${mime_dir}/packages/org.cobbleton.Cobbleton.xml")
    execute_process(COMMAND "${XMLLINT}" --noout "${package}" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(SEND_ERROR "${package} is not well-formed XML")
    endif()
    execute_process(COMMAND "${UPDATE_MIME}" "${mime_dir}" RESULT_VARIABLE rc
                    OUTPUT_QUIET ERROR_VARIABLE err)
    if(NOT rc EQUAL 0 OR err MATCHES "[Ee]rror|[Ww]arning|[Ii]nvalid")
        message(SEND_ERROR "update-mime-database rejects ${package}:\n${err}")
    endif()
    file(READ "${mime_dir}/globs2" globs)
    file(READ "${mime_dir}/icons" icons)
    file(READ "${mime_dir}/application/x-cobbleton-level.xml" type)
    if(NOT globs MATCHES ":application/x-cobbleton-level:\\*\\.lay\n"
       OR NOT icons MATCHES "application/x-cobbleton-level:application-x-cobbleton-level\n"
       OR NOT type MATCHES "<comment>[^<]+</comment>"
       OR NOT type MATCHES "<comment xml:lang=\"ru\">[^<]+</comment>")
        message(SEND_ERROR "the MIME database lacks the level type's glob, icon or comments:\n"
                           "${globs}\n${icons}\n${type}")
    endif()
endfunction()
