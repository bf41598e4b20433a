// SPDX-License-Identifier: GPL-3.0-or-later
// The game window's menu, PageUp/PageDown, the settings and the help, through the real window.
#include "cobbleton/helpdlg.h"
#include "cobbleton/settingsdlg.h"
#include "dialogkit/aboutdlg.h"
#include "leveldata/levelfile.h"
#include "solver/solver.h"
#include "tests/cobbleton/gamewindowtest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

#include <algorithm>

using namespace windowtesting;
using cobbleton::CCobbletonDlg;
using leveldata::Board;
namespace fs = std::filesystem;

namespace {

const fs::path LevelsDir = LEVELS_DIR;
const fs::path CampaignDir = LevelsDir / "campaign";

QString nameOf(const fs::path &path)
{
    return QFile::decodeName(path.native().c_str());
}

fs::path campaignFile(int level)
{
    std::vector<fs::path> files;
    for (const fs::directory_entry &entry : fs::directory_iterator(CampaignDir))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files.at(std::size_t(level));
}

Board boardOf(const fs::path &level)
{
    return leveldata::readGameLevel(level).board;
}

// The menu-bar item with `text`, in any menu.
QAction *item(const CCobbletonDlg &game, const QString &text)
{
    for (QAction *action : game.findChild<QMenuBar *>()->findChildren<QAction *>()) {
        if (action->text() == text && !action->menu())
            return action;
    }
    return nullptr;
}

void choose(const CCobbletonDlg &game, const QString &text)
{
    QAction *action = item(game, text);
    QVERIFY2(action && action->isEnabled(), qPrintable(text));
    action->trigger();
}

QString levelItem(int level)
{
    return QStringLiteral("Уровень %1").arg(level + 1);
}

int enabledLevelItems(const CCobbletonDlg &game)
{
    int count = 0;
    for (int level = 0; level < 10; ++level)
        count += item(game, levelItem(level))->isEnabled() ? 1 : 0;
    return count;
}

// Presses the arrow keys of a solution (l r u d, L R U D).
void play(CCobbletonDlg &game, const std::string &moves)
{
    for (const char move : moves)
        press(&game, GameKeys.at(char(std::toupper(static_cast<unsigned char>(move)))).key());
}

std::string solution(const fs::path &level)
{
    return levelsolver::solveBoard(boardOf(level), {}).moves;
}

QString stripText(const CCobbletonDlg &game)
{
    return game.GetDlgItemText(cobbletonresources::StripPlaceText);
}

// Presses F2 until the level is won (a victory message), each time waiting for its push; once, a
// second F2 at once stops the walk before its first step.
void winByHints(CCobbletonDlg &game, const cobbleton::GameState &state, const MessageWatch &messages)
{
    const auto pushes = [&] { return cobbleton::moveCountOf(state).pushes; };
    for (int pushed = 1; messages.texts.isEmpty(); ++pushed) {
        press(&game, Qt::Key_F2);
        if (pushed == 2) {
            press(&game, Qt::Key_F2);
            const cobbleton::MoveCount before = cobbleton::moveCountOf(state);
            QTest::qWait(200);
            QCOMPARE(cobbleton::moveCountOf(state), before);
            press(&game, Qt::Key_F2);
        }
        QTRY_VERIFY(pushes() == pushed || !messages.texts.isEmpty());
        QVERIFY(pushed < 50);
    }
}

int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

} // namespace

class GameMenuTest : public GameWindowTest
{
    Q_OBJECT

private slots:
    // `won`: how many of the ten were won before; whether level item `level` is enabled then, and
    // that choosing it loads that level (a grayed one cannot be chosen).
    void levelItems_data()
    {
        QTest::addColumn<int>("won");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("open");
        QTest::newRow("level 4 grayed at first") << 0 << 3 << false;
        QTest::newRow("level 4 after one win") << 1 << 3 << true;
        QTest::newRow("level 10 after six wins: grayed") << 6 << 9 << false;
        QTest::newRow("level 10 after seven wins") << 7 << 9 << true;
    }
    void levelItems()
    {
        QFETCH(int, won);
        QFETCH(int, level);
        QFETCH(bool, open);
        cobbleton::Progress progress;
        for (int i = 0; i < won; ++i)
            static_cast<void>(progress.recordWin(std::size_t(i), {10, 2}));
        QVERIFY(!m_storage->writeProgress(progress));
        startGame();
        CCobbletonDlg game(*m_state, *m_session, m_pictures);
        runWindow(game, [&] {
            QCOMPARE(enabledLevelItems(game), std::min(10, 3 + won));
            QCOMPARE(item(game, levelItem(level))->isEnabled(), open);
            if (open) {
                choose(game, levelItem(level));
                QCOMPARE(shown(game), boardOf(campaignFile(level)));
            }
            choose(game, QStringLiteral("Новая игра"));
            QCOMPARE(shown(game), boardOf(campaignFile(0)));
            QCOMPARE(enabledLevelItems(game), std::min(10, 3 + won)); // what was opened stays open
        });
    }

