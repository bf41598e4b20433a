// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/editorstate.h"

#include "leveldata/filebytes.h"

#include <algorithm>
#include <string>
#include <utility>

namespace quillmap {

using leveldata::Board;
using leveldata::CellIndex;
using leveldata::TileCode;

std::filesystem::path scratchLevelPath()
{
    return "NewLayer.lay";
}

std::optional<TileCode> brushForDigit(int digit)
{
    switch (digit) {
    case 1: return leveldata::Wall;
    case 2: return leveldata::Player;
    case 3: return leveldata::ItemPlace;
    case 4: return leveldata::Floor;
    case 5: return leveldata::Item;
    default: return std::nullopt;
    }
}

std::vector<CellIndex> cellsBetween(CellIndex from, CellIndex to)
{
    // Walks from cell centre to cell centre one side at a time, always taking the step that keeps
    // closest to the straight line.
    const int x0 = leveldata::columnOf(from), y0 = leveldata::rowOf(from);
    const int dx = leveldata::columnOf(to) - x0, dy = leveldata::rowOf(to) - y0;
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const int nx = dx * sx, ny = dy * sy;
    std::vector<CellIndex> cells;
    int x = x0, y = y0;
    for (int ix = 0, iy = 0; ix < nx || iy < ny;) {
        // Compare (ix + 0.5) / nx with (iy + 0.5) / ny without division.
        if ((1 + 2 * ix) * ny < (1 + 2 * iy) * nx) {
            x += sx;
            ++ix;
        } else {
            y += sy;
            ++iy;
        }
        cells.push_back(leveldata::cellIndex(x, y));
    }
    return cells;
}

void EditorState::clearBoard()
{
    m_board.fill(leveldata::Wall);
    m_history.clear();
}

void EditorState::setCell(CellIndex cell, TileCode code)
{
    m_history.add({cell, m_board[cell], code});
    m_board[cell] = code;
}

void EditorState::stepCursorTo(CellIndex target)
{
    // Outside a drag each cursor step is an undo step of its own.
    const bool ownStep = !m_history.isOpen();
    if (ownStep)
        m_history.open(m_cursorCell);
    setCell(target, leveldata::Cursor);
    setCell(m_cursorCell, m_brushCode);
    m_cursorCell = target;
    if (ownStep)
        m_history.close(m_cursorCell);
}

bool EditorState::moveCursor(CursorMove move)
{
    CellIndex step = 0;
    switch (move) {
    case CursorMove::Left: step = leveldata::LeftStep; break;
    case CursorMove::Right: step = leveldata::RightStep; break;
    case CursorMove::Up: step = leveldata::UpStep; break;
    case CursorMove::Down: step = leveldata::DownStep; break;
    }
    const CellIndex target = m_cursorCell + step;
    // The cursor only ever stands on inner cells and each move changes one coordinate, so
    // "target on the outer ring" is exactly the per-direction refusal of the editor's rules.
    if (!leveldata::isOnBoard(target) || leveldata::isBorderCell(target))
        return false;

    stepCursorTo(target);
    return true;
}

bool EditorState::placeCursor(CellIndex cell)
{
    if (!leveldata::isOnBoard(cell) || leveldata::isBorderCell(cell))
        return false;
    if (cell != m_cursorCell)
        stepCursorTo(cell);
    return true;
}

void EditorState::paintAlong(CellIndex from, CellIndex to)
{
    for (const CellIndex cell : cellsBetween(from, to))
        static_cast<void>(placeCursor(cell)); // the ring is passed, not painted
}

void EditorState::beginStroke()
{
    m_history.open(m_cursorCell);
}

void EditorState::endStroke()
{
    m_history.close(m_cursorCell);
}

bool EditorState::takeBrushFrom(CellIndex cell)
{
    const TileCode code = m_board[cell];
    if (code == leveldata::Cursor)
        return true;
    for (int digit = 1; digit <= 9; ++digit) {
        if (brushForDigit(digit) == code) {
            m_brushCode = code;
            return true;
        }
    }
    return false;
}

void EditorState::setLevelInfo(const leveldata::LevelInfo &info)
{
    endStroke();
    if (info == m_info)
        return;
    m_history.record({{}, m_cursorCell, m_cursorCell, m_info, info});
    m_info = info;
}

void EditorState::pasteBoard(const Board &board, const std::optional<std::string> &name)
{
    endStroke();
    EditStep step{{}, m_cursorCell, m_cursorCell, std::nullopt, std::nullopt};
    for (CellIndex cell = 0; cell < leveldata::CellCount; ++cell) {
        if (m_board[cell] != board[cell])
            step.cells.push_back({cell, m_board[cell], board[cell]});
    }
    if (name && *name != m_info.name) {
        step.infoBefore = m_info;
        m_info.name = *name;
        step.infoAfter = m_info;
    }
    m_board = board;
    if (!step.cells.empty() || step.infoAfter)
        m_history.record(std::move(step));
}

bool EditorState::undo()
{
    endStroke();
    const EditStep *step = m_history.takeUndo();
    if (!step)
        return false;
    for (const CellChange &change : step->cells)
        m_board[change.cell] = change.before;
    m_cursorCell = step->cursorBefore;
    if (step->infoBefore)
        m_info = *step->infoBefore;
    return true;
}

bool EditorState::redo()
{
    endStroke();
    const EditStep *step = m_history.takeRedo();
    if (!step)
        return false;
    for (const CellChange &change : step->cells)
        m_board[change.cell] = change.after;
    m_cursorCell = step->cursorAfter;
    if (step->infoAfter)
        m_info = *step->infoAfter;
    return true;
}

bool EditorState::selectBrush(int digit)
{
    const std::optional<TileCode> code = brushForDigit(digit);
    if (!code)
        return false;
    m_brushCode = *code;
    return true;
}

std::error_code EditorState::loadLevel(const std::filesystem::path &path)
{
    std::string bytes;
    if (const std::error_code error = leveldata::readFileBytes(path, bytes))
        return error;
    leveldata::EditorLevel level = leveldata::editorLevelFromBytes(std::move(bytes));
    m_levelPath = path;
    m_board = level.board;
    m_info = std::move(level.info);
    m_history.clear();
    return {};
}

std::error_code EditorState::newLevel(const leveldata::LevelInfo &info)
{
    std::error_code error = leveldata::writeLevelInfo(scratchLevelPath(), info);
    if (!error)
        error = loadLevel(scratchLevelPath());
    if (error) {
        clearBoard();
        m_info = info;
        m_levelPath.clear();
    }
    return error;
}

Board EditorState::boardAsSaved() const
{
    Board saved = m_board;
    std::replace(saved.begin(), saved.end(), leveldata::Cursor, m_brushCode);
    return saved;
}

SaveRefusal EditorState::saveRefusal() const
{
    int players = 0;
    int places = 0;
    int items = 0;
    for (const TileCode code : boardAsSaved()) {
        players += code == leveldata::Player;
        places += code == leveldata::ItemPlace;
        items += code == leveldata::Item;
    }
    if (players != 1)
        return SaveRefusal::PlayerCountWrong;
    if (items != places)
        return SaveRefusal::ItemCountMismatch;
    return SaveRefusal::None;
}

std::error_code EditorState::writeCopy(const std::filesystem::path &path) const
{
    return leveldata::writeLevel(path, boardAsSaved(), m_info);
}

std::error_code EditorState::saveLevel(const std::filesystem::path &path)
{
    // A failed save leaves the cursor where the user sees it.
    const std::error_code error = writeCopy(path);
    if (!error)
        m_board = boardAsSaved();
    return error;
}

} // namespace quillmap
