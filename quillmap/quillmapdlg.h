// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogkit/boardview.h"
#include "dialogkit/dialog.h"
#include "dialogkit/picturestore.h"
#include "dialogkit/worker.h"
#include "quillmap/editorstate.h"
#include "quillmap/gamelauncher.h"
#include "quillmap/solvability.h"

#include <QIcon>
#include <QWidget>

#include <filesystem>
#include <optional>

namespace quillmap {

// The editor window (template 102): the 15 x 12 board on the left, the legend, the brush marker
// and the six command buttons on the right. Initialisation asks the start dialog what to do, or
// opens the start file when one was given. Arrows and the mouse move the cursor, a drag paints,
// 1..5 and a right click choose the brush, Ctrl+Z and Ctrl+Y undo and redo, Ctrl+C and Ctrl+V copy
// and paste the level as text, F5 plays the level, F7 asks whether it can be won; every command
// works on `state`, which must
// outlive the window, as must `pictures`, which holds the editor's pictures
// (resources::registerPictures with quillmapresources::Pictures). The window is the owner of every
// dialog it opens.
// DoModal ends with IdOk through Close program and with IdCancel through start choice 3, Esc or
// the close box (the last two only after the close question is answered OK). Games started with
// F5 and still running then end with the window.
class CQuillmapDlg : public dialogkit::Dialog
{
    Q_OBJECT
public:
    CQuillmapDlg(EditorState &state, const dialogkit::PictureStore &pictures, QWidget *parent = nullptr);

    // Instead of the start dialog, DoModal opens `file` as OpenLevel opens a chosen file (the
    // command line's level). An empty path means none.
    void setStartFile(const std::filesystem::path &file) { m_startFile = file; }

protected:
    bool OnInitDialog() override;
    void OnOK() override { } // Enter never closes the editor
    void OnCancel() override;
    void OnSysCommand(int id) override;
    void OnTimer(int id) override;
    // The mouse on the board: a left press moves the cursor to the cell, a drag paints the cells
    // passed (one undo step), a right press takes the cell's tile as the brush. Outside the board
    // the mouse does what it does in any dialog.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Timer id of the one-shot redraw armed after a level is created or opened, and its delay.
    static constexpr int RedrawTimer = 1;
    static constexpr int RedrawDelayMs = 100;

    // The level commands. NewLevel: the new-level dialog, then (on OK) EditorState::newLevel; when
    // the scratch file could not be written a message says the level is in memory only; the
    // redraw is armed. OpenLevel: the open dialog, then OpenFile. OpenFile: loads the file and
    // arms the redraw; without a file, or with one that cannot be read, a message and NewLevel.
    // SaveLevel: the save checks, the save dialog, the save (a failure is reported), DrawBoard.
    // PlayLevel: the save checks, then the game (GameLauncher) on a copy of the level; a message
    // when the game is not found or cannot be started; the level and the board stay as they are.
    // CheckLevel: the save checks, then a search for a solution on a worker thread
    // (dialogkit::Worker) while the window goes on taking input; its verdict in a message box.
    // While it runs, F7 again or a Cancel (Esc) stops it instead, with no message. DrawBoard shows
    // all 180 cells.
    void NewLevel();
    void OpenLevel();
    void OpenFile(const std::filesystem::path &file);
    void SaveLevel();
    void PlayLevel();
    void CheckLevel();
    void DrawBoard();

    void OnMove(CursorMove move);
    void OnBrush(int digit);
    void OnLevelData();
    // Undo and redo of the board and the texts; the board is shown again.
    void OnUndo();
    void OnRedo();
    // Ctrl+C: the level as text into the clipboard (clipboardTextOf). Ctrl+V: the first level of
    // the clipboard's text onto the board (pastedLevelOf), one undo step, its title as the name.
    // Either says why in a message when there is nothing to copy or paste, and changes nothing.
    void CopyLevel();
    void PasteLevel();
    void OnCloseProgram();
    // The close question; true when the user answers OK.
    bool confirmClose();
    // The save checks, before a save, a play or a search; on failure their message is shown and
    // false returned.
    [[nodiscard]] bool passesSaveChecks();

    // The cell under a point of the screen; nothing off the board, unless `clamp` asks for the
    // nearest board cell (so a drag that leaves the board runs along its ring).
    std::optional<leveldata::CellIndex> cellAt(const QPoint &globalPoint, bool clamp) const;
    // Ends a drag under way, if any: what it painted is one undo step.
    void endDrag();

    EditorState &m_state;
    std::optional<leveldata::CellIndex> m_dragCell; // last cell of a left drag under way
    dialogkit::BoardView m_board;
    QIcon m_hIcon;
    std::filesystem::path m_startFile;
    GameLauncher m_games;
    dialogkit::Worker m_solvability;
};

} // namespace quillmap
