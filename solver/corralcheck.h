// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/freezecheck.h"
#include "solver/maze.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace levelsolver {

// Corral deadlocks. A corral is an area of free cells the player cannot reach; the items next to
// it fence it in. Removing items from a position only frees the player, so every way to win the
// position, with the pushes of removed items left out, is also a way to bring the kept items
// onto places in the position without them. This check keeps only the fence of the corral beside
// the item just pushed and searches that small position to the end: when no sequence of pushes
// puts all the kept items on places, the whole position is lost.
//
// The small search gives up (and the position is kept) when it has seen `nodeLimit` positions or
// when the player gets into the corral, so a position is only pruned after a complete search.
// A search that never lets the player in also shows that no other item can get in: it would be
// pushed in from a cell next to the corral, where the player, with that item gone, could step in.
// So the empty places in the corral must end up holding fence items, and the small search asks
// for that too; this finds places sealed off behind items that stand on places.
class CorralCheck
{
public:
    CorralCheck(const Maze &maze, int nodeLimit);

    // `items` after a push onto `pushedTo`; `reach` is what the player can walk to now.
    [[nodiscard]] bool isDeadlock(const CellSet &items, const CellSet &reach, CellIndex pushedTo);

    std::size_t memoryBytes() const;

private:
    struct Position
    {
        CellSet items;
        CellIndex player;
        bool operator==(const Position &) const = default;
    };
    struct PositionHash
    {
        std::size_t operator()(const Position &p) const;
    };
    struct Question // a small search: its start and the corral
    {
        Position start;
        CellSet corral;
        bool operator==(const Question &) const = default;
    };
    struct QuestionHash
    {
        std::size_t operator()(const Question &q) const;
    };

    // True when no sequence of pushes puts every kept item on a place and fills the corral's
    // places; false when one does, or the search gave up.
    [[nodiscard]] bool searchFails(const Question &question);

    const Maze &m_maze;
    FreezeCheck m_freeze;
    int m_nodeLimit;
    std::unordered_map<Question, bool, QuestionHash> m_known; // results so far
    std::vector<Position> m_queue;
};

} // namespace levelsolver
