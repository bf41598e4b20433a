// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/solver/plainsearch.h"
#include "tests/solver/randomlevel.h"

#include "tests/support/boardart.h"

#include <gtest/gtest.h>

using namespace solvercheck;

namespace {

bool hasOpenRing(const leveldata::Board &board)
{
    for (leveldata::CellIndex i = 0; i < leveldata::CellCount; ++i) {
        if (leveldata::isBorderCell(i) && board[i] != leveldata::Wall)
            return true;
    }
    return false;
}

} // namespace

// Every pruning rule of the solver has to keep to this: on small random levels, the same verdict in
// both modes and the same fewest pushes as a search that knows nothing but the game's own moves.
TEST(SolverAgainstPlainSearch, SameVerdictAndFewestPushes)
{
    constexpr int Levels = 300;
    std::mt19937 random(22);
    int won = 0, openRings = 0;
    for (int n = 0; n < Levels; ++n) {
        const leveldata::Board board = randomLevel(random);
        const std::optional<int> plain = fewestPushes(board);
        for (const levelsolver::SolveMode mode : {levelsolver::SolveMode::Fast, levelsolver::SolveMode::Optimal}) {
            const SolverAnswer answer = askSolver(board, plain, mode, std::chrono::seconds(30));
            EXPECT_TRUE(answer.agrees) << "level " << n << ": solver "
                                       << levelsolver::verdictName(answer.result.verdict) << ", "
                                       << answer.result.pushCount << " pushes; plain search "
                                       << (plain ? std::to_string(*plain) + " pushes" : "no solution")
                                       << testing::PrintToString(board);
        }
        won += plain.has_value();
        openRings += hasOpenRing(board);
    }
    // Won and lost levels, and open rings, all in numbers.
    EXPECT_GT(won, Levels / 4);
    EXPECT_LT(won, Levels * 3 / 4);
    EXPECT_GT(openRings, Levels / 4);
}
