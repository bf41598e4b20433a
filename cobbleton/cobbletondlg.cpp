#include "cobbleton/cobbletondlg.h"

#include "cobbleton/aboutdlg.h"
#include "dialogkit/filedialog.h"
#include "dialogkit/picturestore.h"
#include "resources/cobbleton/pictures.h"
#include "resources/cobbleton/windows.h"

#include <QFile>

namespace cobbleton {

using namespace cobbletonresources;

CCobbletonDlg::CCobbletonDlg(GameState &state)
    : Dialog(GameWindow),
      m_state(state),
      m_board(*this, cellControlId, tilePictureId)
{
    setCommandHandler(LoadButton, &CCobbletonDlg::OnLoad);
    setCommandHandler(MoveLeftCommand, [this] { Move(leveldata::LeftStep); });
    setCommandHandler(MoveDownCommand, [this] { Move(leveldata::DownStep); });
    setCommandHandler(MoveUpCommand, [this] { Move(leveldata::UpStep); });
    setCommandHandler(MoveRightCommand, [this] { Move(leveldata::RightStep); });
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
    const std::optional<QString> path =
        dialogkit::openFileName(this, QString::fromUtf8(OpenLevelTitle),
                                QString::fromUtf8(LevelFileType), QString::fromUtf8(LevelFilePattern));
    if (path)
        loadLevelFile(m_state, dialogkit::pathFromQString(*path));
    else
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

void CCobbletonDlg::Move(CellIndex step)
{
    for (const Showing &showing : cobbleton::move(m_state, step).showings)
        ShowBoard(showing);
}

} // namespace cobbleton
