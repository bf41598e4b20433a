// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cobbleton/gamestate.h"

#include <array>
#include <chrono>
#include <compare>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace cobbleton {

// A position of the level in play as the solver takes it: the board, every listed place that an
// Item or the player stands on among the covered places, and every code the game walks like floor
// (a second Player tile, a code outside 0 .. 4) as Floor.
struct SolverPosition
{
    Board board;
    std::vector<CellIndex> coveredPlaces;
};
SolverPosition solverPositionOf(const Board &board, CellIndex playerCell, const std::vector<CellIndex> &placeList);

// What decides whether a position can be won: where the items stand and which cells the player
// can walk to (a walk changes no item and can always be walked back). Two positions with the
// same key are won or lost alike.
struct PositionKey
{
    std::array<std::uint64_t, 3> items{}; // bit k: an Item on cell k
    CellIndex reach = -1;                 // the lowest cell the player can walk to
    auto operator<=>(const PositionKey &) const = default;
};
PositionKey positionKeyOf(const Board &board, CellIndex playerCell);

// The steps (l r u d) of a shortest walk of the player from `from` to `to` on `board`, over
// every cell but Wall and Item; nothing when there is none.
std::optional<std::string> walkOf(const Board &board, CellIndex from, CellIndex to);

// The offset of a step or push named l r u d or L R U D; 0 for any other letter.
CellIndex stepOfLetter(char letter);

enum class Winnable { Yes, No, Unknown };

struct PositionVerdict
{
    Winnable winnable = Winnable::Unknown;
    bool timedOut = false; // Unknown because the time (or the memory) ran out, not on request
    std::string moves;     // for Yes: a solution from the position (empty when it is won)
};

// Searches `position` for a solution for at most `timeLimit` or until `stop` is requested. No only
// when proven: after a complete search, or with fewer items than places. A position the solver
// cannot take (no player, more items than places) is Unknown, as is one that cannot be searched
// in time. Safe to call on a worker thread.
[[nodiscard]] PositionVerdict searchPosition(const SolverPosition &position, std::chrono::milliseconds timeLimit,
                                             std::stop_token stop);

} // namespace cobbleton
