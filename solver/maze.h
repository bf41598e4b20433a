// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/cellset.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <vector>

namespace levelsolver {

// What the search needs to know about a board before the first push, read the way the game reads
// it: code 0 (Wall) and every cell off the board stop the player and the items; code 4 (Item) is an
// item; code 2 (ItemPlace) is an item place, and so is each covered place (a place under an Item
// or the Player, kept as leveldata::gameLevelOf keeps it); the player is the last cell of code 3 (Player) in
// CellIndex order; every other code, the other Player cells included, is walkable floor, as in
// cobbleton::move(). Steps are plain index arithmetic, so an open outer ring wraps into the next
// row exactly as in the game.
//
// Cells given to its functions must be on the board (leveldata::isOnBoard), and places numbers
// of placeList().
class Maze
{
public:
    static constexpr std::uint16_t Unreachable = 0xFFFF;

    explicit Maze(const leveldata::Board &board, const std::vector<CellIndex> &coveredPlaces = {});

    const CellSet &open() const { return m_open; } // every cell that is not Wall
    const CellSet &places() const { return m_places; }
    const std::vector<CellIndex> &placeList() const { return m_placeList; }
    const CellSet &startItems() const { return m_startItems; }
    CellIndex startPlayer() const { return m_startPlayer; } // -1 when the board has no player

    bool isOpen(CellIndex cell) const { return leveldata::isOnBoard(cell) && m_open.test(cell); }

    // The fewest pushes that bring an item from `cell` onto place number `place` (of placeList())
    // on a board holding nothing but walls and that item, the player starting on whichever side of
    // it suits best; Unreachable when no pushes do. A lower bound of the real number of pushes.
    std::uint16_t pushDistance(std::size_t place, CellIndex cell) const
    {
        assert(place < m_placeList.size() && leveldata::isOnBoard(cell));
        return m_distance[place * leveldata::CellCount + static_cast<std::size_t>(cell)];
    }

    // The sides of an item on `cell` (bit i for Steps[i]) the player on `player` can walk to around
    // it with walls alone in the way, and all the open sides of `cell`. Until the item moves the
    // player stays on its side of it, whatever the other items do.
    std::uint8_t sidesFrom(CellIndex cell, CellIndex player) const;
    std::uint8_t openSides(CellIndex cell) const
    {
        assert(leveldata::isOnBoard(cell));
        return m_openSides[static_cast<std::size_t>(cell)];
    }

    // The least of the four side distances of one cell (its entries cell × 4 + side in a side
    // distance table) on `sides`; Unreachable when none is reachable.
    static std::uint16_t nearestOnSides(const std::uint16_t *cellSides, std::uint8_t sides)
    {
        std::uint16_t best = Unreachable;
        for (std::size_t side = 0; side < 4; ++side) {
            if (sides >> side & 1U)
                best = std::min(best, cellSides[side]);
        }
        return best;
    }

    // pushDistance with the player starting on one of `sides` (from sidesFrom): still a lower
    // bound, and a closer one when the player is shut off from some side.
    std::uint16_t pushDistance(std::size_t place, CellIndex cell, std::uint8_t sides) const;

    // The side distances of pushDistance(place, cell, sides) on this board with one more wall on
    // `wall` (-1 for none): entry (place × CellCount + cell) × 4 + side, Unreachable where no
    // pushes do. Still lower bounds with that cell walled up, though perhaps lower than need be.
    std::vector<std::uint16_t> sideDistancesWithWall(CellIndex wall) const;

    // The side distances to place number `place` alone (entry cell × 4 + side) when the last push
    // onto it must leave the player on one of `lastSides`: that push came from that side. Lower
    // bounds as pushDistance's are; the item already on the place is left out (entries of the
    // place's own cell mean it leaves and comes back).
    std::vector<std::uint16_t> sideDistancesArrivingFrom(std::size_t place, std::uint8_t lastSides) const;

    // Cells from which an item can never reach any place (pushDistance Unreachable for all of
    // them), not counting the places themselves.
    const CellSet &deadCells() const { return m_dead; }

    // Random keys for hashing a position: one per cell for an item, one per cell for the player.
    std::uint64_t itemKey(CellIndex cell) const
    {
        assert(leveldata::isOnBoard(cell));
        return m_itemKeys[static_cast<std::size_t>(cell)];
    }
    std::uint64_t playerKey(CellIndex cell) const
    {
        assert(leveldata::isOnBoard(cell));
        return m_playerKeys[static_cast<std::size_t>(cell)];
    }

    // Memory the tables of this object take, in bytes.
    std::size_t memoryBytes() const;

private:
    void computeDistances();
    // Fills CellCount × 4 side distances to `goal` for a last push that leaves the player on one
    // of `goalSides`, Unreachable where nothing was found yet.
    void searchBack(CellIndex goal, CellIndex wall, std::uint16_t *sideDistance, std::uint8_t goalSides = 0xF) const;
    std::uint8_t region(CellIndex item, CellIndex cell) const
    {
        assert(leveldata::isOnBoard(item) && leveldata::isOnBoard(cell));
        return m_region[static_cast<std::size_t>(item) * leveldata::CellCount + static_cast<std::size_t>(cell)];
    }

    CellSet m_open, m_places, m_startItems, m_dead;
    std::vector<CellIndex> m_placeList;
    CellIndex m_startPlayer = -1;
    std::vector<std::uint16_t> m_distance;     // place-major, CellCount entries per place
    std::vector<std::uint16_t> m_sideDistance; // the same per side of the item: 4 per cell
    std::vector<std::uint8_t> m_region;        // see computeDistances()
    std::vector<std::uint8_t> m_openSides;
    std::vector<std::uint64_t> m_itemKeys, m_playerKeys;
};

} // namespace levelsolver
