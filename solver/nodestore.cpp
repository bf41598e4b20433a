// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/nodestore.h"

namespace levelsolver {

NodeStore::NodeStore(std::size_t memoryLimitBytes) : m_limit(memoryLimitBytes)
{
    m_slots.resize(1U << 12);
}

std::size_t NodeStore::memoryBytes() const
{
    return m_chunks.size() * ChunkSize * sizeof(SearchNode) + m_slots.capacity() * sizeof(Slot)
        + m_chunks.capacity() * sizeof(void *);
}

// Doubles the table once it is half full; while rehashing both tables are alive.
bool NodeStore::grow()
{
    const std::size_t newSlots = m_slots.size() * 2;
    if (memoryBytes() + newSlots * sizeof(Slot) > m_limit || newSlots > (std::size_t{1} << 32))
        return false;
    std::vector<Slot> slots(newSlots);
    const std::size_t mask = newSlots - 1;
    for (const Slot &slot : m_slots) {
        if (slot.node == 0)
            continue;
        std::size_t at = slot.key & mask;
        while (slots[at].node != 0)
            at = (at + 1) & mask;
        slots[at] = slot;
    }
    m_slots = std::move(slots);
    return true;
}

std::optional<NodeStore::Found> NodeStore::findOrAdd(const CellSet &items, CellIndex player, std::uint64_t key)
{
    assert(leveldata::isOnBoard(player));
    const auto key32 = static_cast<std::uint32_t>(key ^ (key >> 32));
    std::size_t mask = m_slots.size() - 1;
    std::size_t at = key32 & mask;
    for (; m_slots[at].node != 0; at = (at + 1) & mask) {
        if (m_slots[at].key != key32)
            continue;
        const std::uint32_t index = m_slots[at].node - 1;
        const SearchNode &node = (*this)[index];
        if (node.items == items && node.player == player)
            return Found{index, false};
    }
    if (m_size >= SearchNode::NoParent - 1)
        return std::nullopt;
    if ((m_size + 1) * 2 > m_slots.size()) {
        if (!grow())
            return std::nullopt;
        mask = m_slots.size() - 1;
        at = key32 & mask;
        while (m_slots[at].node != 0)
            at = (at + 1) & mask;
    }
    if (m_size == m_chunks.size() * ChunkSize) {
        if (memoryBytes() + ChunkSize * sizeof(SearchNode) > m_limit)
            return std::nullopt;
        m_chunks.push_back(std::make_unique<SearchNode[]>(ChunkSize));
    }
    const auto index = static_cast<std::uint32_t>(m_size++);
    SearchNode &node = (*this)[index];
    node = SearchNode{};
    node.items = items;
    node.player = static_cast<std::uint8_t>(player);
    m_slots[at] = Slot{index + 1, key32};
    return Found{index, true};
}

} // namespace levelsolver
