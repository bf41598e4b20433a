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

constexpr int WalkTimer = 1;
constexpr int WalkStepMilliseconds = 60;

QString lostText(std::optional<std::size_t> undos)
{
    if (!undos)
        return QString::fromUtf8(LostText);
    const std::size_t tens = *undos % 100, ones = *undos % 10;
    const std::size_t form = tens >= 11 && tens <= 14 ? 2 : ones == 1 ? 0 : ones >= 2 && ones <= 4 ? 1 : 2;
    return QString::fromUtf8(LostFormat).arg(*undos).arg(QString::fromUtf8(LostMoveWords[form]));
}

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
    setCommandHandler(HintCommand, &CCobbletonDlg::OnHint);
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

void CCobbletonDlg::OnCommand(int id)
{
    const bool hinted = StopHint();
    m_checker.stop();
    if (id != HintCommand || !hinted)
        Dialog::OnCommand(id);
    CheckPosition();
}

void CCobbletonDlg::keyPressEvent(QKeyEvent *event)
{
    // Keys that are no command stop a hint too.
    if (StopHint())
        UpdateStrip();
    Dialog::keyPressEvent(event);
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
    if (outcome.loaded)
        LevelLoaded();
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
    if (outcome.loaded)
        LevelLoaded();
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
    if (result.moved)
        CheckPosition();
}

void CCobbletonDlg::AdvanceAfterVictory()
{
    // A loop, not a recursion: every level of a collection may be won as it is loaded.
    for (;;) {
        const Outcome outcome = m_session.advanceAfterVictory();
        if (outcome.loaded)
            LevelLoaded();
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
    const QString said = !m_hintText.isEmpty() ? m_hintText : m_lostText;
    SetDlgItemText(StripPlaceText,
                   !said.isEmpty() ? said
                       : show      ? QString::fromUtf8(StripPlaceFormat)
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

void CCobbletonDlg::OnHint()
{
    if (!m_session.place())
        return;
    if (std::optional<std::string> steps = m_advisor.nextPush(m_state)) {
        Walk(std::move(*steps));
        return;
    }
    m_hintText = QString::fromUtf8(HintSearchingText);
    m_hinter.run([position = solverPositionOf(m_state.board, m_state.playerCell, m_state.placeList)](
                     std::stop_token stop) { return searchPosition(position, HintTimeLimit, stop); },
                 [this, from = positionOf(m_state)](const PositionVerdict &verdict) { ShowHint(from, verdict); });
}

void CCobbletonDlg::ShowHint(const Position &from, const PositionVerdict &verdict)
{
    m_hintText.clear();
    m_advisor.learn(from, verdict);
    switch (verdict.winnable) {
    case Winnable::Yes:
        if (std::optional<std::string> steps = m_advisor.nextPush(m_state))
            Walk(std::move(*steps));
        break;
    case Winnable::No: m_hintText = QString::fromUtf8(HintNoSolutionText); break;
    case Winnable::Unknown:
        if (verdict.timedOut)
            m_hintText = QString::fromUtf8(HintNotFoundText);
        break;
    }
    CheckPosition();
}

void CCobbletonDlg::Walk(std::string steps)
{
    m_walk = std::move(steps);
    std::reverse(m_walk.begin(), m_walk.end()); // taken from the back
    SetTimer(WalkTimer, WalkStepMilliseconds);
}

void CCobbletonDlg::OnTimer(int id)
{
    if (id != WalkTimer || m_walk.empty())
        return;
    const char letter = m_walk.back();
    m_walk.pop_back();
    // Stopped before the last step shows, so no tick comes while its victory message is open.
    if (m_walk.empty())
        KillTimer(WalkTimer);
    const MoveResult result = cobbleton::move(m_state, stepOfLetter(letter));
    if (!result.moved)
        StopHint();
    ShowBoards(result);
}

bool CCobbletonDlg::StopHint()
{
    const bool underWay = !m_walk.empty() || m_hinter.isRunning();
    KillTimer(WalkTimer);
    m_walk.clear();
    m_hinter.stop();
    m_hintText.clear();
    return underWay;
}

void CCobbletonDlg::LevelLoaded()
{
    StopHint();
    m_checker.stop();
    m_advisor.startLevel(m_state.placeList);
    m_lostText.clear();
}

void CCobbletonDlg::CheckPosition()
{
    if (!m_session.settings().warnLost || !m_session.place() || !isVisible()) {
        m_checker.stop();
        ShowWarning({});
        return;
    }
    Advisor::Assessment assessment = m_advisor.assess(m_state);
    ShowWarning(assessment);
    const PositionKey key = positionKeyOf(m_state.board, m_state.playerCell);
    if (!assessment.check)
        m_checker.stop();
    else if (!m_checker.isRunning() || key != m_checking) // a walk keeps the verdict: a check goes on
        StartCheck(std::move(assessment));
}

void CCobbletonDlg::StartCheck(Advisor::Assessment assessment)
{
    m_checking = positionKeyOf(m_state.board, m_state.playerCell);
    const bool countOnly = assessment.current == Winnable::No;
    m_checker.run(
        [check = std::move(*assessment.check)](std::stop_token stop) mutable {
            return Advisor::runLostCheck(std::move(check), LostCheckTimeLimit, stop);
        },
        [this, countOnly](const std::vector<Advisor::Finding> &findings) {
            for (const Advisor::Finding &finding : findings)
                m_advisor.learn(finding.from, finding.verdict);
            Advisor::Assessment found = m_advisor.assess(m_state);
            ShowWarning(found);
            // Lost is said at once; the count follows from a search of its own.
            if (!countOnly && found.current == Winnable::No && found.check)
                StartCheck(std::move(found));
        });
}

void CCobbletonDlg::ShowWarning(const Advisor::Assessment &assessment)
{
    m_lostText = assessment.current == Winnable::No ? lostText(assessment.undos) : QString();
    UpdateStrip();
}

} // namespace cobbleton
