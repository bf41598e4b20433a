// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/picorral.h"

namespace levelsolver {

PiCorral::Pushes PiCorral::pushesOf(const Maze &maze, const CellSet &items, const CellSet &reach)
{
    Pushes best;
    int bestCount = 0;
    const CellSet liveReach = reach - maze.deadCells();
    CellSet unvisited = maze.open() - reach;
    while (unvisited.any()) {
        const CellSet area = spreadWithin(CellSet::single(unvisited.first()), unvisited);
        unvisited -= area;
        const CellSet areaItems = area & items;
        if ((area & maze.places()) == areaItems)
            continue; // finished: the solution need not touch it
        const CellSet areaFree = area - items - maze.deadCells();
        Pushes pushes;
        pushes.restricted = true;
        int count = 0;
        bool intoAreaOnly = true;
        for (std::size_t side = 0; side < Steps.size() && intoAreaOnly; ++side) {
            const CellIndex step = Steps[side];
            // b - step in the reach, and b + step in the reach (out) or a free live cell (in).
            const CellSet pushable = areaItems & reach.shifted(step);
            intoAreaOnly = !(pushable & liveReach.shifted(-step)).any();
            pushes.items[side] = pushable & areaFree.shifted(-step);
            count += pushes.items[side].count();
        }
        if (!intoAreaOnly)
            continue;
        if (count == 0) {
            pushes.lost = true;
            return pushes;
        }
        if (!best.restricted || count < bestCount) {
            best = pushes;
            bestCount = count;
        }
    }
    return best;
}

} // namespace levelsolver
