// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/board.h"

#include <chrono>
#include <stop_token>
#include <vector>

namespace quillmap {

// How long the editor searches for a solution (its message names the ten seconds).
inline constexpr std::chrono::seconds SolvabilityTimeLimit{10};

// Whether a level can be won, as far as the search found out.
struct Solvability
{
    enum class Outcome {
        Solved,     // moves and pushes of a solution found
        NoSolution, // no sequence of moves wins the level
        Undecided,  // the time ran out first
        Cancelled,  // stopped on request
    };
    Outcome outcome = Outcome::Undecided;
    int moves = 0;
    int pushes = 0;
};

// Searches `board` with its covered places — a level as the editor saves it, past the save
// checks — for a way to win it as the game plays it, for at most `timeLimit` or until `stop` is requested. Codes the
// game walks like floor (anything but 0 .. 4) count as floor; a level without places is won at once. Safe to call on a
// worker thread; searches on the cores there are, at most two, as cobbleton-levels does.
[[nodiscard]] Solvability solvabilityOf(leveldata::Board board, const std::vector<leveldata::CellIndex> &coveredPlaces,
                                        std::chrono::milliseconds timeLimit, std::stop_token stop);

} // namespace quillmap
