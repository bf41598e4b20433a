// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/board.h"

#include <string>
#include <vector>

namespace levelsolver {

// Something wrong with a level, found without solving it.
struct Problem
{
    enum class Kind {
        NoPlayer,         // no Player cell
        SeveralPlayers,   // count: Player cells; the game plays the last one
        UnknownTile,      // cell: the first cell holding a code other than 0 .. 4
        NoPlaces,         // no ItemPlace cell
        CountMismatch,    // count: items; other: places
        UnreachableItem,  // cell: an item the player can never get to, whatever is pushed
        UnreachablePlace, // cell: the same for a place
        OpenRing,         // cell: the first outer-ring cell that is not Wall (a warning)
    };

    Kind kind;
    bool blocking = true; // false for a warning: the game plays the level as it is
    leveldata::CellIndex cell = -1;
    int count = 0;
    int other = 0;

    // One English line, e.g. "2 players (cells 17 and 40)"; cells as "column 3, row 2" (from 0).
    std::string text() const;
};

// Every problem of `board`: exactly one player; items as many as places and at least one;
// only the tile codes 0 .. 4; every item and place joined to the player by non-Wall cells (items
// counted as passable); and, as a warning, an outer ring that is not all Wall (the game accepts
// such a level: a step off the right edge comes back in on the left, one row down).
// Empty for a level that is fit to be solved.
[[nodiscard]] std::vector<Problem> levelProblems(const leveldata::Board &board);

// Whether any of the problems keeps the level from being solved.
[[nodiscard]] bool hasBlockingProblem(const std::vector<Problem> &problems);

} // namespace levelsolver
