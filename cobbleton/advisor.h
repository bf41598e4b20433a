// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cobbleton/gamestate.h"
#include "cobbleton/positionsearch.h"

#include <chrono>
#include <cstddef>
#include <map>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace cobbleton {

// How long the game searches for a hint (its message names the ten seconds), and how long a check
// of a position for being lost takes at most (once more for the count of undos).
inline constexpr std::chrono::seconds HintTimeLimit{10};
inline constexpr std::chrono::seconds LostCheckTimeLimit{1};

// A position of the level in play, as the history keeps it.
struct Position
{
    Board board;
    CellIndex playerCell = 0;
    TileCode underTile = leveldata::Floor;
};
Position positionOf(const GameState &state);

// What the game has learnt about the level in play from its searches: which positions can be won
// and which are lost, and a solution to hint from. Plain C++: it only hands out what to search
// and takes the results back (learn); the caller runs the searches (the window: on worker
// threads, see runLostCheck).
//
// Positions count by their PositionKey. Along the moves since the last restart, a position that
// can be won was reached only through positions that can be won, and a lost one leads only to
// lost ones; so the positions between two pushes share one verdict, and the last position that
// can be won is found by halving the pushes.
class Advisor
{
public:
    // Forgets everything, for a level just loaded with these places.
    void startLevel(const std::vector<CellIndex> &placeList);

    // The next push of the kept solution: the walk to the item and the push (l r u d, then one of
    // L R U D), each a move that the rules accept from `state`; nothing when the kept solution
    // does not pass through the position (the same items, the player in the same reach).
    std::optional<std::string> nextPush(const GameState &state) const;

    // Takes the result of searching `from`: its verdict is kept, and a solution found becomes the
    // kept one, every position on it winnable, once it has been played through the rules.
    void learn(const Position &from, const PositionVerdict &verdict);

    // One position of the history since the last restart, as a lost-position check searches it:
    // the last position before a push, `undos` undos back from the position in play.
    struct Segment
    {
        Position position;
        PositionKey key;
        std::size_t undos = 0;
        Winnable known = Winnable::Unknown;
    };
    // What a check searches: the segments from the position in play (first) back to the newest
    // known to be winnable, or to the start.
    struct LostCheck
    {
        std::vector<Segment> segments;
        std::vector<CellIndex> placeList;
    };
    struct Finding
    {
        Position from;
        PositionVerdict verdict;
    };

    // What is known of the position in play: whether it can be won and, when lost, how many
    // undos bring back the last position that can be won (nothing when that is not known, or no
    // position since the start can be won); and the check that would tell more, if any would.
    struct Assessment
    {
        Winnable current = Winnable::Unknown;
        std::optional<std::size_t> undos;
        std::optional<LostCheck> check;
    };
    Assessment assess(const GameState &state) const;

    // Searches what `check` asks, for at most `timeLimit` in all or until `stop`: the position in
    // play when its verdict is not known, otherwise (it is lost) the segments before it as far as
    // needed for the count. Returns every verdict found, for learn(). Safe to call on a worker
    // thread.
    [[nodiscard]] static std::vector<Finding> runLostCheck(LostCheck check, std::chrono::milliseconds timeLimit,
                                                           std::stop_token stop);

private:
    struct Push
    {
        PositionKey before;
        CellIndex item;
        char letter; // L R U D
    };

    Winnable known(const PositionKey &key) const;

    std::vector<CellIndex> m_placeList;
    std::map<PositionKey, bool> m_winnable;
    std::vector<Push> m_solution;
};

} // namespace cobbleton
