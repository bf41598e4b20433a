# SPDX-License-Identifier: GPL-3.0-or-later
# Draws every picture again with picturegen and checks that resources/pictures holds exactly what
# it draws, and that the pictures shown on screens of device pixel ratio 1 are still the bytes
# they have always been (their SHA-256 below): the "@2x" variants came later and must leave them
# alone. The drawing depends on Qt's rasteriser, so a Qt other than Debian 12's may differ.
# cmake -DPICTUREGEN=<picturegen> -DSOURCE=<repo> -DWORK=<scratch dir> -P …
set(unchanged
    cobbleton.ico=b7ebfde137bd86151b762b0d690f0c9ac15c3c01f447b9255334e8e2c075aebd
    cursor.bmp=d8f186a765faa588d65791db93888c77d516eab578c94216047741b973a48dc9
    floor.bmp=620988185ee35fd81da9eb7a2a99bf7b4ab0d64cf201f429f3aaaeeea3cb7adb
    hicolor/16x16/apps/cobbleton.png=943978b560f9eeba4d967faa174fb2d19ec87845ec906b2b4de1fc4be1d9ce12
    hicolor/16x16/apps/quillmap.png=df0f3cb0c537c2b2ec7f43e83a304907e65787db556188895d6e6165ca4332a1
    hicolor/256x256/apps/cobbleton.png=bbe60de989296ec719f966af93400d4ce2940d46eee41d1b9f7c6d2ecde9cfe1
    hicolor/256x256/apps/quillmap.png=a1a8242d82fdc051afe0b8690a27a139a724e6a9a717a406c1e4a379ce4643b9
    hicolor/32x32/apps/cobbleton.png=b36b83d49d6df185133650a545b026cbb7f97e5a00b3978faca6fa682dcf8f58
    hicolor/32x32/apps/quillmap.png=a41309879359f34ef87ad7553d6850730a14009fbf0b12541fe80a350c7498a9
    hicolor/48x48/apps/cobbleton.png=0fed3bf1bd923d08f7cd81663d18fee0af4064de04feb41da01685e68d811521
    hicolor/48x48/apps/quillmap.png=38bbfff1c407d2087ff6c94aa982946a3eea83bbedc0d86095742f33bb786b0e
    item.bmp=9e869f50b9c16ec5c2d9ef0a079415337e3b3b6bc487ebe274045a442362e2e4
    itemonplace.bmp=f53bab9776d4bda35036c1c68a0cb61d268bc8c1312b9c0be0a7ab4069b59aba
    itemplace.bmp=6ea0e2397ba1a057a0bbeef7d4cb0918bbf3809d22c19e13def61492d3ed8214
    player.bmp=557af756c806e8baed4b0bff5bf2b2772d7825a5e889ab6db4f4a9db06a03ec7
    playeronplace.bmp=a6bceb1627a2ed4bfa37a5fd56897f7379cf04f95a1174006ad5c6e7d57dc4f1
    quillmap.ico=2d26b31065d2d57c105e46491585badafc24240cc0803b4d1822a71d3421db55
    wall.bmp=96a8eb9f217c3e441ce81b55c861e19c7ec067951754b26611bafc9b0d016e37)

set(committed_dir "${SOURCE}/resources/pictures")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${PICTUREGEN}" "${WORK}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "picturegen failed")
endif()

file(GLOB_RECURSE drawn LIST_DIRECTORIES false RELATIVE "${WORK}" "${WORK}/*")
file(GLOB_RECURSE committed LIST_DIRECTORIES false RELATIVE "${committed_dir}" "${committed_dir}/*")
list(SORT drawn)
list(SORT committed)
if(NOT drawn STREQUAL committed)
    message(SEND_ERROR "picturegen draws\n  ${drawn}\nbut resources/pictures holds\n  ${committed}")
endif()
foreach(file IN LISTS drawn)
    file(SHA256 "${WORK}/${file}" new)
    if(EXISTS "${committed_dir}/${file}")
        file(SHA256 "${committed_dir}/${file}" old)
        if(NOT new STREQUAL old)
            message(SEND_ERROR "${file}: picturegen draws other bytes than resources/pictures holds")
        endif()
    endif()
endforeach()

foreach(entry IN LISTS unchanged)
    string(REPLACE "=" ";" entry "${entry}")
    list(GET entry 0 file)
    list(GET entry 1 expected)
    foreach(dir IN ITEMS "${WORK}" "${committed_dir}")
        if(NOT EXISTS "${dir}/${file}")
            message(SEND_ERROR "${dir}/${file} is missing")
            continue()
        endif()
        file(SHA256 "${dir}/${file}" actual)
        if(NOT actual STREQUAL expected)
            message(SEND_ERROR "${dir}/${file} has changed: the picture shown at ratio 1 must not")
        endif()
    endforeach()
endforeach()