    // PageDown and PageUp through the open levels of the ten, and after "Загрузить" through the
    // .lay files of that level's folder, where a victory does not move on.
    void pageDownAndUp()
    {
        FileDialogWatch files({nameOf(LevelsDir / "05-pantry.lay"), nameOf(LevelsDir / "01-first-steps.lay")});
        MessageWatch messages;
        CCobbletonDlg game(*m_state, *m_session, m_pictures);
        runWindow(game, [&] {
            press(&game, Qt::Key_PageDown); // nothing in play yet
            QCOMPARE(shown(game), Board{});
            choose(game, QStringLiteral("Новая игра"));
            const std::pair<Qt::Key, int> steps[] = {
                {Qt::Key_PageDown, 1}, {Qt::Key_PageDown, 2}, {Qt::Key_PageDown, 2}, // level 4 is closed
                {Qt::Key_PageUp, 1},   {Qt::Key_PageUp, 0},   {Qt::Key_PageUp, 0}};
            for (const auto &[key, level] : steps) {
                press(&game, key);
                QCOMPARE(shown(game), boardOf(campaignFile(level)));
            }
            press(&game, Qt::Key_Return); // the Load button
            QCOMPARE(files.folders.last(), nameOf(CampaignDir));
            QCOMPARE(shown(game), boardOf(LevelsDir / "05-pantry.lay"));
            press(&game, Qt::Key_PageDown);
            QCOMPARE(shown(game), boardOf(LevelsDir / "06-workshop.lay"));
            press(&game, Qt::Key_PageUp);
            press(&game, Qt::Key_PageUp);
            QCOMPARE(shown(game), boardOf(LevelsDir / "04-lane.lay"));
            press(&game, Qt::Key_Return);
            QCOMPARE(files.folders.last(), nameOf(LevelsDir));
            play(game, "RRRR");
            QCOMPARE(messages.texts.size(), 1);
            QCOMPARE(m_state->levelPath, LevelsDir / "01-first-steps.lay");
        });
        QCOMPARE(files.titles, QStringList(2, QStringLiteral("Открыть файл.")));
    }

    // "Дополнительные уровни" starts in the sample levels; a .lay file plays with its folder's
    // files, moving on after each victory; a text collection plays its levels that fit.
    void moreLevels()
    {
        const QString pack = writeFile("пакет.xsb",
                                       "#####\n#@$.#\n#####\nTitle: One\n\n################\n#@$.           #\n"
                                       "################\n\n######\n#@ $.#\n######\nTitle: Two\n");
        FileDialogWatch files({nameOf(LevelsDir / "01-first-steps.lay"), pack, QString()});
        MessageWatch messages;
        CCobbletonDlg game(*m_state, *m_session, m_pictures);
        runWindow(game, [&] {
            choose(game, QStringLiteral("Дополнительные уровни"));
            play(game, "RRRR");
            QCOMPARE(shown(game), boardOf(LevelsDir / "02-yard.lay"));
            choose(game, QStringLiteral("Дополнительные уровни"));
            QCOMPARE(m_session->place()->count, 2u);
            play(game, "R");
            QCOMPARE(m_session->place()->name, "Two");
            play(game, "RR");
            QCOMPARE(m_session->place()->name, "Two");             // the last one stays
            choose(game, QStringLiteral("Дополнительные уровни")); // cancelled: nothing changes
            QCOMPARE(m_session->place()->name, "Two");
        });
        QCOMPARE(files.titles, QStringList(3, QStringLiteral("Дополнительные уровни")));
        QCOMPARE(files.folders, QStringList(3, nameOf(LevelsDir)));
        QCOMPARE(messages.texts.size(), 3);
        QCOMPARE(QDir(m_files->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"пакет.xsb"});
    }

