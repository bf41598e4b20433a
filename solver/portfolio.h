// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/maze.h"
#include "solver/pushsearch.h"
#include "solver/solver.h"

namespace levelsolver {

// The searches of one solveBoard call. With options.threads at most 1: one PushSearch in
// options.mode, given exactly the caller's options. With 2 or more: the fast and the
// fewest-pushes searches on two threads at once, each with half of memoryLimitBytes, both until
// the caller's time limit or stop request, and the verdict settled as SolveOptions::threads
// tells (in Optimal mode the fast search's thread then goes on with a second fewest-pushes
// search). Its stats add up the searches (memoryBytes: the most each thread took, together never
// above the budget); seconds is the time of the whole call; options.progress gets the sums.
[[nodiscard]] PushSearch::Outcome searchPortfolio(const Maze &maze, const SolveOptions &options);

} // namespace levelsolver
