// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/solvability.h"

#include "solver/solver.h"

#include <algorithm>

namespace quillmap {

using levelsolver::Problem;

Solvability solvabilityOf(leveldata::Board board, const std::vector<leveldata::CellIndex> &coveredPlaces,
                          std::chrono::milliseconds timeLimit, std::stop_token stop)
{
    // The game steps onto any code but Wall, Item and ItemPlace and leaves Floor behind, so a
    // stray code plays exactly as floor does.
    std::replace_if(
        board.begin(), board.end(),
        [](leveldata::TileCode code) { return code < leveldata::Wall || code > leveldata::Item; }, leveldata::Floor);

    levelsolver::SolveOptions options;
    options.timeLimit = timeLimit;
    options.stop = stop;
    options.threads = levelsolver::defaultSolverThreads();
    const levelsolver::SolveResult result = levelsolver::solveBoard(board, coveredPlaces, options);
    switch (result.verdict) {
    case levelsolver::Verdict::Solved: return {Solvability::Outcome::Solved, result.moveCount, result.pushCount};
    case levelsolver::Verdict::NoSolution: return {Solvability::Outcome::NoSolution};
    case levelsolver::Verdict::Unknown:
        return {stop.stop_requested() ? Solvability::Outcome::Cancelled : Solvability::Outcome::Undecided};
    case levelsolver::Verdict::Invalid: break;
    }
    // Past the save checks a level has one player and as many items as places, so what the
    // solver refuses is a level without places, which the game counts as won when it is
    // loaded, or an item or place no push can ever reach: then no move wins it.
    const bool noPlaces = std::any_of(result.problems.begin(), result.problems.end(),
                                      [](const Problem &p) { return p.kind == Problem::Kind::NoPlaces; });
    return {noPlaces ? Solvability::Outcome::Solved : Solvability::Outcome::NoSolution};
}

} // namespace quillmap
