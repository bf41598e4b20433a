# SPDX-License-Identifier: GPL-3.0-or-later
# Runs cobbleton-levels as a user would and checks its exit statuses and what it prints.
# cmake -DPROGRAM=<cobbleton-levels> -DDATA=<tests/leveltool/data> -DLEVELS=<levels>
#       -DHARD_LEVEL=<a level no search decides in a millisecond> -DWORK=<scratch dir> -P …

function(run expected_status)
    execute_process(COMMAND "${PROGRAM}" ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status STREQUAL "${expected_status}")
        message(SEND_ERROR "cobbleton-levels ${ARGN}: exit ${status}, expected ${expected_status}\n${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect text pattern)
    if(NOT text MATCHES "${pattern}")
        message(SEND_ERROR "expected to match '${pattern}':\n${text}")
    endif()
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/out")

# Every sample level is a valid level with a solution.
file(GLOB samples "${LEVELS}/*.lay")
run(0 check ${samples})
# On two threads the fewest-pushes search may be the first to solve a level, and says so.
string(REGEX MATCHALL ": solved, [0-9]+ moves, [0-9]+ pushes( \\(fewest pushes, proven\\))?\n" solved "${out}")
list(LENGTH samples sample_count)
list(LENGTH solved solved_count)
if(NOT solved_count EQUAL sample_count OR sample_count LESS 10)
    message(SEND_ERROR "${solved_count} of ${sample_count} sample levels solved:\n${out}")
endif()

run(1 check "${DATA}/small.lay" "${DATA}/two_players.lay" "${DATA}/no_solution.lay")
expect("${out}" "small.lay: solved, 4 moves, 3 pushes[^\n]*\n.*two_players.lay: invalid: 2 players.*\n.*no_solution.lay: no solution\n")
# One level alone decides it as well: no solution, or undecided within the time given.
run(1 check "${DATA}/no_solution.lay")
run(1 check "${HARD_LEVEL}" --time-limit=0.001)
expect("${out}" "h04-dozen.lay: unknown \\(time limit of 0.001 s reached\\)\n$")
foreach(threads IN ITEMS 1 2)
    run(0 solve "${DATA}/small.lay" --optimal --time-limit=5 --memory 64 --threads=${threads})
    expect("${out}" "^4 moves, 3 pushes \\(fewest pushes, proven\\)\nRRRR?\n$|^4 moves, 3 pushes \\(fewest pushes, proven\\)\nrRRR\n$")
endforeach()
run(1 solve "${DATA}/no_solution.lay")
expect("${err}" "no solution \\(every position was searched\\)")
run(1 solve "${DATA}/two_players.lay")
expect("${err}" "^cobbleton-levels: [^\n]*two_players.lay: invalid level: 2 players[^\n]*\n$")

# Bad input: one line on standard error, nothing on standard output, exit 1.
file(WRITE "${WORK}/big.lay" "")
string(REPEAT "0123456789abcdef" 65536 mebibyte)
foreach(i RANGE 19)
    file(APPEND "${WORK}/big.lay" "${mebibyte}")
endforeach()
# A text file with no level in it (a title alone, comments alone) is bad input too.
foreach(bad IN ITEMS "${DATA}/binary.bin" "${DATA}/empty.lay" "${DATA}" "${WORK}/big.lay" "${WORK}/missing.lay"
                     "${DATA}/title_only.txt" "${DATA}/comments_only.sok")
    foreach(command IN ITEMS check solve export import)
        run(1 ${command} "${bad}" -o "${WORK}/out")
        if(NOT err MATCHES "^[^\n]+\n$" OR (NOT command STREQUAL "check" AND NOT out STREQUAL ""))
            message(SEND_ERROR "${command} ${bad}: expected one line on standard error\n${out}${err}")
        endif()
    endforeach()
endforeach()
file(GLOB written "${WORK}/out/*")
if(written)
    message(SEND_ERROR "bad input left files behind: ${written}")
endif()

# Import: one file per level that fits, the others skipped with their reasons; never replaced.
run(0 import "${DATA}/pack.xsb" -o "${WORK}/out")
expect("${out}" "level 1 \\(line 4\\): written to [^\n]*001-Первые-шаги.lay\n")
expect("${out}" "level 2 [^\n]*: skipped: larger than 15 × 12 \\(16 × 3\\)\n")
expect("${out}" "level 3 [^\n]*: written to [^\n]*003-item-on-a-place.lay\n")
expect("${out}" "level 4 [^\n]*: written to [^\n]*004-player-on-a-place.lay\n")
expect("${out}" "level 5 [^\n]*: skipped: not playable \\(2 players")
expect("${out}" "level 6 [^\n]*: skipped: open at the board's edge")
expect("${out}" "level 7 [^\n]*: written to [^\n]*007-Двор.lay\n")
expect("${out}" "level 8 [^\n]*: written to [^\n]*008-tall.lay, turned a quarter clockwise to fit\n")
expect("${out}" "\n5 of 8 levels written \\(1 turned a quarter clockwise\\); 1 skipped: larger than 15 × 12; "
                "1 skipped: not playable; 1 skipped: open at the board's edge\n$")
file(GLOB imported "${WORK}/out/*.lay")
run(0 check ${imported})
run(0 import "${DATA}/pack.xsb" -o "${WORK}/out")
expect("${out}" "0 of 8 levels written;.* 5 skipped: file exists;")
run(1 import "${DATA}/pack.xsb" -o "${WORK}/missing")

# Export gives back the levels as they were imported, the places under the item and the player
# and the tall level turned.
run(0 export ${imported})
set(expected "  #####\n###   #\n#@$ . #\n#######\nTitle: Первые шаги\nAuthor: Павел Зорин\n\n")
string(APPEND expected "######\n#@$.*#\n######\nTitle: Item on a place\n\n")
string(APPEND expected "#####\n#+$ #\n#   #\n#####\nTitle: Player on a place\n\n")
string(APPEND expected "#######\n#     #\n# $$  #\n#@ ..##\n######\nTitle: Двор\n\n")
string(APPEND expected "##############\n#.         $@#\n##############\nTitle: Tall\n")
if(NOT out STREQUAL expected)
    message(SEND_ERROR "export gave:\n${out}\nexpected:\n${expected}")
endif()

run(0 --help)
expect("${out}" "^Usage: cobbleton-levels COMMAND")
run(2 check)
run(2 frobnicate x.lay)
run(2 solve "${DATA}/small.lay" --time-limit=soon)
foreach(threads IN ITEMS 0 -1 two 1.5 "")
    run(2 solve "${DATA}/small.lay" --threads=${threads})
endforeach()
run(2 solve "${DATA}/small.lay" --colour)
