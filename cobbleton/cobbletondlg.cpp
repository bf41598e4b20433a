#include "cobbleton/cobbletondlg.h"

#include "cobbleton/aboutdlg.h"
#include "cobbleton/gamestate.h"
#include "dialogkit/filedialog.h"
#include "dialogkit/picturestore.h"
#include "resources/cobbleton/pictures.h"
#include "resources/cobbleton/windows.h"

#include <QFile>

using namespace cobbletonresources;

CCobbletonDlg::CCobbletonDlg()
    : Dialog(Dialog102),
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
    cobbleton::clearBoard(cobbleton::gameState());
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
        cobbleton::gameState().levelPath = QFile::encodeName(*path).toStdString();
        LoadLevel();
        ShowBoard();
    } else {
        MessageBox(QStringLiteral("Вы не выбрали файл, или выбрали поврежденный файл."));
        ShowBoard();
    }
}

void CCobbletonDlg::LoadLevel()
{
    cobbleton::loadLevelFile(cobbleton::gameState());
}

void CCobbletonDlg::ShowBoard()
{
    m_board.show(cobbleton::gameState().board);
    CheckVictory();
}

void CCobbletonDlg::CheckVictory()
{
    const cobbleton::GameState &state = cobbleton::gameState();
    if (cobbleton::isWon(state))
        MessageBox(QString::fromStdString(state.victoryText));
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
    cobbleton::move(cobbleton::gameState(), step, [this] { ShowBoard(); });
}
