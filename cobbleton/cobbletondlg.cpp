// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/cobbletondlg.h"

#include "dialogkit/aboutdlg.h"
#include "dialogkit/filedialog.h"
#include "dialogkit/picturestore.h"
#include "resources/cobbleton/pictures.h"
#include "resources/cobbleton/windows.h"

#include <QTimer>

namespace cobbleton {

using namespace cobbletonresources;

CCobbletonDlg::CCobbletonDlg(GameState &state, const dialogkit::PictureStore &pictures,
                             std::optional<std::filesystem::path> levelFile)
    : Dialog(GameWindow, nullptr, &pictures),
      m_state(state),
      m_levelFile(std::move(levelFile)),
      m_board(*this, cellControlId, [](TileCode code) { return Pictures.tileImage(code); })
{
    setCommandHandler(LoadButton, &CCobbletonDlg::OnLoad);
    setCommandHandler(MoveLeftCommand, &CCobbletonDlg::OnMoveLeft);
    setCommandHandler(MoveDownCommand, &CCobbletonDlg::OnMoveDown);
    setCommandHandler(MoveUpCommand, &CCobbletonDlg::OnMoveUp);
    setCommandHandler(MoveRightCommand, &CCobbletonDlg::OnMoveRight);
    setCommandHandler(UndoCommand, [this] { ShowBoards(cobbleton::undo(m_state)); });
    setCommandHandler(RedoCommand, [this] { ShowBoards(cobbleton::redo(m_state)); });
    setCommandHandler(RestartCommand, [this] { ShowBoards(cobbleton::restart(m_state)); });
}

CCobbletonDlg::~CCobbletonDlg() = default;

bool CCobbletonDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    LoadAccelerators(GameKeys);
    clearBoard(m_state);
    dialogkit::CAboutDlg::appendItem(*this, AboutItemText);
    SetIcon(pictures()->icon(ProgramIcon));
    m_board.layOut();
    ShowBoard();
    // Queued, so the window and its wall board are on screen under any message the file brings.
    if (m_levelFile) {
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                Open(m_levelFile);
        });
    }
    return true;
}

void CCobbletonDlg::OnSysCommand(int id)
{
    dialogkit::CAboutDlg::openFor(*this, id, AboutDialog);
}

void CCobbletonDlg::OnLoad()
{
    const std::optional<QString> path = dialogkit::openFileName(
        this, QString::fromUtf8(OpenLevelTitle), QString::fromUtf8(LevelFileType), QString::fromUtf8(LevelFilePattern));
    Open(path ? std::optional(dialogkit::pathFromQString(*path)) : std::nullopt);
}

void CCobbletonDlg::Open(const std::optional<std::filesystem::path> &path)
{
    if (!path || !loadLevelFile(m_state, *path))
        MessageBox(QString::fromUtf8(NoFileMessage));
    ShowBoard();
}

void CCobbletonDlg::ShowBoard()
{
    ShowBoard(showingOf(m_state));
}

void CCobbletonDlg::ShowBoard(const Showing &showing)
{
    m_board.show(showing.board);
    CheckVictory(showing);
}

void CCobbletonDlg::CheckVictory(const Showing &showing)
{
    if (showing.won)
        MessageBox(QString::fromStdString(m_state.victoryText));
}

void CCobbletonDlg::OnMoveLeft()
{
    ShowBoards(cobbleton::move(m_state, leveldata::LeftStep));
}

void CCobbletonDlg::OnMoveRight()
{
    ShowBoards(cobbleton::move(m_state, leveldata::RightStep));
}

void CCobbletonDlg::OnMoveUp()
{
    ShowBoards(cobbleton::move(m_state, leveldata::UpStep));
}

void CCobbletonDlg::OnMoveDown()
{
    ShowBoards(cobbleton::move(m_state, leveldata::DownStep));
}

void CCobbletonDlg::ShowBoards(const MoveResult &result)
{
    for (const Showing &showing : result.showings)
        ShowBoard(showing);
}

} // namespace cobbleton
