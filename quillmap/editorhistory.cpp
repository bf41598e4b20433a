// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/editorhistory.h"

#include <array>
#include <cassert>
#include <utility>

namespace quillmap {

void EditorHistory::open(leveldata::CellIndex cursor)
{
    if (!m_open)
        m_open = EditStep{{}, cursor, cursor, std::nullopt, std::nullopt};
}

void EditorHistory::add(const CellChange &change)
{
    assert(m_open);
    m_open->cells.push_back(change);
}

void EditorHistory::close(leveldata::CellIndex cursor)
{
    if (!m_open)
        return;
    EditStep step = std::move(*m_open);
    m_open.reset();
    step.cursorAfter = cursor;

    // A drag passes a cell again and again; what it did to the cell is its first code and its last.
    std::array<int, leveldata::CellCount> position; // index in `net`, -1 for a cell not changed
    position.fill(-1);
    std::vector<CellChange> net;
    for (const CellChange &change : step.cells) {
        int &at = position[static_cast<std::size_t>(change.cell)];
        if (at < 0) {
            at = static_cast<int>(net.size());
            net.push_back(change);
        } else {
            net[static_cast<std::size_t>(at)].after = change.after;
        }
    }
    std::erase_if(net, [](const CellChange &change) { return change.before == change.after; });
    step.cells = std::move(net);
    if (!step.cells.empty() || step.cursorBefore != step.cursorAfter)
        record(std::move(step));
}

void EditorHistory::record(EditStep step)
{
    m_undo.push_back(std::move(step));
    m_redo.clear();
}

const EditStep *EditorHistory::takeUndo()
{
    if (m_undo.empty())
        return nullptr;
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
    return &m_redo.back();
}

const EditStep *EditorHistory::takeRedo()
{
    if (m_redo.empty())
        return nullptr;
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    return &m_undo.back();
}

void EditorHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_open.reset();
}

} // namespace quillmap
