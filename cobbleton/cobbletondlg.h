#pragma once

#include "dialogkit/boardview.h"
#include "cobbleton/gamestate.h"
#include "dialogkit/dialog.h"

// The game window (template 102): the board as 180 cell pictures, the "Загрузить" button under
// it and the menu bar, whose commands do nothing. Run it with DoModal(); it ends only by Cancel
// (Esc, the close box, Alt+F4).
//
// The level in play is not held here but in `state` (the program's cobbleton::gameState()), which
// outlives the window; the window clears its board and place list when it starts and is its only
// user. The window keeps the cell controls itself (m_board).
//
// Keys: the arrows move the player through accelerator table 134, whichever control has the
// focus; Enter or Space on the focused Load button loads a level; Enter elsewhere does nothing.
// The window-menu item "&About Cobbleton..." opens the About box. Commands can also be sent with
// OnCommand() (1120 Load, 32771..32774 Left, Right, Up, Down).
//
// The pictures and the icon must be registered first (CCobbletonApp::RegisterPictures()).
class CCobbletonDlg : public dialogkit::Dialog
{
    Q_OBJECT
public:
    explicit CCobbletonDlg(cobbleton::GameState &state);
    ~CCobbletonDlg() override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnSysCommand(int id) override;

private:
    void OnLoad();
    void LoadLevel();
    void ShowBoard();
    void CheckVictory();
    void OnMoveLeft();
    void OnMoveRight();
    void OnMoveUp();
    void OnMoveDown();
    void Move(int step);

    cobbleton::GameState &m_state;
    dialogkit::BoardView m_board;
};
