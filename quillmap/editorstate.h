// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/board.h"
#include "leveldata/levelfile.h"
#include "quillmap/editorhistory.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace quillmap {

inline constexpr leveldata::CellIndex StartCursorCell = 16; // row 1, column 1
inline constexpr leveldata::TileCode StartBrushCode = leveldata::Wall;

// Longest level text (in characters) that a file gives back whole; the edit boxes stop there.
inline constexpr int MaxLevelTextLength = 199;

// The scratch file of a new level: "NewLayer.lay", relative, so it resolves against the current
// directory at the moment it is used.
std::filesystem::path scratchLevelPath();

// The tile a digit key 1..5 chooses: 1 Wall, 2 Player, 3 ItemPlace, 4 Floor, 5 Item.
// Any other digit chooses nothing.
std::optional<leveldata::TileCode> brushForDigit(int digit);

enum class CursorMove { Left, Right, Up, Down };

// The cells a straight line from `from` to `to` passes, in order, `from` left out and `to`
// included; consecutive cells share a side, so a drag between two mouse positions leaves no gap.
// Empty when from == to. Both must be on the board.
std::vector<leveldata::CellIndex> cellsBetween(leveldata::CellIndex from, leveldata::CellIndex to);

// What the save checks refuse a level for, the player check first.
enum class SaveRefusal {
    None,              // it may be saved
    PlayerCountWrong,  // not exactly one Player
    ItemCountMismatch, // number of Item cells differs from number of ItemPlace cells
};

// Everything the editor knows about the level being edited: the Board (which may hold Cursor in
// the cell under the cursor), the cursor cell, the brush tile, the four texts, the path of the
// level file last created or opened, and what was changed since, for undo and redo. The editor
// window owns one and turns its commands into the calls below; nothing here draws or shows a
// message.
class EditorState
{
public:
    // Program-start values: all-Wall Board, cursor at 16, brush Wall, empty texts and path.
    EditorState() = default;

    const leveldata::Board &board() const { return m_board; }
    leveldata::CellIndex cursorCell() const { return m_cursorCell; }
    leveldata::TileCode brushCode() const { return m_brushCode; }
    const leveldata::LevelInfo &levelInfo() const { return m_info; }
    const std::filesystem::path &levelPath() const { return m_levelPath; }

    // Sets every Board cell to Wall, as the editor window does when it opens. Cursor, brush,
    // texts and path keep their values.
    void clearBoard();

    // Moves the cursor one cell. A move into the outer ring (column 0, column 14, row 11 or
    // row 0) is refused: returns false and changes nothing. An accepted move marks the target
    // Cursor, writes the brush into the cell being left, whatever it held, moves the cursor there
    // and returns true.
    [[nodiscard]] bool moveCursor(CursorMove move);

    // Chooses the brush by digit key (see brushForDigit). Only the brush changes, not the Board.
    // Returns false, changing nothing, for a digit outside 1..5.
    [[nodiscard]] bool selectBrush(int digit);

    // Moves the cursor straight to `cell` (a click), the cell it leaves taking the brush as in a
    // cursor move. Refused (false, nothing changes) off the board and on the outer ring; the
    // cursor's own cell is accepted and changes nothing.
    [[nodiscard]] bool placeCursor(leveldata::CellIndex cell);

    // A drag: every cell of cellsBetween(from, to) that is not on the outer ring gets the cursor
    // in turn, so each takes the brush as the cursor leaves it and the cursor ends on the last.
    void paintAlong(leveldata::CellIndex from, leveldata::CellIndex to);

    // Between these two, every change is one undo step (a drag); outside them, each cursor step,
    // click, paste and change of the texts is a step of its own.
    void beginStroke();
    void endStroke();

    // Takes the tile of `cell` as the brush when it is one a digit key chooses; the cursor's own
    // cell holds the brush already. False, changing nothing, for any other code.
    [[nodiscard]] bool takeBrushFrom(leveldata::CellIndex cell);

    // Takes the four texts back (the level-data command), one undo step when they differ. In
    // memory only.
    void setLevelInfo(const leveldata::LevelInfo &info);

    // Puts `board` in place of the Board as one undo step (a paste), with `name` as the level
    // name when given; the cursor stays where it is, its cell showing the pasted tile.
    void pasteBoard(const leveldata::Board &board, const std::optional<std::string> &name);

    // Undoes or redoes the last step: its cells, the cursor where it stood and the texts. False
    // when there is nothing to undo or redo. Opening or creating a level, or clearing the board,
    // forgets the history.
    [[nodiscard]] bool undo();
    [[nodiscard]] bool redo();

    // Reads the Board and the four texts from the level file at `path` and makes it the level
    // path. Missing keys read as Wall cells and empty texts; values are stored as read. The
    // cursor cell and the brush are untouched, and no cell is marked Cursor unless the file
    // holds 5 there. A file that cannot be read (missing, a directory, unreadable, longer than
    // leveldata::MaxFileBytes) changes nothing and its error is returned; empty on success.
    [[nodiscard]] std::error_code loadLevel(const std::filesystem::path &path);

    // Starts a new level with `info`: writes the texts into the scratch file (keeping any board
    // already in it) and loads that file. When the scratch file cannot be written, the level
    // starts in memory only: all-Wall Board, `info` as the texts, an empty level path; the write
    // error is returned (the caller says so) and a later saveLevel writes the texts.
    // Cursor cell and brush are untouched either way.
    [[nodiscard]] std::error_code newLevel(const leveldata::LevelInfo &info);

    // The board as a save writes it: every Cursor cell holds the brush tile.
    leveldata::Board boardAsSaved() const;

    // The save checks, over the 180 cells of boardAsSaved(): exactly one Player first, then as
    // many Item as ItemPlace cells (none of either passes). Returns the first that fails.
    [[nodiscard]] SaveRefusal saveRefusal() const;

    // Writes boardAsSaved() and the texts into `path`, changing nothing here (a copy to play, for
    // instance). Returns the write error, empty on success.
    [[nodiscard]] std::error_code writeCopy(const std::filesystem::path &path) const;

    // Writes boardAsSaved() and the texts into `path` (the file the user chose; the level path is
    // not changed). On success the Board becomes what was written, so the cursor cell shows the
    // brush tile. On failure
    // the error is returned, the Board is left exactly as it was and the old file is untouched.
    // Does not run the save checks; the caller does that before asking for a file.
    [[nodiscard]] std::error_code saveLevel(const std::filesystem::path &path);

private:
    // Moves the cursor onto `target`, painting the cell it leaves, into the current step.
    void stepCursorTo(leveldata::CellIndex target);
    void setCell(leveldata::CellIndex cell, leveldata::TileCode code);

    leveldata::Board m_board;
    leveldata::CellIndex m_cursorCell = StartCursorCell;
    leveldata::TileCode m_brushCode = StartBrushCode;
    leveldata::LevelInfo m_info;
    std::filesystem::path m_levelPath;
    EditorHistory m_history; // its open step is a drag under way
};

} // namespace quillmap
