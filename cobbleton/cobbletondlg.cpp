// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/cobbletondlg.h"

#include "cobbleton/aboutdlg.h"
#include "dialogkit/filedialog.h"
#include "dialogkit/picturestore.h"
#include "resources/cobbleton/pictures.h"
#include "resources/cobbleton/windows.h"

#include <QTimer>

namespace cobbleton {

using namespace cobbletonresources;

CCobbletonDlg::CCobbletonDlg(GameState &state, std::optional<std::filesystem::path> levelFile)
    : Dialog(GameWindow),
      m_state(state),
      m_levelFile(std::move(levelFile)),
      m_board(*this, cellControlId, tilePictureId)
{
    setCommandHandler(LoadButton, &CCobbletonDlg::OnLoad);
    setCommandHandler(MoveLeftCommand, [this] { OnMove(leveldata::LeftStep); });
    setCommandHandler(MoveDownCommand, [this] { OnMove(leveldata::DownStep); });
    setCommandHandler(MoveUpCommand, [this] { OnMove(leveldata::UpStep); });
    setCommandHandler(MoveRightCommand, [this] { OnMove(leveldata::RightStep); });
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
    AppendSystemMenuItem(AboutCommand, QString::fromUtf8(AboutItemText));
    SetIcon(dialogkit::PictureStore::icon(ProgramIcon));
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
    if (id == AboutCommand) {
        CAboutDlg dlgAbout(this);
        dlgAbout.DoModal();
    }
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
    if (showing.won)
        MessageBox(QString::fromStdString(m_state.victoryText));
}

void CCobbletonDlg::OnMove(CellIndex step)
{
    ShowBoards(cobbleton::move(m_state, step));
}

void CCobbletonDlg::ShowBoards(const MoveResult &result)
{
    for (const Showing &showing : result.showings)
        ShowBoard(showing);
}

} // namespace cobbleton
