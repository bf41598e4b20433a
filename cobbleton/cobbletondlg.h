// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cobbleton/gamestate.h"
#include "dialogkit/boardview.h"
#include "dialogkit/dialog.h"

#include <filesystem>
#include <optional>

namespace cobbleton {

// The game window (template 102): the board as 180 cell pictures, the "Загрузить" button under
// it and the menu bar, whose commands do nothing. Run it with DoModal(); it ends only by Cancel
// (Esc, the close box, Alt+F4).
//
// The level in play is held in `state`, which the application owns and which outlives the
// window; the window clears its board and place list when it starts and is its only user. The
// window keeps the cell controls itself (m_board). The pictures and the icon come from
// `pictures`, the application's too, with the game's pictures registered
// (resources::registerPictures with cobbletonresources::Pictures).
//
// Keys: the arrows move the player (OnMoveLeft … OnMoveDown), Ctrl+Z or Backspace undo, Ctrl+Y or Ctrl+Shift+Z redo and
// Ctrl+R restarts, through the GameKeys accelerators, whichever control has the focus; Enter or
// Space on the focused Load button loads a level; Enter elsewhere does nothing. The window-menu
// item "&About Cobbleton..." opens the About box. Commands can also be sent with OnCommand()
// (LoadButton, MoveLeftCommand … MoveDownCommand, UndoCommand, RedoCommand, RestartCommand of
// resources/cobbleton/windows.h).
//
// A move, undo, redo or restart asks the rules what happened and shows each of its showings in
// turn: the board, then (CheckVictory) the victory message when the level is won at that showing.
//
// Loading, by the Load button or of the level file given to the constructor once the window is on
// screen, shows the level as the first showing of the board; when no file was chosen or it cannot
// be read, the message that no file was chosen, then the board as it stands.
class CCobbletonDlg : public dialogkit::Dialog
{
    Q_OBJECT
public:
    CCobbletonDlg(GameState &state, const dialogkit::PictureStore &pictures,
                  std::optional<std::filesystem::path> levelFile = std::nullopt);
    ~CCobbletonDlg() override;

protected:
    bool OnInitDialog() override;
    void OnOK() override { } // Enter never closes the game
    void OnSysCommand(int id) override;

private:
    void OnLoad();
    void Open(const std::optional<std::filesystem::path> &path);
    void ShowBoard();
    void ShowBoard(const Showing &showing);
    void CheckVictory(const Showing &showing);
    void ShowBoards(const MoveResult &result);
    void OnMoveLeft();
    void OnMoveRight();
    void OnMoveUp();
    void OnMoveDown();

    GameState &m_state;
    std::optional<std::filesystem::path> m_levelFile;
    dialogkit::BoardView m_board;
};

} // namespace cobbleton
