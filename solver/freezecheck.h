// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/maze.h"

#include <vector>

namespace levelsolver {

// Freeze deadlocks: items that can never move again. An item is frozen along an axis (left-right
// or up-down) when a wall stands on either side, when both sides are dead cells, or when an item
// on either side is itself frozen, that first item counted as a wall while the second is looked
// at. An item frozen along both axes stays where it is for good, and so do the items its proof
// leaned on; if one of them is off a place, the level can no longer be won.
class FreezeCheck
{
public:
    explicit FreezeCheck(const Maze &maze) : m_maze(maze) { }

    // True when the item on `cell` (which must be in `items`) is frozen together with an item off
    // a place. False also when the check gives up on a very large cluster, which is always safe.
    [[nodiscard]] bool isDeadlock(const CellSet &items, CellIndex cell);

private:
    [[nodiscard]] bool frozen(CellIndex cell);
    [[nodiscard]] bool blockedAlong(CellIndex cell, CellIndex step);

    const Maze &m_maze;
    CellSet m_items, m_heldWalls;
    std::vector<CellIndex> m_proof;
    int m_budget = 0;
};

} // namespace levelsolver
