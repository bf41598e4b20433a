#pragma once

#include "leveldata/board.h"
#include "leveldata/levelfile.h"

#include <string>
#include <vector>

// Boards drawn as text for the tests: '#' Wall, '.' Floor, 'o' ItemPlace, '@' Player, '$' Item.
// Row r of the drawing is board row r, character c is column c; cells the drawing does not
// reach are Wall. Any other character is a test bug and fails the test that uses it.
using Art = std::vector<std::string>;

leveldata::Board boardFromArt(const Art &rows);

// The drawing read as the game reads a level file: last '@' is the player, 'o' cells are the
// places in ascending order; the victory text is left empty.
leveldata::GameLevel levelFromArt(const Art &rows);

// The top-left `columns` x `rows` cells of `board` drawn as above; other codes show as '?'.
Art artOf(const leveldata::Board &board, int columns, int rows);

// The same window as `like` (its row count and the length of its first row).
Art artLike(const leveldata::Board &board, const Art &like);
