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

void EditorState::clearBoard()
{
    m_board.fill(leveldata::Wall);
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

    m_board[target] = leveldata::Cursor;
    m_board[m_cursorCell] = m_brushCode;
    m_cursorCell = target;
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
