// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/movehistory.h"

#include <algorithm>

namespace cobbleton {

using namespace leveldata;

bool MoveHistory::record(std::span<const CellChange> cells, const PlayerChange &player, char name)
{
    const auto changed = [](const CellChange &c) { return isOnBoard(c.cell) && c.before != c.after; };
    const CellIndex playerMask = player.cellBefore ^ player.cellAfter;
    const TileCode underMask = player.underBefore ^ player.underAfter;
    if (playerMask == 0 && underMask == 0 && std::none_of(cells.begin(), cells.end(), changed))
        return false;

    m_records.resize(m_cursor);
    m_names.resize(m_undoable);
    m_names.push_back(name);
    ++m_undoable;
    Record record{{}, playerMask, underMask, {}, true};
    std::size_t used = 0;
    for (const CellChange &c : cells) {
        if (!changed(c))
            continue;
        if (used == record.cells.size()) {
            m_records.push_back(record);
            record = Record{};
            used = 0;
        }
        record.cells[used] = static_cast<std::uint8_t>(c.cell);
        record.cellMasks[used] = c.before ^ c.after;
        ++used;
    }
    m_records.push_back(record);
    m_cursor = m_records.size();
    return true;
}

bool MoveHistory::undo(Board &board, CellIndex &playerCell, TileCode &underTile)
{
    if (m_cursor == 0)
        return false;
    std::size_t first = m_cursor - 1;
    while (!m_records[first].startsStep)
        --first;
    apply(first, m_cursor, board, playerCell, underTile);
    m_cursor = first;
    --m_undoable;
    return true;
}

bool MoveHistory::redo(Board &board, CellIndex &playerCell, TileCode &underTile)
{
    if (m_cursor == m_records.size())
        return false;
    std::size_t last = m_cursor + 1;
    while (last < m_records.size() && !m_records[last].startsStep)
        ++last;
    apply(m_cursor, last, board, playerCell, underTile);
    m_cursor = last;
    ++m_undoable;
    return true;
}

void MoveHistory::rewind(Board &board, CellIndex &playerCell, TileCode &underTile) const
{
    apply(0, m_cursor, board, playerCell, underTile);
}

void MoveHistory::clear()
{
    m_records.clear();
    m_cursor = 0;
    m_names.clear();
    m_undoable = 0;
}

void MoveHistory::apply(std::size_t first, std::size_t last, Board &board, CellIndex &playerCell,
                        TileCode &underTile) const
{
    // XOR in any order gives the same result, so one loop serves undo and redo alike.
    for (std::size_t i = first; i < last; ++i) {
        const Record &record = m_records[i];
        for (std::size_t slot = 0; slot < record.cells.size(); ++slot) {
            if (record.cellMasks[slot] != 0)
                board[record.cells[slot]] ^= record.cellMasks[slot];
        }
        playerCell ^= record.playerMask;
        underTile ^= record.underMask;
    }
}

} // namespace cobbleton
