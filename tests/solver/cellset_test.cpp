// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/cellset.h"

#include <gtest/gtest.h>

#include <vector>

using leveldata::CellIndex;
using levelsolver::CellSet;

// Cells at the ends of the three words, alone and together, empty words between them included.
TEST(CellSet, WalksEveryCellInOrderAcrossWords)
{
    const std::vector<std::vector<CellIndex>> cases{
        {}, {0}, {179}, {63, 64}, {127, 128}, {0, 179}, {5, 70, 130, 131}, {128, 150, 179},
    };
    for (const std::vector<CellIndex> &cells : cases) {
        CellSet set;
        for (const CellIndex cell : cells)
            set.set(cell);
        std::vector<CellIndex> walked;
        for (const CellIndex cell : set) {
            walked.push_back(cell);
            set.reset(cell); // the walk goes on over the set as it began
        }
        EXPECT_EQ(walked, cells);
        EXPECT_FALSE(set.any());
    }
}
