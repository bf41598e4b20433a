// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/board.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace cobbleton {

// One board cell a step of the game changed: its tile before and after the step.
struct CellChange
{
    leveldata::CellIndex cell;
    leveldata::TileCode before;
    leveldata::TileCode after;
};

// What a step changed besides the board: the player cell and the tile under the player.
struct PlayerChange
{
    leveldata::CellIndex cellBefore;
    leveldata::CellIndex cellAfter;
    leveldata::TileCode underBefore;
    leveldata::TileCode underAfter;
};

// The steps taken in one level since it was loaded, for undo and redo. The steps before the
// cursor can be undone, the ones after it redone. A position is the board, the player cell and
// the tile under the player; the history only ever changes those three.
//
// A step is kept as what it changed, one XOR mask (before ^ after) per changed value, so applying
// it once more takes it back, and by a name of one character that the caller gives it (the game
// names moves and restarts, so a history can be written down and played again). Memory: one
// 24-byte record and one name byte per step that changes up to three cells (every move does), one
// record more for every three cells beyond; unlimited otherwise.
class MoveHistory
{
public:
    // Adds a step at the cursor, after dropping every step that could have been redone. `cells`
    // lists each changed cell once; a listed cell whose tile stayed the same costs nothing, one
    // off the board is ignored. Returns false, recording and dropping nothing, when the step
    // changes nothing at all. `name` is the step's name in names().
    [[nodiscard]] bool record(std::span<const CellChange> cells, const PlayerChange &player, char name);

    // Takes back the step before the cursor, in the position it left. Returns false, changing
    // nothing, when there is none.
    [[nodiscard]] bool undo(leveldata::Board &board, leveldata::CellIndex &playerCell, leveldata::TileCode &underTile);

    // Does again the step after the cursor, in the position the undo left. Returns false,
    // changing nothing, when there is none.
    [[nodiscard]] bool redo(leveldata::Board &board, leveldata::CellIndex &playerCell, leveldata::TileCode &underTile);

    // Takes back every step before the cursor, in the position the history has reached: the result
    // is the position the history started from. Time grows with the number of steps.
    void rewind(leveldata::Board &board, leveldata::CellIndex &playerCell, leveldata::TileCode &underTile) const;

    // Forgets every step. The memory stays reserved for the next level.
    void clear();

    // The names of every step in order, those that can be undone first, then those that can be
    // redone; and how many can be undone.
    const std::string &names() const { return m_names; }
    std::size_t undoableCount() const { return m_undoable; }

private:
    struct Record
    {
        std::array<leveldata::TileCode, 3> cellMasks; // 0 for an unused slot
        leveldata::CellIndex playerMask;
        leveldata::TileCode underMask;
        std::array<std::uint8_t, 3> cells;
        bool startsStep; // the first record of its step
    };
    static_assert(sizeof(Record) <= 24, "a move costs one record");

    void apply(std::size_t first, std::size_t last, leveldata::Board &board, leveldata::CellIndex &playerCell,
               leveldata::TileCode &underTile) const;

    std::vector<Record> m_records;
    std::size_t m_cursor = 0; // records before it belong to steps that can be undone
    std::string m_names;      // one per step
    std::size_t m_undoable = 0;
};

} // namespace cobbleton
