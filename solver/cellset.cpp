// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/cellset.h"

namespace levelsolver {

CellSet spreadWithin(CellSet seeds, const CellSet &open)
{
    CellSet r = seeds & open;
    for (;;) {
        // Updating in place lets one round run along a whole corridor in the shift's direction.
        CellSet next = r;
        next |= next.shifted(leveldata::RightStep) & open;
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
