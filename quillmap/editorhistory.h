// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/board.h"
#include "leveldata/levelfile.h"

#include <optional>
#include <vector>

namespace quillmap {

// One cell's code before and after a change.
struct CellChange
{
    leveldata::CellIndex cell = 0;
    leveldata::TileCode before = 0;
    leveldata::TileCode after = 0;
};

// One undoable step of the editor: the cells it changed, each once, where the cursor stood before
// and after, and the texts when the step changed them. Only what changed is kept: a cursor step is
// two cells, a drag the cells it passed.
struct EditStep
{
    std::vector<CellChange> cells;
    leveldata::CellIndex cursorBefore = 0;
    leveldata::CellIndex cursorAfter = 0;
    std::optional<leveldata::LevelInfo> infoBefore; // set for a change of the texts
    std::optional<leveldata::LevelInfo> infoAfter;
};

// The undo and redo stacks of the editor. A recorded step forgets what could be redone. A step
// may be left open (a drag in progress): later changes join it until it is closed. Unlimited.
class EditorHistory
{
public:
    // Starts a step with the cursor at `cursor`; changes go into it until close(). Opening while a
    // step is open does nothing.
    void open(leveldata::CellIndex cursor);
    // Adds a cell change to the open step (which must be open); a cell may change many times.
    void add(const CellChange &change);
    // Ends the open step with the cursor at `cursor`. Its changes are reduced to one per cell,
    // from the code the cell had first to the one it has last, leaving out cells that end as they
    // began. A step that then changes nothing is dropped; otherwise it becomes the last step to
    // undo and what could be redone is forgotten.
    void close(leveldata::CellIndex cursor);
    bool isOpen() const { return m_open.has_value(); }

    // Records a whole step at once, each cell in it once (closing an open one first is the
    // caller's business).
    void record(EditStep step);

    // The step to undo, moved onto the redo stack; null when there is none. The pointer is good
    // until the history changes again.
    const EditStep *takeUndo();
    // The step to redo, moved back onto the undo stack; null when there is none.
    const EditStep *takeRedo();

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }

    // Forgets everything, an open step included (a new or opened level starts here).
    void clear();

private:
    std::vector<EditStep> m_undo;
    std::vector<EditStep> m_redo;
    std::optional<EditStep> m_open;
};

} // namespace quillmap
