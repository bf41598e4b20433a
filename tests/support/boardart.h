#pragma once

#include "leveldata/board.h"
#include "leveldata/levelfile.h"

#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>

// Boards drawn as text, for tests. No test framework needed: GoogleTest and Qt Test both use it.
//
//   '#' Wall   '.' Floor   'o' ItemPlace   '@' Player   '$' Item   '+' Cursor (5)
//
// Row r of the drawing is board row r and character c is column c. A drawing may be smaller
// than the board (e.g. 4 rows of 5): the cells it does not reach are Wall.
namespace testsupport {

// Throws std::invalid_argument for a drawing larger than 12 x 15 or an unknown character.
leveldata::Board boardFromArt(std::initializer_list<std::string_view> rows);

// The drawing as the game reader gives it: the last '@' in CellIndex order is the player, the
// 'o' cells are the places in ascending order, no victory text.
leveldata::GameLevel levelFromArt(std::initializer_list<std::string_view> rows);

// The whole board as 12 lines of 15 characters, each ending in '\n'; a code without a
// character shows as '?'.
std::string artOf(const leveldata::Board &board);

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
const leveldata::LevelInfo &exampleInfo();   // "Иван Петров", "Склад у реки", "Средний", "Все предметы на местах!"

} // namespace testsupport

namespace leveldata {
// GoogleTest prints a Board in failure messages as its drawing (found by argument lookup).
void PrintTo(const Board &board, std::ostream *out);
} // namespace leveldata
