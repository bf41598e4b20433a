# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on the staged package (CPACK_PRE_BUILD_SCRIPTS): Debian keeps the programs of a
# package in section games in /usr/games, so every program `cmake --install` put in /usr/bin
# moves there, and the desktop entries that start it by its path follow.
set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
file(GLOB programs LIST_DIRECTORIES false RELATIVE "${root}/usr/bin" "${root}/usr/bin/*")
if(NOT programs)
    return()
endif()
file(MAKE_DIRECTORY "${root}/usr/games")
foreach(program IN LISTS programs)
    file(RENAME "${root}/usr/bin/${program}" "${root}/usr/games/${program}")
endforeach()
file(GLOB left "${root}/usr/bin/*")
if(NOT left)
    file(REMOVE_RECURSE "${root}/usr/bin")
endif()

file(GLOB entries "${root}/usr/share/applications/*.desktop")
foreach(entry IN LISTS entries)
    file(READ "${entry}" text)
    set(before "${text}")
    foreach(program IN LISTS programs)
        string(REGEX REPLACE "\nExec=/usr/bin/${program}([ \n])" "\nExec=/usr/games/${program}\\1"
               text "${text}")
    endforeach()
    if(NOT text STREQUAL before)
        file(WRITE "${entry}" "${text}")
    endif()
endforeach()
