// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/quillmapdlg.h"

#include "dialogkit/aboutdlg.h"
#include "dialogkit/filedialog.h"
#include "quillmap/clipboardlevel.h"
#include "quillmap/infolayer.h"
#include "quillmap/newlayer.h"
#include "quillmap/start.h"
#include "resources/quillmap/pictures.h"
#include "resources/quillmap/windows.h"

#include <algorithm>

#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMouseEvent>

namespace quillmap {

using namespace quillmapresources;
using dialogkit::pathFromQString;

namespace {

// What the marker shows for the brush.
int brushPicture(const EditorState &state)
{
    return state.brushOnPlace() ? onPlacePictureId(state.brushCode()) : Pictures.tileImage(state.brushCode());
}

} // namespace

CQuillmapDlg::CQuillmapDlg(EditorState &state, const dialogkit::PictureStore &pictures, QWidget *parent)
    : Dialog(EditorWindow, parent, &pictures),
      m_state(state),
      m_board(*this, cellControlId, [](leveldata::TileCode code) { return Pictures.tileImage(code); }),
      m_hIcon(pictures.icon(ProgramIcon))
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
    setCommandHandler(BrushItemOnPlaceCommand, [this] { OnBrush(6); });
    setCommandHandler(BrushPlayerOnPlaceCommand, [this] { OnBrush(7); });
    setCommandHandler(LevelDataButton, &CQuillmapDlg::OnLevelData);
    setCommandHandler(SaveLevelButton, &CQuillmapDlg::SaveLevel);
    setCommandHandler(CloseProgramButton, &CQuillmapDlg::OnCloseProgram);
    setCommandHandler(NewLevelButton, &CQuillmapDlg::NewLevel);
    setCommandHandler(OpenLevelButton, &CQuillmapDlg::OpenLevel);
    setCommandHandler(PlayLevelCommand, &CQuillmapDlg::PlayLevel);
    setCommandHandler(CheckLevelCommand, &CQuillmapDlg::CheckLevel);
    setCommandHandler(UndoCommand, &CQuillmapDlg::OnUndo);
    setCommandHandler(RedoCommand, &CQuillmapDlg::OnRedo);
    setCommandHandler(CopyLevelCommand, &CQuillmapDlg::CopyLevel);
    setCommandHandler(PasteLevelCommand, &CQuillmapDlg::PasteLevel);
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

    dialogkit::CAboutDlg::appendItem(*this, AboutItemText);
    SetIcon(m_hIcon);
    m_board.layOut();
    DrawBoard();
    return true;
}

void CQuillmapDlg::OnCancel()
{
    if (m_solvability.isRunning())
        m_solvability.cancel();
    else if (confirmClose())
        Dialog::OnCancel();
}

void CQuillmapDlg::OnSysCommand(int id)
{
    dialogkit::CAboutDlg::openFor(*this, id, AboutDialog);
}

void CQuillmapDlg::OnTimer(int)
{
    DrawBoard();
    KillTimer(RedrawTimer);
}

void CQuillmapDlg::DrawBoard()
{
    std::array<int, leveldata::CellCount> pictures;
    for (leveldata::CellIndex i = 0; i < leveldata::CellCount; ++i) {
        const leveldata::TileCode code = m_state.board()[i];
        pictures[std::size_t(i)] = m_state.isCoveredPlace(i) ? onPlacePictureId(code) : Pictures.tileImage(code);
    }
    m_board.showPictures(pictures);
}

void CQuillmapDlg::NewLevel()
{
    CNewLayer NewLayer(this);
    if (NewLayer.DoModal() != dialogkit::IdOk)
        return;
    if (const std::error_code error = m_state.newLevel(NewLayer.levelInfo()); error)
        MessageBox(QString::fromUtf8(ScratchNotWrittenMessage).arg(QDir::toNativeSeparators(QDir::currentPath())));
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
    // No file at all fares as a file that cannot be read.
    const std::error_code error =
        file.empty() ? std::make_error_code(std::errc::no_such_file_or_directory) : m_state.loadLevel(file);
    if (error) {
        MessageBox(QString::fromUtf8(NoFileMessage));
        NewLevel();
        return;
    }
    SetTimer(RedrawTimer, RedrawDelayMs);
}

