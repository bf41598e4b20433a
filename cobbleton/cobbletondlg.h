// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cobbleton/advisor.h"
#include "cobbleton/gamesession.h"
#include "cobbleton/gamestate.h"
#include "dialogkit/boardview.h"
#include "dialogkit/dialog.h"
#include "dialogkit/worker.h"

#include <filesystem>
#include <optional>
#include <string>

namespace cobbleton {

// The game window (template 102): the board as 180 cell pictures, the "Загрузить" button under
// it with the strip's texts beside it, and the menu bar. Run it with DoModal(); it ends only by
// Cancel (Esc, "Выход", the close box, Alt+F4).
//
// The level in play is held in `state`, and the game beyond it (collections, the ten levels,
// progress, settings, saved game) in `session`, both the application's, which outlive the
// window; the window clears its board and place list when it starts. The window keeps the cell
// controls itself (m_board). The pictures and the icon come from `pictures`, the application's
// too, with the game's pictures registered (resources::registerPictures with
// cobbletonresources::Pictures).
//
// Keys: the arrows move the player (OnMoveLeft … OnMoveDown), Ctrl+Z or Backspace undo, Ctrl+Y or
// Ctrl+Shift+Z redo, Ctrl+R restarts, PageDown and PageUp load the next and the previous level of
// the collection, F1 opens the help, F2 gives a hint, through the GameKeys accelerators, whichever
// control has the focus; Enter or Space on the focused Load button loads a level; Enter elsewhere does nothing.
// The menu's items do what their captions say (see GameSession); "О игре" and the window-menu item
// "&About Cobbleton..." open the About box. Commands can also be sent with OnCommand() (the ids of
// resources/cobbleton/windows.h).
//
// A move, undo, redo or restart asks the rules what happened and shows each of its showings in
// turn: the board, then (CheckVictory) the victory message when the level is won at that showing.
// Once the message is closed, a collection that moves on after a victory loads its next level.
//
// Loading, by the Load button or of the level file given to the constructor once the window is on
// screen, shows the level as the first showing of the board; when no file was chosen or it cannot
// be read, the message that no file was chosen, then the board as it stands.
//
// With the settings on, items and the player standing on places show pictures of their own, and
// the strip tells the level's place in its collection, its name, and the moves and pushes so far.
//
// A hint (F2) plays the next push of a solution from the position in play: the walk to the item
// and the push, a step every WalkStepMilliseconds, each a move of the history. The solution is
// searched on a worker thread (the strip says so meanwhile) unless the one found before still
// passes through the position; the strip says when there is none, or none was found in time. Any
// key stops the hint where it is (a second F2 does nothing else; any other key then does what it
// does).
//
// With the lost-position warning on (the setting), every position the game reaches is checked on
// a worker thread for at most a second (LostCheckTimeLimit), stopped by the next key and started
// again on the position it leaves; while the position is proven lost, the strip says so, and
// once a second search (as long at most) has found them, the undos back to the last position
// that can be won. Loading a level or closing the window stops every search
// at once, dropping its result.
class CCobbletonDlg : public dialogkit::Dialog
{
    Q_OBJECT
public:
    CCobbletonDlg(GameState &state, GameSession &session, const dialogkit::PictureStore &pictures,
                  std::optional<std::filesystem::path> levelFile = std::nullopt);
    ~CCobbletonDlg() override;

protected:
    bool OnInitDialog() override;
    void OnOK() override { } // Enter never closes the game
    void OnSysCommand(int id) override;
    void OnCommand(int id) override;
    void OnTimer(int id) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void OnLoad();
    void OnMoreLevels();
    void OnSettings();
    void OnHelp();
    void Open(const std::optional<std::filesystem::path> &path);
    // Says what `outcome` has to say, then shows the board of a level it loaded.
    void Present(const Outcome &outcome);
    void Tell(Notice notice);
    void ShowBoard();
    // Shows `showing`; when it is won, the victory is kept and its message shown. Returns whether it was.
    bool ShowBoard(const Showing &showing);
    void CheckVictory(const Showing &showing);
    void ShowBoards(const MoveResult &result);
    // After a victory message: the next level of a collection that moves on, as long as each is won.
    void AdvanceAfterVictory();
    void ShowPictures(const Board &board);
    void UpdateStrip();
    void UpdateLevelItems();
    void OnMoveLeft();
    void OnMoveRight();
    void OnMoveUp();
    void OnMoveDown();
    void OnHint();
    void ShowHint(const Position &from, const PositionVerdict &verdict);
    void Walk(std::string steps);
    // Stops a hint's search or walk; returns whether one was under way.
    bool StopHint();
    // A level was just loaded: nothing learnt about the one before counts.
    void LevelLoaded();
    // Shows what is known of the position in play, and starts the check that would tell more.
    void CheckPosition();
    // Checks the position in play, or when it is known to be lost, searches back for the count.
    void StartCheck(Advisor::Assessment assessment);
    void ShowWarning(const Advisor::Assessment &assessment);

    GameState &m_state;
    GameSession &m_session;
    std::optional<std::filesystem::path> m_levelFile;
    dialogkit::BoardView m_board;
    Board m_shown; // the board on screen, for redrawing it when a setting changes
    Advisor m_advisor;
    std::string m_walk; // the hint's steps still to play
    QString m_hintText;
    QString m_lostText;
    PositionKey m_checking; // the position the running check is for
    // Last, so they stop before anything their results would reach goes.
    dialogkit::Worker m_hinter;
    dialogkit::Worker m_checker;
};

} // namespace cobbleton
