// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/board.h"
#include "solver/levelproblems.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

// Checking and solving levels the way the game plays them. Plain C++; safe to run on a worker
// thread (each call has its own state) and to stop from another one.
namespace levelsolver {

enum class SolveMode {
    Fast,    // any solution, found quickly (best-first on the lower bound)
    Optimal, // the fewest pushes (A* on an admissible lower bound); moves are not minimised
};

// Counters a caller may read from another thread while a search runs; relaxed, updated a few
// hundred times a second at most.
struct SearchProgress
{
    std::atomic<std::uint64_t> expanded{0}; // positions whose pushes were tried
    std::atomic<std::uint64_t> pushes{0};   // pushes tried
};

struct SolveOptions
{
    SolveMode mode = SolveMode::Fast;
    std::chrono::milliseconds timeLimit{10'000}; // of search, from the call on
    std::size_t memoryLimitBytes = std::size_t{1024} << 20;
    std::stop_token stop;               // a stop request ends the search as Unknown
    SearchProgress *progress = nullptr; // optional, not owned (with two threads: their sums)
    // Threads to search on. 1 (or 0): one search in `mode`. 2 or more: the fast and the
    // fewest-pushes searches side by side, each with half of memoryLimitBytes and the whole time
    // limit (more threads search as two). The verdict comes as soon as it is settled, and the
    // other search is then stopped:
    // - "no solution" from either search, each complete, settles it;
    // - in Fast mode, a solution from either settles it (from the fewest-pushes search it is
    //   proven, pushOptimal);
    // - in Optimal mode, a solution of a fewest-pushes search settles it; once the fast search has
    //   a solution, its thread searches for the fewest pushes too, in another order among equal
    //   positions, with the rest of the time (whichever proves first wins); the fast solution is
    //   kept, and given with pushOptimal false when both stop at a limit;
    // - Unknown when all searches stopped, for the reason of the one that stopped last.
    unsigned threads = 1;
};

// What programs pass as SolveOptions::threads unless told otherwise: the cores there are, at most
// two (the searches a call runs), at least one.
[[nodiscard]] unsigned defaultSolverThreads();

enum class Verdict {
    Solved,     // moves holds a solution
    NoSolution, // every position was searched: the level cannot be won
    Unknown,    // the search stopped first (see stopReason)
    Invalid,    // the level has blocking problems and was not searched
};

enum class StopReason { None, TimeLimit, MemoryLimit, Cancelled };

struct SearchStats
{
    std::uint64_t expanded = 0; // positions whose pushes were tried
    std::uint64_t pushes = 0;   // pushes tried (the search rate counts these)
    std::uint64_t stored = 0;   // positions kept in the transposition table
    double seconds = 0;
    std::size_t memoryBytes = 0; // the most the search's tables took (two searches: added up)
};

struct SolveResult
{
    Verdict verdict = Verdict::Unknown;
    StopReason stopReason = StopReason::None; // why an Unknown search stopped
    std::vector<Problem> problems;            // all found, warnings included
    std::string moves;                        // l r u d steps, L R U D pushes
    int moveCount = 0;
    int pushCount = 0;
    bool pushOptimal = false; // proven fewest pushes (by a fewest-pushes search)
    SearchStats stats;
};

// Checks the board with its covered places (levelProblems) and, when nothing blocks, searches it.
// A solution always wins the level when replayed through the game's moves from the level as
// loaded; NoSolution is given only after a complete search, never when a limit or a stop request
// ended it. A level won as it is loaded is solved with no moves.
[[nodiscard]] SolveResult solveBoard(const leveldata::Board &board,
                                     const std::vector<leveldata::CellIndex> &coveredPlaces,
                                     const SolveOptions &options);
[[nodiscard]] inline SolveResult solveBoard(const leveldata::Board &board, const SolveOptions &options)
{
    return solveBoard(board, {}, options);
}

// Plays `moves` (l r u d / L R U D, either case) through the game's own rules from `board` with its
// covered places as the game loads it, and returns true when every move moved the player and the
// level is won after the last one (an empty string: when it is won as loaded). False for an unknown
// letter or a board without a player.
[[nodiscard]] bool replaySolution(const leveldata::Board &board, const std::vector<leveldata::CellIndex> &coveredPlaces,
                                  std::string_view moves);
[[nodiscard]] inline bool replaySolution(const leveldata::Board &board, std::string_view moves)
{
    return replaySolution(board, {}, moves);
}

const char *verdictName(Verdict verdict); // "solved", "no solution", "unknown", "invalid"

} // namespace levelsolver
