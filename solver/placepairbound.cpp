// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/placepairbound.h"

#include <algorithm>

namespace levelsolver {

PlacePairBound::PlacePairBound(const Maze &maze) : m_maze(maze)
{
    const std::vector<CellIndex> &places = maze.placeList();
    for (std::size_t p = 0; p < places.size(); ++p) {
        for (std::size_t side = 0; side < Steps.size(); ++side) {
            const CellIndex between = places[p] + Steps[side];
            const CellIndex across = between + Steps[side];
            if (!maze.isOpen(between) || !maze.isOpen(across) || !maze.places().test(across) || across < places[p])
                continue;
            // Steps come in opposite pairs: side ^ 1 is the side of the other place facing m.
            const auto q = static_cast<std::size_t>(std::find(places.begin(), places.end(), across) - places.begin());
            const auto without = [&](std::size_t place, std::size_t fromSide) {
                return End{place,
                           maze.sideDistancesArrivingFrom(place, static_cast<std::uint8_t>(0xF & ~(1U << fromSide)))};
            };
            m_pairs.push_back(Pair{{without(p, side), without(q, side ^ 1)}});
        }
    }
}

int PlacePairBound::costWithout(const End &end, CellIndex cell, CellIndex player) const
{
    if (cell == m_maze.placeList()[end.place])
        return 0;
    const std::uint16_t best =
        Maze::nearestOnSides(&end.distance[static_cast<std::size_t>(cell) * 4], m_maze.sidesFrom(cell, player));
    return best == Maze::Unreachable ? MinCostMatching::Infinite : best;
}

int PlacePairBound::improve(const std::vector<CellIndex> &rowCells, CellIndex player, const std::vector<int> &cost,
                            const MinCostMatching &matching, int plain)
{
    if (m_pairs.empty())
        return plain;
    const std::size_t n = m_maze.placeList().size();
    matching.pairing(m_columnOfRow);
    m_rowOfColumn.assign(n, 0);
    for (std::size_t row = 0; row < n; ++row)
        m_rowOfColumn[static_cast<std::size_t>(m_columnOfRow[row])] = static_cast<int>(row);

    // The pairs where the plain pairing takes both places' items in from m.
    m_chosen.clear();
    for (const Pair &pair : m_pairs) {
        const bool gains = std::all_of(std::begin(pair.ends), std::end(pair.ends), [&](const End &end) {
            const auto row = static_cast<std::size_t>(m_rowOfColumn[end.place]);
            return costWithout(end, rowCells[row], player) > cost[row * n + end.place];
        });
        if (gains)
            m_chosen.push_back(&pair);
        if (m_chosen.size() == MostPairs)
            break;
    }
    if (m_chosen.empty())
        return plain;

    m_rowCells = &rowCells;
    m_player = player;
    m_placeRows.resize(m_chosen.size() + 1);
    m_matchings.resize(m_chosen.size() + 1);
    std::vector<int> &turned = m_placeRows[0];
    turned.resize(n * n);
    for (std::size_t row = 0; row < n; ++row) {
        for (std::size_t place = 0; place < n; ++place)
            turned[place * n + row] = cost[row * n + place];
    }
    if (m_matchings[0].solve(static_cast<int>(n), turned) != plain)
        return plain; // not the pairing it was asked about: nothing gained
    return std::max(plain, leastOverChoices(0, MinCostMatching::Infinite));
}

// Costs only rise with each choice, so a partial choice already at `best` goes no further.
int PlacePairBound::leastOverChoices(std::size_t depth, int best)
{
    const std::size_t n = m_maze.placeList().size();
    for (const End &end : m_chosen[depth]->ends) {
        std::vector<int> &rows = m_placeRows[depth + 1];
        rows = m_placeRows[depth];
        for (std::size_t row = 0; row < n; ++row) {
            int &entry = rows[end.place * n + row];
            entry = std::max(entry, costWithout(end, (*m_rowCells)[row], m_player));
        }
        const int bound = m_matchings[depth].solveWithRowChanged(static_cast<int>(end.place), rows);
        if (bound >= best)
            continue;
        if (depth + 1 == m_chosen.size()) {
            best = bound;
        } else {
            m_matchings[depth + 1].startFrom(m_matchings[depth]);
            best = leastOverChoices(depth + 1, best);
        }
    }
    return best;
}

std::size_t PlacePairBound::memoryBytes() const
{
    std::size_t bytes = m_pairs.capacity() * sizeof(Pair);
    for (const Pair &pair : m_pairs) {
        for (const End &end : pair.ends)
            bytes += end.distance.capacity() * sizeof(std::uint16_t);
    }
    return bytes;
}

} // namespace levelsolver
