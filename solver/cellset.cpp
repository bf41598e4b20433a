// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/cellset.h"

namespace levelsolver {

// Each round spreads towards higher cells along whole runs of open cells by one addition, whose
// carry runs through a run (and across rows, as the game's right step does), and one step the
// other three ways.
CellSet spreadWithin(CellSet seeds, const CellSet &open)
{
    CellSet r = seeds & open;
    for (;;) {
        CellSet next = r | (open - open.plus(r));
        next |= next.shifted(leveldata::DownStep) & open;
        next |= next.shifted(leveldata::LeftStep) & open;
        next |= next.shifted(leveldata::UpStep) & open;
        if (next == r)
            return r;
        r = next;
    }
}

CellSet reachableFrom(CellIndex from, const CellSet &open)
{
    if (!leveldata::isOnBoard(from))
        return {};
    return spreadWithin(CellSet::single(from), open);
}

} // namespace levelsolver
