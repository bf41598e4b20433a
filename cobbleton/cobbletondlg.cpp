// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/cobbletondlg.h"

#include "cobbleton/helpdlg.h"
#include "cobbleton/settingsdlg.h"
#include "dialogkit/aboutdlg.h"
#include "dialogkit/filedialog.h"
#include "dialogkit/picturestore.h"
#include "resources/cobbleton/pictures.h"
#include "resources/cobbleton/windows.h"

#include <QDir>
#include <QFile>
#include <QTimer>

#include <algorithm>

namespace cobbleton {

using namespace cobbletonresources;

namespace {

QString folderName(const std::filesystem::path &folder)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(QString::fromStdWString(folder.wstring()));
#else
    return QFile::decodeName(folder.native().c_str());
#endif
}

} // namespace

CCobbletonDlg::CCobbletonDlg(GameState &state, GameSession &session, const dialogkit::PictureStore &pictures,
                             std::optional<std::filesystem::path> levelFile)
    : Dialog(GameWindow, nullptr, &pictures),
      m_state(state),
      m_session(session),
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
    setCommandHandler(NextLevelCommand, [this] { Present(m_session.next()); });
    setCommandHandler(PreviousLevelCommand, [this] { Present(m_session.previous()); });

    setCommandHandler(NewGameCommand, [this] { Present(m_session.newGame()); });
    setCommandHandler(ContinueGameCommand, [this] { Present(m_session.continueGame()); });
    setCommandHandler(SaveGameCommand, [this] { Tell(m_session.saveGame()); });
    for (std::size_t level = 0; level < std::size(LevelCommands); ++level)
        setCommandHandler(LevelCommands[level], [this, level] { Present(m_session.playCampaign(level)); });
    setCommandHandler(MoreLevelsCommand, &CCobbletonDlg::OnMoreLevels);
    setCommandHandler(ExitCommand, [this] { OnCancel(); });
    setCommandHandler(SettingsCommand, &CCobbletonDlg::OnSettings);
    setCommandHandler(HelpCommand, &CCobbletonDlg::OnHelp);
    setCommandHandler(AboutGameCommand,
                      [this] { dialogkit::CAboutDlg::openFor(*this, dialogkit::CAboutDlg::Command, AboutDialog); });
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
    UpdateLevelItems();
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
    const std::optional<QString> path =
        dialogkit::openFileName(this, QString::fromUtf8(OpenLevelTitle), QString::fromUtf8(LevelFileType),
                                QString::fromUtf8(LevelFilePattern), folderName(m_session.startFolder()));
    Open(path ? std::optional(dialogkit::pathFromQString(*path)) : std::nullopt);
}

void CCobbletonDlg::Open(const std::optional<std::filesystem::path> &path)
{
    const Outcome outcome = path ? m_session.openLoaded(*path) : Outcome{false, Notice::NoFile};
    Tell(outcome.notice);
    ShowBoards({outcome.loaded, {showingOf(m_state)}});
}

void CCobbletonDlg::OnMoreLevels()
{
    const std::optional<QString> path =
        dialogkit::openFileName(this, QString::fromUtf8(MoreLevelsTitle), QString::fromUtf8(MoreLevelsFileType),
                                QString::fromUtf8(MoreLevelsPattern), folderName(m_session.folders().levels));
    if (path)
        Present(m_session.openMoreLevels(dialogkit::pathFromQString(*path)));
}

void CCobbletonDlg::OnSettings()
{
    CSettingsDlg dlg(m_session.settings(), this);
    if (dlg.DoModal() != dialogkit::IdOk)
        return;
    const Notice notice = m_session.setSettings(dlg.m_settings);
    ShowPictures(m_shown);
    UpdateStrip();
    Tell(notice);
}

void CCobbletonDlg::OnHelp()
{
    const GameStorage &storage = m_session.storage();
    const QString text = QString::fromUtf8(HelpText).arg(folderName(storage.settingsFile().parent_path()),
                                                         folderName(storage.progressFile().parent_path()),
                                                         folderName(m_session.folders().levels.parent_path()));
    CHelpDlg dlg(text, this);
    dlg.DoModal();
}

void CCobbletonDlg::Present(const Outcome &outcome)
{
    Tell(outcome.notice);
    if (outcome.loaded)
        ShowBoards({true, {showingOf(m_state)}});
}

void CCobbletonDlg::Tell(Notice notice)
{
    switch (notice) {
    case Notice::None: return;
    case Notice::NoFile: MessageBox(QString::fromUtf8(NoFileMessage)); return;
    case Notice::SavedLevelMissing: MessageBox(QString::fromUtf8(SavedLevelMissingMessage)); return;
    case Notice::CannotReplay: MessageBox(QString::fromUtf8(CannotReplayMessage)); return;
    case Notice::CannotKeepFiles:
        MessageBox(QString::fromUtf8(CannotKeepFilesMessage).arg(folderName(m_session.unwritableFolder())));
        return;
    }
}

void CCobbletonDlg::ShowBoard()
{
    ShowBoard(showingOf(m_state));
}

bool CCobbletonDlg::ShowBoard(const Showing &showing)
{
    ShowPictures(showing.board);
    UpdateStrip();
    if (!showing.won)
        return false;
    const Notice notice = m_session.recordVictory();
    UpdateLevelItems();
    CheckVictory(showing);
    Tell(notice);
    return true;
}

void CCobbletonDlg::CheckVictory(const Showing &showing)
{
    if (showing.won)
        MessageBox(QString::fromStdString(m_state.victoryText));
}

void CCobbletonDlg::ShowBoards(const MoveResult &result)
{
    bool won = false;
    for (const Showing &showing : result.showings)
        won = ShowBoard(showing) || won;
    if (won)
        AdvanceAfterVictory();
}

void CCobbletonDlg::AdvanceAfterVictory()
{
    // A loop, not a recursion: every level of a collection may be won as it is loaded.
    for (;;) {
        const Outcome outcome = m_session.advanceAfterVictory();
        Tell(outcome.notice);
        if (!outcome.loaded || !ShowBoard(showingOf(m_state)))
            return;
    }
}

void CCobbletonDlg::ShowPictures(const Board &board)
{
    m_shown = board;
    if (!m_session.settings().markPlaced) {
        m_board.show(board);
        return;
    }
    std::array<int, leveldata::CellCount> pictures;
    for (CellIndex i = 0; i < leveldata::CellCount; ++i)
        pictures[std::size_t(i)] = Pictures.tileImage(board[i]);
    for (const CellIndex place : m_state.placeList) {
        if (leveldata::isOnBoard(place))
            pictures[std::size_t(place)] = onPlacePictureId(board[place]);
    }
    m_board.showPictures(pictures);
}

void CCobbletonDlg::UpdateStrip()
{
    const std::optional<GameSession::Place> place = m_session.place();
    const bool show = m_session.settings().showCounts && place;
    const MoveCount count = moveCountOf(m_state);
    SetDlgItemText(StripPlaceText,
                   show ? QString::fromUtf8(StripPlaceFormat)
                              .arg(place->index + 1)
                              .arg(place->count)
                              .arg(QString::fromStdString(place->name))
                        : QString());
    SetDlgItemText(StripCountsText,
                   show ? QString::fromUtf8(StripCountsFormat).arg(count.moves).arg(count.pushes) : QString());
}

void CCobbletonDlg::UpdateLevelItems()
{
    for (std::size_t level = 0; level < std::size(LevelCommands); ++level)
        EnableMenuItem(LevelCommands[level], m_session.progress().isOpen(level));
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

} // namespace cobbleton