    // The settings dialog: the warning on at first, the others off; "Отмена" keeps them, OK keeps
    // what is checked (each box clicked, then each again).
    // With them on the strip tells the level and its moves and pushes, and what stands on a place
    // has its own picture; off again, the window is as before.
    void settingsStripAndMarks()
    {
        QList<QList<bool>> seen;
        int answer = 0; // 0: cancel, then click each and OK, then each again and OK
        WatchFor<cobbleton::CSettingsDlg> settings([&](cobbleton::CSettingsDlg *dlg) {
            QList<bool> checked;
            for (QCheckBox *box : dlg->findChildren<QCheckBox *>()) {
                checked << box->isChecked();
                if (answer > 0)
                    box->click();
            }
            seen << checked;
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Настройки игры"));
            const QString button = answer++ == 0 ? QStringLiteral("Отмена") : QStringLiteral("OK");
            for (QAbstractButton *b : dlg->findChildren<QAbstractButton *>()) {
                if (b->text() == button)
                    b->click();
            }
        });
        CCobbletonDlg game(*m_state, *m_session, m_pictures);
        const auto strip = [&] {
            return game.GetDlgItemText(cobbletonresources::StripPlaceText) + " | "
                + game.GetDlgItemText(cobbletonresources::StripCountsText);
        };
        runWindow(game, [&] {
            choose(game, QStringLiteral("Уровень 2"));
            const std::vector<leveldata::CellIndex> places = m_state->placeList;
            const auto home = [&] {
                return std::count_if(places.begin(), places.end(), [&](leveldata::CellIndex place) {
                    return m_state->board[place] == leveldata::Item;
                });
            };
            const std::string moves = solution(campaignFile(1));
            std::size_t played = 0;
            while (home() == 0)
                play(game, moves.substr(played++, 1));
            const Board before = shown(game);
            choose(game, QStringLiteral("Настройки игры"));
            QCOMPARE(strip(), QStringLiteral(" | "));
            QVERIFY(!QFile::exists(m_files->filePath("config/settings.ini")));
            choose(game, QStringLiteral("Настройки игры"));
            const auto counts = [&] {
                const cobbleton::MoveCount count = cobbleton::moveCountOf(*m_state);
                return QStringLiteral("Ходы: %1   Толкания: %2").arg(count.moves).arg(count.pushes);
            };
            QCOMPARE(strip(), QStringLiteral("Уровень 2 из 10: Прихожая | ") + counts());
            QCOMPARE(cobbleton::moveCountOf(*m_state).moves, int(played));
            QVERIFY(QFile::exists(m_files->filePath("config/settings.ini")));
            int marked = 0;
            for (const leveldata::CellIndex place : places) {
                const int picture = shownPicture(game, cobbletonresources::cellControlId(place));
                marked += picture == cobbletonresources::ItemOnPlacePicture ? 1 : 0;
                QVERIFY(picture != cobbletonresources::ItemPicture);
            }
            QCOMPARE(marked, home());
            press(&game, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(cobbleton::moveCountOf(*m_state).moves, int(played) - 1);
            QCOMPARE(game.GetDlgItemText(cobbletonresources::StripCountsText), counts());
            press(&game, Qt::Key_Y, Qt::ControlModifier);
            choose(game, QStringLiteral("Настройки игры"));
            QCOMPARE(strip(), QStringLiteral(" | "));
            QCOMPARE(shown(game), before);
        });
        QCOMPARE(seen, (QList<QList<bool>>{{false, false, true}, {false, false, true}, {true, true, false}}));
    }

    // "Справка" and F1 show the help, which says where the files are; "О игре" the About box;
    // "Выход" ends the game as Esc does.
    void helpAboutAndExit()
    {
        QStringList helps;
        WatchFor<cobbleton::CHelpDlg> help([&](cobbleton::CHelpDlg *dlg) {
            helps << dlg->findChild<QPlainTextEdit *>()->toPlainText();
            QTest::keyClick(dlg, Qt::Key_Escape);
        });
        WatchFor<dialogkit::CAboutDlg> about([](dialogkit::CAboutDlg *dlg) { QTest::keyClick(dlg, Qt::Key_Return); });
        CCobbletonDlg game(*m_state, *m_session, m_pictures);
        const int result = runWindow(game, [&] {
            choose(game, QStringLiteral("Справка"));
            press(&game, Qt::Key_F1);
            choose(game, QStringLiteral("О игре"));
            QCOMPARE(about.count(), 1);
            choose(game, QStringLiteral("Выход"));
        });
        QCOMPARE(result, int(dialogkit::IdCancel));
        QCOMPARE(helps.size(), 2);
        for (const QString &path :
             {m_files->filePath("config"), m_files->filePath("data"), nameOf(LevelsDir.parent_path())})
            QVERIFY2(helps.first().contains(path), qPrintable(path));
    }

    // The ten played through, the first by hints (F2), the others with the solver's solutions: each
    // victory opens the next level and moves on to it; the last stays.
    void playsTheTenThrough()
    {
        MessageWatch messages;
        CCobbletonDlg game(*m_state, *m_session, m_pictures);
        runWindow(game, [&] {
            choose(game, QStringLiteral("Новая игра"));
            for (int level = 0; level < 10; ++level) {
                QCOMPARE(shown(game), boardOf(campaignFile(level)));
                QCOMPARE(enabledLevelItems(game), std::min(10, 3 + level));
                if (level == 0)
                    winByHints(game, *m_state, messages);
                else
                    play(game, solution(campaignFile(level)));
                QCOMPARE(messages.texts.size(), level + 1);
                QCOMPARE(messages.texts.last(),
                         QString::fromStdString(leveldata::readGameLevel(campaignFile(level)).victoryText));
            }
            QCOMPARE(enabledLevelItems(game), 10);
            QCOMPARE(m_state->levelPath, campaignFile(9));
        });
    }

    // An item pushed into a corner: the strip says how many undos bring back a position that can
    // be won, and Ctrl+Z that many times clears it. A level lost from the start says so as it
    // loads. With the setting off nothing is said. F2 at the end, where nothing can be won, moves
    // nothing and says so.
    void lostPositions_data()
    {
        const QString corner = "#######\n##    #\n# $ . #\n#     #\n#  $. #\n#@    #\n#######\n";
        const QString noHint = QString::fromUtf8(cobbletonresources::HintNoSolutionText);
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("warn");
        QTest::addColumn<QStringList>("said"); // after the moves u u r U l, then after each Ctrl+Z
        QTest::addColumn<QString>("hint");
        QTest::newRow("into a corner") << corner << true
                                       << QStringList{"Позиция проиграна. Вернитесь на 2 хода назад (Ctrl+Z).",
                                                      "Позиция проиграна. Вернитесь на 1 ход назад (Ctrl+Z).", ""}
                                       << QString();
        QTest::newRow("warning off") << corner << false << QStringList{""} << noHint;
        QTest::newRow("lost from the start") << "#######\n#$  . #\n#@    #\n#######\n"
                                             << true << QStringList{"Позиция проиграна."} << noHint;
    }
    void lostPositions()
    {
        QFETCH(QString, level);
        QFETCH(bool, warn);
        QFETCH(QStringList, said);
        QFETCH(QString, hint);
        QVERIFY(!m_storage->writeSettings({false, false, warn}));
        startGame();
        FileDialogWatch files({writeFile("level.xsb", level.toUtf8())});
        CCobbletonDlg game(*m_state, *m_session, m_pictures);
        runWindow(game, [&] {
            choose(game, QStringLiteral("Дополнительные уровни"));
            play(game, "uurUl");
            QTest::qWait(200);
            for (qsizetype undos = 0; undos < said.size(); ++undos) {
                if (undos > 0)
                    press(&game, Qt::Key_Z, Qt::ControlModifier);
                QTRY_COMPARE(stripText(game), said[undos]);
            }
            if (hint.isEmpty())
                return;
            const Board before = shown(game);
            press(&game, Qt::Key_F2);
            QTRY_COMPARE(stripText(game), hint);
            QCOMPARE(shown(game), before);
        });
    }

    // Closing the game while a hint is searched (seconds on this level) stops the search: no
    // thread is left.
    void closeDuringHint()
    {
        const int threads = threadCount();
        {
            CCobbletonDlg game(*m_state, *m_session, m_pictures, fs::path(HARD_LEVEL));
            runWindow(game, [&] {
                QTRY_VERIFY(m_session->place());
                press(&game, Qt::Key_F2);
                QCOMPARE(stripText(game), QString::fromUtf8(cobbletonresources::HintSearchingText));
                press(&game, Qt::Key_Escape);
            });
        }
        QCOMPARE(threadCount(), threads);
    }

    // A game saved, the game closed and started again: "Продолжить игру" brings the position back,
    // and Ctrl+Z goes back through the same history.
    void restartAndContinue()
    {
        const std::string moves = solution(campaignFile(2)).substr(0, 12);
        std::vector<Board> boards;
        {
            CCobbletonDlg game(*m_state, *m_session, m_pictures);
            runWindow(game, [&] {
                choose(game, QStringLiteral("Уровень 3"));
                boards.push_back(shown(game));
                for (const char move : moves) {
                    play(game, std::string(1, move));
                    boards.push_back(shown(game));
                }
                press(&game, Qt::Key_Z, Qt::ControlModifier); // one to redo
                choose(game, QStringLiteral("Сохранить игру"));
                press(&game, Qt::Key_Escape);
            });
        }
        startGame();
        CCobbletonDlg game(*m_state, *m_session, m_pictures);
        runWindow(game, [&] {
            choose(game, QStringLiteral("Продолжить игру"));
            QCOMPARE(shown(game), boards[moves.size() - 1]);
            press(&game, Qt::Key_Y, Qt::ControlModifier);
            QCOMPARE(shown(game), boards.back());
            for (std::size_t i = moves.size(); i > 0; --i) {
                press(&game, Qt::Key_Z, Qt::ControlModifier);
                QCOMPARE(shown(game), boards[i - 1]);
            }
        });
    }

private:
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_files->filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
    }
};

QTEST_MAIN(GameMenuTest)
#include "gamemenu_test.moc"
