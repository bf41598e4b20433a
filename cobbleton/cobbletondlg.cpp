#include "cobbleton/cobbletondlg.h"

#include "cobbleton/aboutdlg.h"
#include "dialogkit/filedialog.h"
#include "dialogkit/picturestore.h"
#include "resources/cobbleton/pictures.h"
#include "resources/cobbleton/windows.h"

#include <QFile>

using namespace cobbletonresources;

CCobbletonDlg::CCobbletonDlg(cobbleton::GameState &state)
    : Dialog(Dialog102),
      m_state(state),
      m_board(*this, cellControlId, tilePictureId)
{
    onCommand(LoadButton, &CCobbletonDlg::OnLoad);
    onCommand(MoveLeftCommand, &CCobbletonDlg::OnMoveLeft);
    onCommand(MoveDownCommand, &CCobbletonDlg::OnMoveDown);
    onCommand(MoveUpCommand, &CCobbletonDlg::OnMoveUp);
    onCommand(MoveRightCommand, &CCobbletonDlg::OnMoveRight);
}

CCobbletonDlg::~CCobbletonDlg() = default;

bool CCobbletonDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    LoadAccelerators(Accelerator134);
    cobbleton::clearBoard(m_state);
    AppendSystemMenuItem(AboutCommand, QString::fromUtf8(String101));
    SetIcon(dialogkit::PictureStore::icon(ProgramIcon));
    m_board.layOut();
    ShowBoard();
    return true;
}

void CCobbletonDlg::OnOK()
{
    // Enter never closes the game.
}

void CCobbletonDlg::OnCancel()
{
    Dialog::OnCancel();
}

void CCobbletonDlg::OnSysCommand(int id)
{
    if ((id & 0xFFF0) == AboutCommand) {
        CAboutDlg dlgAbout(this);
        dlgAbout.DoModal();
    }
}

void CCobbletonDlg::OnLoad()
{
    const std::optional<QString> path = dialogkit::openFileName(
        this, QStringLiteral("Открыть файл."), QStringLiteral("Файл Уровня"), QStringLiteral("*.lay"));
    if (path) {
        m_state.levelPath = QFile::encodeName(*path).toStdString();
        LoadLevel();
        ShowBoard();
    } else {
        MessageBox(QStringLiteral("Вы не выбрали файл, или выбрали поврежденный файл."));
        ShowBoard();
    }
}

void CCobbletonDlg::LoadLevel()
{
    cobbleton::loadLevelFile(m_state);
}

void CCobbletonDlg::ShowBoard()
{
    m_board.show(m_state.board);
    CheckVictory();
}

void CCobbletonDlg::CheckVictory()
{
    if (cobbleton::isWon(m_state))
        MessageBox(QString::fromStdString(m_state.victoryText));
}

void CCobbletonDlg::OnMoveLeft()
{
    Move(leveldata::LeftStep);
}

void CCobbletonDlg::OnMoveRight()
{
    Move(leveldata::RightStep);
}

void CCobbletonDlg::OnMoveUp()
{
    Move(leveldata::UpStep);
}

void CCobbletonDlg::OnMoveDown()
{
    Move(leveldata::DownStep);
}

void CCobbletonDlg::Move(int step)
{
    cobbleton::move(m_state, step, [this] { ShowBoard(); });
}
