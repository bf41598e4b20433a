# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the build tree and checks it: it holds exactly what
# `cmake --install` installs (the programs moved from /usr/bin to /usr/games), its desktop entries
# start programs that are in it, its AppStream metadata and desktop entries agree, its control
# fields are those of a game with computed library dependencies, and lintian finds no error and
# no warning (its infos are left alone).
# cmake -DCPACK=… -DDPKG=… -DLINTIAN=… -DAPPSTREAMCLI=… -DBUILD=<build dir> -DCONFIG=<config>
#       -DVERSION=<version> -DSOURCE=<repo> -DWORK=<scratch dir> -P …
foreach(tool IN ITEMS CPACK DPKG LINTIAN APPSTREAMCLI)
    if(NOT ${tool} OR NOT EXISTS "${${tool}}")
        message(FATAL_ERROR "${tool} tool not found; install the packages of scripts/packages")
    endif()
endforeach()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        list(JOIN ARGN " " command)
        message(FATAL_ERROR "${command} failed:\n${out}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
run("${CPACK}" --config "${BUILD}/CPackConfig.cmake" -C "${CONFIG}" -B "${WORK}/out")
run("${DPKG}" --print-architecture)
string(STRIP "${out}" arch)
set(deb "${WORK}/out/cobbleton_${VERSION}_${arch}.deb")
if(NOT EXISTS "${deb}")
    file(GLOB made "${WORK}/out/*.deb")
    message(FATAL_ERROR "expected ${deb}, CPack made: ${made}")
endif()

# What the package lists against what an install under /usr writes.
run("${CMAKE_COMMAND}" -E env "DESTDIR=${WORK}/stage"
    "${CMAKE_COMMAND}" --install "${BUILD}" --config "${CONFIG}" --prefix /usr)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${WORK}/stage" "${WORK}/stage/*")
list(TRANSFORM installed REPLACE "^usr/bin/" "usr/games/")
list(SORT installed)
run("${DPKG}-deb" -c "${deb}")
string(REGEX MATCHALL "(^|\n)[^d\n][^\n]* \\./[^\n]*" lines "${out}")
set(packaged)
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^.* \\./" "" path "${line}")
    string(REGEX REPLACE " -> .*$" "" path "${path}")
    list(APPEND packaged "${path}")
endforeach()
list(SORT packaged)
if(NOT packaged STREQUAL installed OR NOT installed MATCHES "usr/games/cobbleton")
    string(REPLACE ";" "\n  " packaged "${packaged}")
    string(REPLACE ";" "\n  " installed "${installed}")
    message(SEND_ERROR "the package lists\n  ${packaged}\nbut cmake --install installs\n  ${installed}")
endif()

run("${DPKG}-deb" -x "${deb}" "${WORK}/unpacked")
file(GLOB entries "${WORK}/unpacked/usr/share/applications/*.desktop")
foreach(entry IN LISTS entries)
    file(STRINGS "${entry}" exec REGEX "^Exec=")
    string(REGEX REPLACE "^Exec=([^ ]*).*" "\\1" program "${exec}")
    if(NOT program MATCHES "^/usr/games/" OR NOT EXISTS "${WORK}/unpacked${program}")
        message(SEND_ERROR "${entry}: ${exec} does not start a program of the package")
    endif()
endforeach()
run("${APPSTREAMCLI}" validate-tree --no-net --no-color "${WORK}/unpacked")
if(out MATCHES "(^|\n) *[EW]: ")
    message(SEND_ERROR "AppStream metadata and desktop entries disagree:\n${out}")
endif()

run("${DPKG}-deb" -f "${deb}" Version Section Depends)
if(NOT out MATCHES "Version: ${VERSION}\n" OR NOT out MATCHES "Section: games\n"
   OR NOT out MATCHES "libqt6widgets6")
    message(SEND_ERROR "control fields: expected version ${VERSION}, section games and the Qt "
                       "libraries among the dependencies:\n${out}")
endif()
# The history's newest entry must be this version.
string(REPLACE "." "\\." version_pattern "${VERSION}")
file(STRINGS "${SOURCE}/packaging/changelog" newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^cobbleton \\(${version_pattern}\\) ")
    message(SEND_ERROR "packaging/changelog starts with \"${newest}\", not version ${VERSION}")
endif()

execute_process(COMMAND "${LINTIAN}" --fail-on error,warning --tag-display-limit 0 "${deb}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR out MATCHES "(^|\n)[EW]: ")
    message(SEND_ERROR "lintian reports errors or warnings in ${deb}:\n${out}${err}")
endif()
