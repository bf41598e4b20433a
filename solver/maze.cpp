// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/maze.h"

#include "leveldata/levelfile.h"

#include <algorithm>
#include <array>
#include <deque>

namespace levelsolver {

using namespace leveldata;

namespace {

std::uint64_t splitMix(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

Maze::Maze(const Board &board, const std::vector<CellIndex> &coveredPlaces)
{
    // The places as the game lists them: the ItemPlace cells and the covered places, ascending.
    m_placeList = gameLevelOf(board, coveredPlaces).placeList;
    for (const CellIndex place : m_placeList)
        m_places.set(place);
    for (CellIndex i = 0; i < CellCount; ++i) {
        const TileCode code = board[i];
        if (code == Wall)
            continue;
        m_open.set(i);
        if (code == Item) {
            m_startItems.set(i);
        } else if (code == Player) {
            m_startPlayer = i;
        }
    }
    std::uint64_t seed = 0x5EEDC0B1E7011ULL;
    for (CellIndex i = 0; i < CellCount; ++i) {
        m_itemKeys.push_back(splitMix(seed));
        m_playerKeys.push_back(splitMix(seed));
    }
    computeDistances();
}

// For every place a backward search over (item cell, side the player stands on), searchBack().
void Maze::computeDistances()
{
    constexpr std::size_t Cells = CellCount;
    // m_region[x][c]: which part of the board cell c lies in while an item stands on x (1 .. 4),
    // counting only walls; 0 for x itself and for walls.
    m_region.assign(Cells * Cells, 0);
    const auto neighbour = [&](CellIndex x, std::size_t side) { return x + Steps[side]; };
    for (const CellIndex x : m_open) {
        CellSet around = m_open;
        around.reset(x);
        std::uint8_t label = 0;
        for (std::size_t a = 0; a < 4; ++a) {
            const CellIndex start = neighbour(x, a);
            if (!isOpen(start) || region(x, start) != 0)
                continue;
            ++label;
            for (const CellIndex c : reachableFrom(start, around))
                m_region[static_cast<std::size_t>(x) * Cells + static_cast<std::size_t>(c)] = label;
        }
    }
    m_openSides.assign(Cells, 0);
    for (const CellIndex x : m_open) {
        for (std::size_t a = 0; a < 4; ++a) {
            if (isOpen(neighbour(x, a)))
                m_openSides[static_cast<std::size_t>(x)] |= static_cast<std::uint8_t>(1U << a);
        }
    }

    m_distance.assign(m_placeList.size() * Cells, Unreachable);
    m_sideDistance.assign(m_placeList.size() * Cells * 4, Unreachable);
    CellSet live = m_places;
    for (std::size_t p = 0; p < m_placeList.size(); ++p) {
        const std::uint16_t *sideDistance = &m_sideDistance[p * Cells * 4];
        searchBack(m_placeList[p], -1, &m_sideDistance[p * Cells * 4]);
        std::uint16_t *row = &m_distance[p * Cells];
        row[static_cast<std::size_t>(m_placeList[p])] = 0;
        for (const CellIndex x : m_open) {
            for (std::size_t s = 0; s < 4; ++s)
                row[static_cast<std::size_t>(x)] =
                    std::min(row[static_cast<std::size_t>(x)], sideDistance[static_cast<std::size_t>(x) * 4 + s]);
            if (row[static_cast<std::size_t>(x)] != Unreachable)
                live.set(x);
        }
    }
    m_dead = m_open - live;
}

// The state (y, t), an item on y with the player on side t, is reached from (y + step t, s) by a
// push away from the player, for every side s the player can walk to around the item from side
// t. With an extra wall the regions stay those of the walls alone: the player may seem to get
// round where it cannot, which only makes the distances smaller, never larger.
void Maze::searchBack(CellIndex goal, CellIndex wall, std::uint16_t *sideDistance, std::uint8_t goalSides) const
{
    const auto open = [&](CellIndex c) { return c != wall && isOpen(c); };
    const auto index = [](CellIndex x, std::size_t side) { return static_cast<std::size_t>(x) * 4 + side; };
    const auto sameRegion = [&](CellIndex x, std::size_t a, std::size_t b) {
        return open(x + Steps[a]) && open(x + Steps[b]) && region(x, x + Steps[a]) == region(x, x + Steps[b]);
    };
    std::deque<std::pair<CellIndex, std::size_t>> queue;
    for (std::size_t t = 0; t < 4 && goal != wall; ++t) {
        if ((goalSides >> t & 1U) && open(goal + Steps[t])) {
            sideDistance[index(goal, t)] = 0;
            queue.emplace_back(goal, t);
        }
    }
    while (!queue.empty()) {
        const auto [y, t] = queue.front();
        queue.pop_front();
        const auto next = static_cast<std::uint16_t>(sideDistance[index(y, t)] + 1);
        const CellIndex x = y + Steps[t];      // the item's cell before the push
        const CellIndex behind = x + Steps[t]; // where the player pushed from
        if (!open(behind))
            continue;
        for (std::size_t s = 0; s < 4; ++s) {
            if (sameRegion(x, t, s) && sideDistance[index(x, s)] == Unreachable) {
                sideDistance[index(x, s)] = next;
                queue.emplace_back(x, s);
            }
        }
    }
}

std::vector<std::uint16_t> Maze::sideDistancesWithWall(CellIndex wall) const
{
    std::vector<std::uint16_t> distances(m_placeList.size() * leveldata::CellCount * 4, Unreachable);
    for (std::size_t p = 0; p < m_placeList.size(); ++p)
        searchBack(m_placeList[p], wall, &distances[p * leveldata::CellCount * 4]);
    return distances;
}

std::vector<std::uint16_t> Maze::sideDistancesArrivingFrom(std::size_t place, std::uint8_t lastSides) const
{
    assert(place < m_placeList.size());
    std::vector<std::uint16_t> distances(leveldata::CellCount * 4, Unreachable);
    searchBack(m_placeList[place], -1, distances.data(), lastSides);
    return distances;
}

std::uint8_t Maze::sidesFrom(CellIndex cell, CellIndex player) const
{
    const std::uint8_t playerRegion = region(cell, player);
    std::uint8_t sides = 0;
    for (std::size_t side = 0; side < Steps.size(); ++side) {
        const CellIndex next = cell + Steps[side];
        if (playerRegion != 0 && isOpen(next) && region(cell, next) == playerRegion)
            sides |= static_cast<std::uint8_t>(1U << side);
    }
    return sides;
}

std::uint16_t Maze::pushDistance(std::size_t place, CellIndex cell, std::uint8_t sides) const
{
    assert(place < m_placeList.size() && isOnBoard(cell));
    if (cell == m_placeList[place])
        return 0;
    return nearestOnSides(&m_sideDistance[(place * CellCount + static_cast<std::size_t>(cell)) * 4], sides);
}

std::size_t Maze::memoryBytes() const
{
    return sizeof(Maze) + (m_distance.capacity() + m_sideDistance.capacity()) * sizeof(std::uint16_t)
        + m_region.capacity() + m_openSides.capacity()
        + (m_itemKeys.capacity() + m_playerKeys.capacity()) * sizeof(std::uint64_t)
        + m_placeList.capacity() * sizeof(CellIndex);
}

} // namespace levelsolver
