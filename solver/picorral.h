// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/maze.h"

#include <array>

namespace levelsolver {

// PI-corral pruning: which pushes of a position need to be tried at all.
//
// Take an area the player cannot reach: a connected group of non-Wall cells outside the player's
// reach, with the items in it. Nothing outside can get in before one of its items is pushed, so
// the pushes of other items leave it as it is. When no item of the area can be pushed from the
// reach into the reach (onto a live cell), the first push of one of its items in any solution
// goes into the area, from a cell the player can walk to now, and could as well come first:
// moving it to the front keeps every other push possible and ends in the same position after as
// many pushes. So when such an area is not yet finished (an item off a place or an empty place
// in it), only the pushes into it need to be tried, and if there are none the position is lost.
// This keeps both the solvability and the fewest pushes of every position.
class PiCorral
{
public:
    struct Pushes
    {
        bool restricted = false;        // false: try every push
        bool lost = false;              // the position can never be won
        std::array<CellSet, 4> items{}; // when restricted: per Steps side, the items to push
    };

    // For a position with `items` where the player can walk to `reach`; picks the area with the
    // fewest pushes.
    [[nodiscard]] static Pushes pushesOf(const Maze &maze, const CellSet &items, const CellSet &reach);
};

} // namespace levelsolver
