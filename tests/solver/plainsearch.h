// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/board.h"
#include "solver/solver.h"

#include <chrono>
#include <optional>

// The solver's answer checked against the plainest search there is.
namespace solvercheck {

// The fewest pushes that win `board` played through the game's own cobbleton::move() from the
// level as loaded, or nothing when no moves win it: a breadth-first search over whole game
// positions (board, player cell, tile under the player) that knows no rule but the game's. Time
// and memory grow with the number of positions: keep to small rooms and a few items.
std::optional<int> fewestPushes(const leveldata::Board &board);

// The solver on `board` in `mode` within `timeLimit`, and whether it agrees with the plain search's
// `plain`: no solution where there is none; otherwise solved, in fewest-pushes mode in that many
// pushes and proven fewest.
struct SolverAnswer
{
    levelsolver::SolveResult result;
    bool agrees = false;
};
SolverAnswer askSolver(const leveldata::Board &board, std::optional<int> plain, levelsolver::SolveMode mode,
                       std::chrono::milliseconds timeLimit);

} // namespace solvercheck
