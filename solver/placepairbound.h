// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/matching.h"
#include "solver/maze.h"

#include <cstdint>
#include <vector>

namespace levelsolver {

// A closer lower bound for places that face each other two cells apart, with open floor between:
//
//     . m .      p and q are places, m the cell between them
//     p   q
//
// The last push onto p from m needs the player on q, and the last push onto q from m needs it on
// p. Whichever of the two last pushes comes later finds the other place holding its item for good
// (that item's own last push is behind it), so at least one of p and q gets its last push from
// another side, or none at all (its item stands on it already and stays). The cheapest pairing of
// items to places, each cost at least its push distance, cannot see this; where both places of a
// pair would be paired with items whose cheapest way in is from m, the bound rises.
//
// For every choice of one place from each such pair, the pairing with the chosen places' costs
// taken without the push from m (Maze::sideDistancesArrivingFrom; 0 for an item on the place)
// bounds every way to win that keeps to that choice, and every way keeps to one of them: the
// least over the choices is a lower bound, never below the plain pairing. Only the pairs where
// both places gain are chosen among, at most MostPairs of them, so a position costs a few
// small pairings at most.
class PlacePairBound
{
public:
    explicit PlacePairBound(const Maze &maze);

    bool empty() const { return m_pairs.empty(); } // the board has no such pair of places

    // As FilledPlaceBound::improve: `rowCells` are the items in the rows of `cost`, the pairing
    // matrix of the bound `plain` that `matching` worked out last. Returns the closer bound
    // (plain, or more; MinCostMatching::Infinite when no choice can be kept to).
    [[nodiscard]] int improve(const std::vector<CellIndex> &rowCells, CellIndex player, const std::vector<int> &cost,
                              const MinCostMatching &matching, int plain);

    std::size_t memoryBytes() const;

private:
    static constexpr std::size_t MostPairs = 4;

    // One place of a pair, with its distances when the last push onto it does not come from m.
    struct End
    {
        std::size_t place;
        std::vector<std::uint16_t> distance; // Maze::sideDistancesArrivingFrom
    };
    struct Pair
    {
        End ends[2];
    };

    int costWithout(const End &end, CellIndex cell, CellIndex player) const;
    // The least pairing over the choices of m_chosen from `depth` on, below `best`.
    int leastOverChoices(std::size_t depth, int best);

    const Maze &m_maze;
    std::vector<Pair> m_pairs;
    // The work of one improve(): the chosen pairs, the places' rows (the cost matrix turned, a row
    // per place) after each depth of choices, a matching per depth.
    const std::vector<CellIndex> *m_rowCells = nullptr;
    CellIndex m_player = 0;
    std::vector<const Pair *> m_chosen;
    std::vector<std::vector<int>> m_placeRows;
    std::vector<MinCostMatching> m_matchings;
    std::vector<int> m_columnOfRow, m_rowOfColumn;
};

} // namespace levelsolver
