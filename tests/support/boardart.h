// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/board.h"
#include "leveldata/levelfile.h"

#include <iosfwd>
#include <string>
#include <vector>

// Boards drawn as text, for tests. No test framework needed: GoogleTest and Qt Test both use it.
//
//   '#' Wall   '.' Floor   'o' ItemPlace   '@' Player   '$' Item   '+' Cursor (5)
//   '*' an Item standing on an ItemPlace: Item on the board, a place in levelFromArt's list
//   'p' the Player standing on an ItemPlace: Player on the board, a place in the list too
//
// Row r of the drawing is board row r and character c is column c. A drawing may be smaller
// than the board (e.g. 4 rows of 5): the cells it does not reach are Wall.
namespace testsupport {

using Art = std::vector<std::string>;

// The drawing as the game reader gives it: the last '@' or 'p' in CellIndex order is the player,
// the 'o', '*' and 'p' cells are the places in ascending order, no victory text. Throws
// std::invalid_argument for a drawing larger than 12 x 15 or an unknown character.
leveldata::GameLevel levelFromArt(const Art &rows);
inline leveldata::Board boardFromArt(const Art &rows)
{
    return levelFromArt(rows).board;
}

// The places of `level` that something stands on ('*' and 'p' in a drawing), as a file's MESTA
// section lists them.
std::vector<leveldata::CellIndex> coveredPlacesOf(const leveldata::GameLevel &level);

// The whole board as 12 rows of 15 characters; a code without a character shows as '?'.
Art artOf(const leveldata::Board &board);

// A move written as a letter: 'L', 'R', 'U', 'D' give leveldata::LeftStep ... DownStep.
// Throws std::invalid_argument for any other character.
leveldata::CellIndex stepOf(char move);

// The example level: player 32, items 49 and 79, places 55 and 85, a wall piece in row 4.
//   ###############
//   #.............#
//   #.@...........#
//   #...$.....o...#
//   #.....###.....#
//   #...$.....o...#
//   #.............#   (rows 7 to 10 alike)
//   ###############
// Functions, not globals, so other globals may be built from them.
const leveldata::Board &exampleBoard();
const leveldata::LevelInfo &exampleInfo(); // "Иван Петров", "Склад у реки", "Средний", "Все предметы на местах!"

} // namespace testsupport

namespace leveldata {
// GoogleTest prints a Board in failure messages as its drawing (found by argument lookup).
void PrintTo(const Board &board, std::ostream *out);
} // namespace leveldata
