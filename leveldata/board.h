// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cassert>
#include <cstdint>

namespace leveldata {

inline constexpr int BoardColumns = 15;
inline constexpr int BoardRows = 12;
inline constexpr int CellCount = BoardColumns * BoardRows; // 180
inline constexpr int CellSize = 50;                        // side of a cell's picture, pixels

// A cell of the board: row * 15 + column, row 0 at the top. Valid cells are 0 .. 179.
using CellIndex = std::int32_t;

// What a cell holds. Any int is a legal board value; these are the ones with a meaning.
using TileCode = std::int32_t;
inline constexpr TileCode Wall = 0;
inline constexpr TileCode Floor = 1;
inline constexpr TileCode ItemPlace = 2;
inline constexpr TileCode Player = 3;
inline constexpr TileCode Item = 4;
inline constexpr TileCode Cursor = 5; // editor memory only: the cell under the editing cursor

// Neighbour offsets. Plain index arithmetic: left of column 0 is column 14 of the row above.
inline constexpr CellIndex LeftStep = -1;
inline constexpr CellIndex RightStep = +1;
inline constexpr CellIndex UpStep = -BoardColumns;
inline constexpr CellIndex DownStep = +BoardColumns;

constexpr CellIndex cellIndex(int column, int row)
{
    return row * BoardColumns + column;
}
constexpr bool isOnBoard(CellIndex i)
{
    return i >= 0 && i < CellCount;
}
// Column and row of cell i, for 0 <= i < CellCount.
constexpr int columnOf(CellIndex i)
{
    assert(isOnBoard(i));
    return i % BoardColumns;
}
constexpr int rowOf(CellIndex i)
{
    assert(isOnBoard(i));
    return i / BoardColumns;
}

// The outer ring: row 0, row 11, column 0 and column 14. False for cells off the board.
constexpr bool isBorderCell(CellIndex i)
{
    return isOnBoard(i)
        && (rowOf(i) == 0 || rowOf(i) == BoardRows - 1 || columnOf(i) == 0 || columnOf(i) == BoardColumns - 1);
}

// The 180 tile codes of one level, indexed by CellIndex. A new Board is all Wall.
// Indexing takes 0 <= i < CellCount; callers check isOnBoard() for computed indexes.
class Board
{
public:
    using Cells = std::array<TileCode, CellCount>;

    TileCode operator[](CellIndex i) const
    {
        assert(isOnBoard(i));
        return m_cells[static_cast<std::size_t>(i)];
    }
    TileCode &operator[](CellIndex i)
    {
        assert(isOnBoard(i));
        return m_cells[static_cast<std::size_t>(i)];
    }

    void fill(TileCode code) { m_cells.fill(code); }

    Cells::const_iterator begin() const { return m_cells.begin(); }
    Cells::const_iterator end() const { return m_cells.end(); }
    Cells::iterator begin() { return m_cells.begin(); }
    Cells::iterator end() { return m_cells.end(); }

    bool operator==(const Board &) const = default;

private:
    Cells m_cells{}; // value-initialised: every cell Wall (0)
};

} // namespace leveldata
