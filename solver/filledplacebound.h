// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/matching.h"
#include "solver/maze.h"

#include <cstdint>
#include <vector>

namespace levelsolver {

// A closer lower bound for positions with items on places, which the cheapest pairing of items
// to places (by push distance) leaves too low when a filled place stands in the way of the others:
// in a room whose back places are pushed into from the front ones, filling a front place first
// costs pushes the pairing does not see.
//
// Let F be the items standing on places, and M the pairing's bound. Any way to win the position
// either (a) never pushes an item of F, or (b) pushes some item x of F, standing on place b.
// (a) Then every cell of F is a wall for the whole rest of the game, for the other items and for
//     the player, and the others fill the other places: each needs at least its push distance with
//     any one of F's cells walled up (Maze::sideDistancesWithWall), the largest of them counts, and
//     the cheapest pairing of the others to the other places by these costs is a lower bound.
// (b) If x ends on b it leaves b and comes back: two pushes more than the 0 that M counts for it,
//     so at least M + 2. If it ends elsewhere, the cheapest pairing with x kept off b bounds it.
// The smaller of the two cases is a lower bound of every way to win, never below M.
class FilledPlaceBound
{
public:
    explicit FilledPlaceBound(const Maze &maze);

    // `rowCells` are the items in the rows of `cost`, the pairing matrix of the bound `plain`
    // (each row as PushSearch fills it for the player on `player`) that `matching` worked out
    // last; returns the closer bound (plain, or more).
    [[nodiscard]] int improve(const std::vector<CellIndex> &rowCells, CellIndex player, const std::vector<int> &cost,
                              const MinCostMatching &matching, int plain);

    std::size_t memoryBytes() const;

private:
    std::uint16_t walledDistance(std::size_t wallPlace, std::size_t place, CellIndex cell, std::uint8_t sides) const;
    // The largest walledDistance over the filled places (m_filled), the plain distance at least.
    std::uint16_t aroundFilled(std::size_t place, CellIndex cell, std::uint8_t sides) const;

    const Maze &m_maze;
    std::vector<std::uint16_t> m_walled;   // sideDistancesWithWall of every place, place-major
    std::vector<int> m_placeNumber;        // of each cell, -1 off the places
    std::vector<std::uint64_t> m_walledUp; // of each place: bit b when walling up place b changes its distances
    std::uint64_t m_filled = 0;            // bit b: place b holds an item
    MinCostMatching m_rest, m_all;
    std::vector<int> m_cost, m_allCost;
    std::vector<std::size_t> m_filledRows, m_freeRows, m_freePlaces;
    std::vector<int> m_columnOfRow;
};

} // namespace levelsolver
