// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/quillmapdlg.h"

#include "dialogkit/filedialog.h"
#include "dialogkit/picturestore.h"
#include "quillmap/aboutdlg.h"
#include "quillmap/infolayer.h"
#include "quillmap/newlayer.h"
#include "quillmap/start.h"
#include "resources/quillmap/pictures.h"
#include "resources/quillmap/windows.h"

#include <QCoreApplication>
#include <QDir>

namespace quillmap {

using namespace quillmapresources;
using dialogkit::pathFromQString;

CQuillmapDlg::CQuillmapDlg(EditorState &state, QWidget *parent)
    : Dialog(EditorWindow, parent),
      m_state(state),
      m_board(*this, cellControlId, tilePictureId),
      m_hIcon(dialogkit::PictureStore::icon(ProgramIcon))
{
    setCommandHandler(RefreshButton, &CQuillmapDlg::DrawBoard);
    setCommandHandler(CursorLeftCommand, [this] { OnMove(CursorMove::Left); });
    setCommandHandler(CursorDownCommand, [this] { OnMove(CursorMove::Down); });
    setCommandHandler(CursorUpCommand, [this] { OnMove(CursorMove::Up); });
    setCommandHandler(CursorRightCommand, [this] { OnMove(CursorMove::Right); });
    setCommandHandler(BrushWallCommand, [this] { OnBrush(1); });
    setCommandHandler(BrushPlayerCommand, [this] { OnBrush(2); });
    setCommandHandler(BrushItemPlaceCommand, [this] { OnBrush(3); });
    setCommandHandler(BrushFloorCommand, [this] { OnBrush(4); });
    setCommandHandler(BrushItemCommand, [this] { OnBrush(5); });
    setCommandHandler(LevelDataButton, &CQuillmapDlg::OnLevelData);
    setCommandHandler(SaveLevelButton, &CQuillmapDlg::SaveLevel);
    setCommandHandler(CloseProgramButton, &CQuillmapDlg::OnCloseProgram);
    setCommandHandler(NewLevelButton, &CQuillmapDlg::NewLevel);
    setCommandHandler(OpenLevelButton, &CQuillmapDlg::OpenLevel);
    setCommandHandler(PlayLevelCommand, &CQuillmapDlg::PlayLevel);
    setCommandHandler(CheckLevelCommand, &CQuillmapDlg::CheckLevel);
}

bool CQuillmapDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    LoadAccelerators(EditorKeys);
    m_state.clearBoard();

    // The start dialog opens before this window is shown: place the window now, where showing it
    // would, so that the dialog opens centred over it.
    adjustSize();
    adjustPosition(parentWidget());
    if (!m_startFile.empty()) {
        OpenFile(m_startFile);
    } else if (CStart Start(this); Start.DoModal() == dialogkit::IdOk) {
        switch (Start.m_choice) {
        case CStart::NewLevelChoice: NewLevel(); break;
        case CStart::EditLevelChoice: OpenLevel(); break;
        // Leaving from the start dialog asks nothing: the framework's own Cancel, not ours.
        case CStart::LeaveChoice: Dialog::OnCancel(); break;
        default: break;
        }
    }

    AppendSystemMenuItem(AboutCommand, QString::fromUtf8(AboutItemText));
    SetIcon(m_hIcon);
    m_board.layOut();
    DrawBoard();
    return true;
}

void CQuillmapDlg::OnCancel()
{
    if (m_checker.isRunning())
        m_checker.cancel();
    else if (confirmClose())
        Dialog::OnCancel();
}

void CQuillmapDlg::OnSysCommand(int id)
{
    if (id == AboutCommand) {
        CAboutDlg dlgAbout(this);
        dlgAbout.DoModal();
    }
}

void CQuillmapDlg::OnTimer(int)
{
    DrawBoard();
    KillTimer(RedrawTimer);
}

void CQuillmapDlg::DrawBoard()
{
    m_board.show(m_state.board());
}

void CQuillmapDlg::NewLevel()
{
    CNewLayer NewLayer(this);
    if (NewLayer.DoModal() != dialogkit::IdOk)
        return;
    if (m_state.newLevel(NewLayer.levelInfo())) {
        MessageBox(QString::fromUtf8(ScratchNotWrittenMessage).arg(QDir::toNativeSeparators(QDir::currentPath())));
    }
    SetTimer(RedrawTimer, RedrawDelayMs);
}

