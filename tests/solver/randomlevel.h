// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/board.h"

#include <random>

// Small random levels, for checking the solver against plain search.
namespace solvercheck {

// The shape of the levels made. A new kind of level gets an option of its own here, off by
// default, so the levels of a given seed stay the same.
struct RandomLevelOptions
{
    int maxItems = 3;     // each level has 1 .. maxItems items and as many places
    int maxWidth = 6;     // of each of the one or two rectangles that make the room, from 3
    int maxHeight = 4;    // from 2
    int wallPercent = 15; // chance of a room cell staying Wall
    // Two places two cells apart in a line with floor between them, and the items pulled away
    // from their places (every level of this kind can be won); at least two items.
    bool facingPlaces = false;
};

// A level the solver takes (levelProblems finds nothing blocking), drawn from `random`: a room of one
// or two overlapping rectangles with wall pieces in it, one player, the items and their places;
// in about half the levels the items were pulled away from their places, so those can be won.
// The rectangles are laid out in CellIndex space: a row that runs past column 14 goes on in column 0
// of the next row, as the game's steps do, and a room often reaches the outer ring, leaving it open.
leveldata::Board randomLevel(std::mt19937 &random, const RandomLevelOptions &options = {});

} // namespace solvercheck
