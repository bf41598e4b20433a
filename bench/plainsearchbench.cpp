// SPDX-License-Identifier: GPL-3.0-or-later
// The solver in both modes against a plain search through the game's own moves, as the solver tests
// run it, on thousands of levels: the small kind of the tests and larger ones with up to four items. A level
// where the two differ is printed to stderr with its number, to be drawn again from the seed.
#include "resultstable.h"

#include "tests/solver/plainsearch.h"
#include "tests/solver/randomlevel.h"
#include "tests/support/boardart.h"

#include <chrono>
#include <iostream>
#include <string>

namespace {

using namespace solvercheck;

void compareOn(const std::string &kind, int levels, unsigned seed, const RandomLevelOptions &options)
{
    std::mt19937 random(seed);
    int won = 0, differ = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < levels; ++n) {
        const leveldata::Board board = randomLevel(random, options);
        const std::optional<int> plain = fewestPushes(board);
        won += plain.has_value();
        for (const levelsolver::SolveMode mode : {levelsolver::SolveMode::Fast, levelsolver::SolveMode::Optimal}) {
            const SolverAnswer answer = askSolver(board, plain, mode, std::chrono::seconds(10));
            if (answer.agrees)
                continue;
            ++differ;
            std::cerr << kind << ", seed " << seed << ", level " << n << ", "
                      << (mode == levelsolver::SolveMode::Fast ? "fast" : "fewest pushes") << ": solver "
                      << levelsolver::verdictName(answer.result.verdict) << " " << answer.result.pushCount
                      << ", plain search " << (plain ? std::to_string(*plain) : "no solution") << "\n";
            for (const std::string &row : testsupport::artOf(board))
                std::cerr << row << "\n";
        }
    }
    printRow({"Solver (both modes) against plain search, " + std::to_string(levels) + " " + kind,
              (differ == 0 ? std::string("all agree") : std::to_string(differ) + " answers differ") + " ("
                  + std::to_string(won) + " won) in " + formatDuration(nanosecondsSince(start)),
              "all agree", verdict(differ == 0)});
}

} // namespace

int main()
{
    compareOn("small random levels", 5000, 1, {});
    compareOn("larger random levels (up to 4 items, rooms of up to 8 × 5)", 500, 2,
              {.maxItems = 4, .maxWidth = 8, .maxHeight = 5});
    compareOn("random levels with two places facing each other across a cell (up to 4 items, rooms of up to 6 × 6)",
              500, 3, {.maxItems = 4, .maxWidth = 6, .maxHeight = 6, .wallPercent = 10, .facingPlaces = true});
    return 0;
}