void CQuillmapDlg::OpenLevel()
{
    const std::optional<QString> name = dialogkit::openFileName(
        this, QString::fromUtf8(OpenLevelTitle), QString::fromUtf8(LevelFileType), QString::fromUtf8(LevelFilePattern));
    OpenFile(name ? pathFromQString(*name) : std::filesystem::path());
}

void CQuillmapDlg::OpenFile(const std::filesystem::path &file)
{
    if (file.empty() || m_state.loadLevel(file)) {
        MessageBox(QString::fromUtf8(NoFileMessage));
        NewLevel();
        return;
    }
    SetTimer(RedrawTimer, RedrawDelayMs);
}

bool CQuillmapDlg::passesSaveChecks()
{
    switch (m_state.checkSave()) {
    case SaveCheck::PlayerCountWrong: MessageBox(QString::fromUtf8(PlayerCountMessage)); return false;
    case SaveCheck::ItemCountMismatch: MessageBox(QString::fromUtf8(ItemCountMessage)); return false;
    case SaveCheck::Ok: break;
    }
    return true;
}

void CQuillmapDlg::SaveLevel()
{
    if (!passesSaveChecks())
        return;
    const std::optional<QString> name =
        dialogkit::saveFileName(this, QString::fromUtf8(SaveLevelTitle), QString::fromUtf8(SavedLevelFileType),
                                QString::fromUtf8(LevelFilePattern), QString::fromUtf8(LevelFileSuffix));
    if (!name)
        return;
    const std::error_code error = m_state.saveLevel(pathFromQString(*name));
    DrawBoard();
    if (error)
        MessageBox(QString::fromUtf8(SaveFailedMessage));
}

void CQuillmapDlg::PlayLevel()
{
    if (!passesSaveChecks())
        return;
    const QString game = GameLauncher::findGame(QCoreApplication::applicationDirPath(), qEnvironmentVariable("PATH"));
    if (game.isEmpty()) {
        MessageBox(QString::fromUtf8(GameNotFoundMessage));
        return;
    }
    switch (m_games.play(game, m_state)) {
    case GameLauncher::Result::NotWritten: MessageBox(QString::fromUtf8(PlayCopyFailedMessage)); break;
    case GameLauncher::Result::NotStarted: MessageBox(QString::fromUtf8(GameNotStartedMessage)); break;
    case GameLauncher::Result::Started: break;
    }
}

void CQuillmapDlg::CheckLevel()
{
    if (m_checker.isRunning()) {
        m_checker.cancel();
        return;
    }
    if (!passesSaveChecks())
        return;
    setCursor(Qt::BusyCursor);
    m_checker.start(m_state.boardAsSaved(), LevelCheckTimeLimit, [this](const LevelCheck &check) {
        unsetCursor();
        switch (check.outcome) {
        case LevelCheck::Outcome::Solved:
            MessageBox(QString::fromUtf8(SolutionFoundMessage).arg(check.moves).arg(check.pushes));
            break;
        case LevelCheck::Outcome::NoSolution: MessageBox(QString::fromUtf8(NoSolutionMessage)); break;
        case LevelCheck::Outcome::Undecided: MessageBox(QString::fromUtf8(CheckUndecidedMessage)); break;
        case LevelCheck::Outcome::Cancelled: break;
        }
    });
}

void CQuillmapDlg::OnMove(CursorMove move)
{
    if (!m_state.moveCursor(move)) {
        MessageBox(QString::fromUtf8(BorderCellMessage));
        return;
    }
    DrawBoard();
}

void CQuillmapDlg::OnBrush(int digit)
{
    m_state.selectBrush(digit);
    SetDlgItemPicture(MarkerPicture, tilePictureId(m_state.brushCode()));
}

void CQuillmapDlg::OnLevelData()
{
    CInfoLayer InfoLayer(this);
    InfoLayer.setLevelInfo(m_state.levelInfo());
    if (InfoLayer.DoModal() == dialogkit::IdOk)
        m_state.setLevelInfo(InfoLayer.levelInfo());
    DrawBoard();
}

void CQuillmapDlg::OnCloseProgram()
{
    if (confirmClose())
        EndDialog(dialogkit::IdOk);
}

bool CQuillmapDlg::confirmClose()
{
    return MessageBox(QString::fromUtf8(CloseQuestion), dialogkit::MessageButtons::OkCancel) == dialogkit::IdOk;
}

} // namespace quillmap
