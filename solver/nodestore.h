// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/cellset.h"

#include <cassert>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace levelsolver {

// One position the search has met: where the items stand, the lowest cell the player can walk
// to (so positions that differ only in where the player waits are one), and how it was reached.
struct SearchNode
{
    static constexpr std::uint32_t NoParent = 0xFFFFFFFF;

    CellSet items;
    std::uint32_t parent = NoParent;
    std::uint16_t pushes = 0; // pushes from the start along the parent chain
    std::uint16_t bound = 0;  // lower bound of the pushes still needed
    std::uint8_t player = 0;
    std::uint8_t pushedFrom = 0; // the cell the last pushed item left
    std::uint8_t pushSide = 0;   // index into Steps of that push
    std::uint8_t flags = 0;      // Expanded, Lost, Unrefined
    // Unrefined: `bound` is the plain pairing's; the closer one is worked out when the position
    // leaves the queue, so positions never expanded do not pay for it.
    static constexpr std::uint8_t Expanded = 1, Lost = 2, Unrefined = 4;
};

// Every node of a search with a transposition table over them (open addressing on a 32-bit
// part of each position's Zobrist key). Nodes stay at their index for the life of the store and
// are kept in fixed-size chunks, so growing never copies them and memory use stays predictable.
class NodeStore
{
public:
    explicit NodeStore(std::size_t memoryLimitBytes);

    struct Found
    {
        std::uint32_t index;
        bool added;
    };

    // The node for these items and player (a cell on the board), added (with default fields) when
    // there is none yet. nullopt when adding it would take the store past its memory limit.
    [[nodiscard]] std::optional<Found> findOrAdd(const CellSet &items, CellIndex player, std::uint64_t key);

    // The node at an index findOrAdd gave, 0 .. size() - 1.
    SearchNode &operator[](std::uint32_t i)
    {
        assert(i < m_size);
        return m_chunks[i >> ChunkBits][i & (ChunkSize - 1)];
    }
    const SearchNode &operator[](std::uint32_t i) const
    {
        assert(i < m_size);
        return m_chunks[i >> ChunkBits][i & (ChunkSize - 1)];
    }
    std::size_t size() const { return m_size; }

    // The most memory the store may take from now on; what it holds already is never given back.
    void setMemoryLimit(std::size_t bytes) { m_limit = bytes; }
    std::size_t memoryBytes() const;

private:
    static constexpr unsigned ChunkBits = 16;
    static constexpr std::uint32_t ChunkSize = 1U << ChunkBits;
    struct Slot
    {
        std::uint32_t node = 0; // index + 1; 0 for an empty slot
        std::uint32_t key = 0;
    };

    [[nodiscard]] bool grow(); // false when the memory limit leaves no room

    std::size_t m_limit;
    std::vector<std::unique_ptr<SearchNode[]>> m_chunks;
    std::vector<Slot> m_slots;
    std::size_t m_size = 0;
};

} // namespace levelsolver