bool CQuillmapDlg::passesSaveChecks()
{
    switch (m_state.saveRefusal()) {
    case SaveRefusal::PlayerCountWrong: MessageBox(QString::fromUtf8(PlayerCountMessage)); return false;
    case SaveRefusal::ItemCountMismatch: MessageBox(QString::fromUtf8(ItemCountMessage)); return false;
    case SaveRefusal::None: break;
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
    if (m_solvability.isRunning()) {
        m_solvability.cancel();
        return;
    }
    if (!passesSaveChecks())
        return;
    const auto show = [this](const Solvability &found) {
        unsetCursor();
        switch (found.outcome) {
        case Solvability::Outcome::Solved:
            MessageBox(QString::fromUtf8(SolutionFoundMessage).arg(found.moves).arg(found.pushes));
            break;
        case Solvability::Outcome::NoSolution: MessageBox(QString::fromUtf8(NoSolutionMessage)); break;
        case Solvability::Outcome::Undecided: MessageBox(QString::fromUtf8(CheckUndecidedMessage)); break;
        case Solvability::Outcome::Cancelled: break;
        }
    };
    m_solvability.run([board = m_state.boardAsSaved(), places = m_state.coveredPlacesAsSaved()](
                          std::stop_token stop) { return solvabilityOf(board, places, SolvabilityTimeLimit, stop); },
                      show);
    setCursor(Qt::BusyCursor);
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
    if (m_state.selectBrush(digit))
        SetDlgItemPicture(MarkerPicture, brushPicture(m_state));
}

void CQuillmapDlg::OnLevelData()
{
    CInfoLayer InfoLayer(this);
    InfoLayer.setLevelInfo(m_state.levelInfo());
    if (InfoLayer.DoModal() == dialogkit::IdOk)
        m_state.setLevelInfo(InfoLayer.levelInfo());
    DrawBoard();
}

void CQuillmapDlg::OnUndo()
{
    endDrag(); // the keys may come with the button still down: what was painted is one step
    if (m_state.undo())
        DrawBoard();
}

void CQuillmapDlg::OnRedo()
{
    endDrag();
    if (m_state.redo())
        DrawBoard();
}

void CQuillmapDlg::CopyLevel()
{
    const std::optional<std::string> text =
        clipboardTextOf(m_state.boardAsSaved(), m_state.levelInfo(), m_state.coveredPlacesAsSaved());
    if (!text) {
        MessageBox(QString::fromUtf8(NothingToCopyMessage));
        return;
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(*text));
}

void CQuillmapDlg::PasteLevel()
{
    endDrag();
    const PastedLevel pasted = pastedLevelOf(QGuiApplication::clipboard()->text().toStdString());
    switch (pasted.outcome) {
    case PastedLevel::Outcome::NoLevel: MessageBox(QString::fromUtf8(NothingToPasteMessage)); return;
    case PastedLevel::Outcome::TooLarge:
        MessageBox(QString::fromUtf8(PasteTooLargeMessage).arg(QString::fromStdString(pasted.size)));
        return;
    case PastedLevel::Outcome::NotUsable: MessageBox(QString::fromUtf8(PasteNotUsableMessage)); return;
    case PastedLevel::Outcome::Pasted: break;
    }
    m_state.pasteBoard(pasted.board, pasted.coveredPlaces,
                       pasted.title.empty() ? std::nullopt : std::optional(pasted.title));
    DrawBoard();
}

std::optional<leveldata::CellIndex> CQuillmapDlg::cellAt(const QPoint &globalPoint, bool clamp) const
{
    using leveldata::BoardColumns, leveldata::BoardRows, leveldata::CellSize;
    // The cells lie in the client area, which the window may not start at.
    const QPoint point = GetDlgItem(cellControlId(0))->parentWidget()->mapFromGlobal(globalPoint);
    int column = point.x() < 0 ? -1 : point.x() / CellSize;
    int row = point.y() < 0 ? -1 : point.y() / CellSize;
    if (clamp) {
        column = std::clamp(column, 0, BoardColumns - 1);
        row = std::clamp(row, 0, BoardRows - 1);
    }
    if (column < 0 || column >= BoardColumns || row < 0 || row >= BoardRows)
        return std::nullopt;
    return leveldata::cellIndex(column, row);
}

void CQuillmapDlg::endDrag()
{
    m_state.endStroke();
    m_dragCell.reset();
}

void CQuillmapDlg::mousePressEvent(QMouseEvent *event)
{
    const std::optional<leveldata::CellIndex> cell = cellAt(event->globalPosition().toPoint(), false);
    if (!cell || m_dragCell) {
        Dialog::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::RightButton) {
        if (m_state.takeBrushFrom(*cell))
            SetDlgItemPicture(MarkerPicture, brushPicture(m_state));
    } else if (event->button() == Qt::LeftButton) {
        m_state.beginStroke();
        m_dragCell = cell;
        if (m_state.placeCursor(*cell))
            DrawBoard();
    }
}

void CQuillmapDlg::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragCell) {
        Dialog::mouseMoveEvent(event);
        return;
    }
    const leveldata::CellIndex cell = *cellAt(event->globalPosition().toPoint(), true);
    if (cell == *m_dragCell)
        return;
    m_state.paintAlong(*m_dragCell, cell);
    m_dragCell = cell;
    DrawBoard();
}

void CQuillmapDlg::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragCell || event->button() != Qt::LeftButton) {
        Dialog::mouseReleaseEvent(event);
        return;
    }
    endDrag();
}

void CQuillmapDlg::contextMenuEvent(QContextMenuEvent *event)
{
    // A right click on the board takes a brush; elsewhere it opens the window menu as before.
    if (event->reason() == QContextMenuEvent::Mouse && cellAt(event->globalPos(), false)) {
        event->accept();
        return;
    }
    Dialog::contextMenuEvent(event);
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
