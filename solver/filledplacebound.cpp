// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/filledplacebound.h"

#include <algorithm>
#include <bit>

namespace levelsolver {

namespace {
constexpr std::size_t SideEntries = std::size_t{leveldata::CellCount} * 4; // per place of a table
constexpr std::size_t MostPlaces = 20; // above, the closer bound costs more time than it saves
static_assert(MostPlaces <= 64);
} // namespace

FilledPlaceBound::FilledPlaceBound(const Maze &maze) : m_maze(maze), m_placeNumber(leveldata::CellCount, -1)
{
    const std::vector<CellIndex> &places = maze.placeList();
    if (places.size() > MostPlaces)
        return;
    m_walled.reserve(places.size() * places.size() * SideEntries);
    for (std::size_t p = 0; p < places.size(); ++p) {
        m_placeNumber[static_cast<std::size_t>(places[p])] = static_cast<int>(p);
        const std::vector<std::uint16_t> table = maze.sideDistancesWithWall(places[p]);
        m_walled.insert(m_walled.end(), table.begin(), table.end());
    }
    const std::vector<std::uint16_t> plain = maze.sideDistancesWithWall(-1);
    m_walledUp.assign(places.size(), 0);
    for (std::size_t b = 0; b < places.size(); ++b) {
        for (std::size_t p = 0; p < places.size(); ++p) {
            if (!std::equal(plain.begin() + static_cast<std::ptrdiff_t>(p * SideEntries),
                            plain.begin() + static_cast<std::ptrdiff_t>((p + 1) * SideEntries),
                            m_walled.begin() + static_cast<std::ptrdiff_t>((b * places.size() + p) * SideEntries)))
                m_walledUp[p] |= std::uint64_t{1} << b;
        }
    }
}

std::uint16_t FilledPlaceBound::walledDistance(std::size_t wallPlace, std::size_t place, CellIndex cell,
                                               std::uint8_t sides) const
{
    const std::size_t n = m_maze.placeList().size();
    return Maze::nearestOnSides(&m_walled[(wallPlace * n + place) * SideEntries + static_cast<std::size_t>(cell) * 4],
                                sides);
}

std::uint16_t FilledPlaceBound::aroundFilled(std::size_t place, CellIndex cell, std::uint8_t sides) const
{
    std::uint16_t d = m_maze.pushDistance(place, cell, sides);
    for (std::uint64_t walls = m_filled & m_walledUp[place]; walls != 0; walls &= walls - 1)
        d = std::max(d, walledDistance(static_cast<std::size_t>(std::countr_zero(walls)), place, cell, sides));
    return d;
}

int FilledPlaceBound::improve(const std::vector<CellIndex> &rowCells, CellIndex player, const std::vector<int> &cost,
                              const MinCostMatching &matching, int plain)
{
    const std::size_t n = m_maze.placeList().size();
    if (m_walled.empty())
        return plain;
    m_filledRows.clear();
    m_freeRows.clear();
    m_freePlaces.assign(n, 1);
    m_filled = 0;
    for (std::size_t row = 0; row < n; ++row) {
        const int place = m_placeNumber[static_cast<std::size_t>(rowCells[row])];
        if (place < 0) {
            m_freeRows.push_back(row);
        } else {
            m_filledRows.push_back(row);
            m_freePlaces[static_cast<std::size_t>(place)] = 0;
            m_filled |= std::uint64_t{1} << place;
        }
    }
    if (m_filledRows.empty() || m_freeRows.empty())
        return plain;

    // Both cases cost no more than `plain` when the plain pairing keeps every filled place's item
    // on it (else case (b) does not) and pairs no other item through a filled place (else case
    // (a) does not): most positions end here.
    matching.pairing(m_columnOfRow);
    bool blocked = false;
    for (std::size_t row = 0; row < n && !blocked; ++row) {
        const auto column = static_cast<std::size_t>(m_columnOfRow[row]);
        const int place = m_placeNumber[static_cast<std::size_t>(rowCells[row])];
        if (place >= 0 && static_cast<std::size_t>(place) != column)
            return plain;
        if (place < 0) {
            const std::uint16_t d = aroundFilled(column, rowCells[row], m_maze.sidesFrom(rowCells[row], player));
            blocked = (d == Maze::Unreachable ? MinCostMatching::Infinite : d) > cost[row * n + column];
        }
    }
    if (!blocked)
        return plain;

    // Case (a): the others to the other places, around every filled place.
    const std::size_t k = m_freeRows.size();
    m_cost.assign(k * k, 0);
    for (std::size_t r = 0; r < k; ++r) {
        const CellIndex cell = rowCells[m_freeRows[r]];
        const std::uint8_t sides = m_maze.sidesFrom(cell, player);
        std::size_t column = 0;
        for (std::size_t p = 0; p < n; ++p) {
            if (!m_freePlaces[p])
                continue;
            const std::uint16_t d = aroundFilled(p, cell, sides);
            m_cost[r * k + column++] = d == Maze::Unreachable ? MinCostMatching::Infinite : d;
        }
    }
    int best = m_rest.solve(static_cast<int>(k), m_cost);
    if (best <= plain)
        return plain;

    // Case (b): one filled place left, by each item on a place in turn.
    best = std::min(best, plain + 2);
    m_all.startFrom(matching);
    for (const std::size_t filled : m_filledRows) {
        m_allCost = cost;
        m_allCost[filled * n + static_cast<std::size_t>(m_placeNumber[static_cast<std::size_t>(rowCells[filled])])] =
            MinCostMatching::Infinite;
        best = std::min(best, m_all.solveWithRowChanged(static_cast<int>(filled), m_allCost));
        if (best <= plain)
            return plain;
    }
    return best;
}

std::size_t FilledPlaceBound::memoryBytes() const
{
    return m_walled.capacity() * sizeof(std::uint16_t) + m_placeNumber.capacity() * sizeof(int);
}

} // namespace levelsolver
