// SPDX-License-Identifier: GPL-3.0-or-later
// The save checks, and what follows them: Save level with its dialog and what a save writes; F5,
// the level played in the game beside the editor; F7, whether the level can be won, searched while
// the window goes on.

#include "quillmap/gamelauncher.h"
#include "tests/quillmap/editorwindowtest.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>

#include <cerrno>
#include <csignal>

using namespace editortesting;
using namespace quillmapresources;
using namespace windowtesting;
using quillmap::GameLauncher;

namespace {

// A stand-in for the game, "cobbleton" in `folder`: it writes its arguments, a copy of the level
// file it was given and its process id beside itself, in that order, then plays for `seconds`.
void putFakeGame(const QString &folder, int seconds)
{
    QFile script(folder + QStringLiteral("/cobbleton"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n"
                 "printf '%s\\n' \"$@\" > \"$0.arguments\"\n"
                 "/bin/cp \"$1\" \"$0.level\"\n"
                 "echo $$ > \"$0.pid\"\n"
                 "exec /bin/sleep "
                 + QByteArray::number(seconds) + "\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

} // namespace

class SaveLevelTest : public EditorWindowTest
{
    Q_OBJECT

private slots:
    // A level of walls made with keys, then Save level or F7.
    void save_data()
    {
        QTest::addColumn<QString>("keys"); // digits, R the right arrow, S Save level, F F7
        QTest::addColumn<QString>("name"); // typed into the save dialog; empty: cancelled
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("dialogs"); // save dialogs shown
        const QStringList solution{QString::fromUtf8(SolutionFoundMessage).arg(1).arg(1)};
        QTest::newRow("items and places differ: says so, no save dialog")
            << "2R5S"
            << "" << QStringList{QString::fromUtf8(ItemCountMessage)} << 0;
        QTest::newRow("save dialog cancelled") << "2R4S"
                                               << "" << QStringList() << 1;
        QTest::newRow("save failed: says so")
            << "2R4S"
            << "missing/level.lay" << QStringList{QString::fromUtf8(SaveFailedMessage)} << 1;
        QTest::newRow("saved in a Cyrillic folder, with the suffix")
            << "2R4S"
            << "Уровни Пети/склад у реки" << QStringList() << 1;
        QTest::newRow("F7, solvable: moves and pushes") << "2R5R3R1F"
                                                        << "" << solution << 0;
        QTest::newRow("F7, cursor on the place: checked as saved") << "2R5R3F"
                                                                   << "" << solution << 0;
        QTest::newRow("F7, item in a corner: no solution")
            << "5R2R3R1F"
            << "" << QStringList{QString::fromUtf8(NoSolutionMessage)} << 0;
        QTest::newRow("F7, the save check comes first")
            << "4RF"
            << "" << QStringList{QString::fromUtf8(PlayerCountMessage)} << 0;
    }
    void save()
    {
        QFETCH(QString, keys);
        QFETCH(QString, name);
        QFETCH(QStringList, messages);
        QFETCH(int, dialogs);
        const bool saved = !name.isEmpty() && messages.isEmpty();
        QVERIFY(QDir().mkdir(QStringLiteral("Уровни Пети")));
        Editor e({name.isEmpty() ? name : m_dir->filePath(name)});
        e.run([&] {
            for (QChar key : keys) {
                if (key == 'S')
                    click(e.window, SaveLevelButton);
                else
                    press(&e.window, key == 'R' ? Qt::Key_Right : key == 'F' ? Qt::Key_F7 : Qt::Key(key.unicode()));
            }
            QTRY_COMPARE(e.messages.texts, messages); // a search answers later
            // Drawn again: the cursor is seen until a save writes the brush in its place.
            QCOMPARE(shownPicture(e.window, cellControlId(e.state.cursorCell())),
                     int(saved ? FloorPicture : CursorPicture));
        });
        QCOMPARE(e.files.titles, QStringList(dialogs, QStringLiteral("Сохранение Уровня")));
        QCOMPARE(QDir::current().entryList(QDir::Files), QStringList());
        QCOMPARE(entriesOf(QStringLiteral("Уровни Пети")),
                 saved ? QStringList{QStringLiteral("склад у реки.lay")} : QStringList());
    }

    // While a search runs, F7 again or Esc stops it: no verdict, and Esc does not ask to leave.
    void checkLevelStops_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("F7 again") << int(Qt::Key_F7);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void checkLevelStops()
    {
        QFETCH(int, key);
        Editor e;
        e.window.setStartFile(HARD_LEVEL); // twelve items: seconds of search at best
        QCOMPARE(runWindow(e.window,
                           [&] {
                               press(&e.window, Qt::Key_F7);
                               QCOMPARE(e.window.cursor().shape(), Qt::BusyCursor); // while it runs
                               press(&e.window, Qt::Key(key));
                               QTRY_COMPARE(e.window.cursor().shape(), Qt::ArrowCursor);
                               QCoreApplication::processEvents();
                           }),
                 EndedByTest);
        QCOMPARE(e.messages.texts, QStringList());
    }

    // Opened, drawn again and saved, an item and the player on their places keep them.
    void placesUnderItemsAndThePlayer()
    {
        const std::filesystem::path given =
            writeLevelFile(m_dir->filePath("given.lay"), testsupport::levelFromArt({"#####", "#*p$#", "#####"}));
        Editor e({m_dir->filePath("saved.lay")});
        e.window.setStartFile(given);
        e.run([&] {
            QTRY_COMPARE(shownPicture(e.window, cellControlId(16)), int(ItemOnPlacePicture));
            QCOMPARE(shownPicture(e.window, cellControlId(17)), int(PlayerOnPlacePicture));
            click(e.window, RefreshButton);
            QCOMPARE(shownPicture(e.window, cellControlId(18)), int(ItemPicture));
            click(e.window, SaveLevelButton);
        });
        QCOMPARE(e.messages.texts, QStringList());
        QCOMPARE(testsupport::fileBytes(QFile::encodeName(m_dir->filePath("saved.lay")).toStdString()),
                 testsupport::fileBytes(given));
    }

    void playLevel_data()
    {
        QTest::addColumn<QString>("keys"); // digits and R (right), from cell 16; then 4 and F5
        QTest::addColumn<int>("game");     // how long the game plays, in seconds; -1: no game anywhere
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("copied");     // row 1 of the copy the game got
        QTest::addColumn<QList<int>>("covered"); // its covered places
        const QString player = "#@.############";
        QTest::newRow("a copy played, the cursor cell as the brush; gone when the game ends")
            << "2R" << 0 << QStringList() << player << QList<int>();
        QTest::newRow("a game still running ends with the editor; its copy goes")
            << "2R" << 30 << QStringList() << player << QList<int>();
        QTest::newRow("no game anywhere: says so")
            << "2R" << -1 << QStringList{QString::fromUtf8(GameNotFoundMessage)} << player << QList<int>();
        QTest::newRow("no player: the save check's message, no game")
            << "4R" << 0 << QStringList{QString::fromUtf8(PlayerCountMessage)} << player << QList<int>();
        QTest::newRow("an item on a place: the copy keeps the place")
            << "6R2R" << 0 << QStringList() << "#$@.###########" << QList<int>{16};
    }
    void playLevel()
    {
        QFETCH(QString, keys);
        QFETCH(int, game);
        QFETCH(QStringList, messages);
        QFETCH(QString, copied);
        QFETCH(QList<int>, covered);
        const QString games = m_dir->filePath(QStringLiteral("games"));
        const QString temp = m_dir->filePath(QStringLiteral("temp"));
        QVERIFY(QDir().mkdir(games) && QDir().mkdir(temp));
        if (game >= 0)
            putFakeGame(games, game);
        // Back as they were afterwards: empty when they were not set, which both take as unset.
        const auto restore = qScopeGuard([path = qgetenv("PATH"), tmpdir = qgetenv("TMPDIR")] {
            qputenv("PATH", path);
            qputenv("TMPDIR", tmpdir);
        });
        qputenv("PATH", QFile::encodeName(games));
        qputenv("TMPDIR", QFile::encodeName(temp));
        {
            Editor e;
            e.state.setLevelInfo(SomeInfo);
            e.run([&] {
                for (QChar key : keys + '4')
                    press(&e.window, key == 'R' ? Qt::Key_Right : Qt::Key(key.unicode()));
                press(&e.window, Qt::Key_F5);
                if (!messages.isEmpty())
                    return;
                QTRY_VERIFY(QFile::exists(games + QStringLiteral("/cobbleton.pid")));
                if (game == 0)
                    QTRY_COMPARE(entriesOf(temp), QStringList());
                else
                    QCOMPARE(entriesOf(temp).size(), 1);
            });
            QCOMPARE(e.messages.texts, messages);
        }
        QCOMPARE(entriesOf(temp), QStringList());
        const auto written = [&games](const char *suffix) { // by the stand-in game, beside itself
            return testsupport::fileBytes(QFile::encodeName(games + "/cobbleton." + suffix).toStdString());
        };
        const std::string pid = written("pid");
        QCOMPARE(pid.empty(), !messages.isEmpty()); // a game started only without a message
        if (pid.empty())
            return;
        // One argument, the copy in the temporary folder: the level as a save would write it.
        QCOMPARE(QFileInfo(QString::fromStdString(written("arguments")).chopped(1)).absolutePath(), temp);
        const leveldata::EditorLevel copy = leveldata::editorLevelFromBytes(written("level"));
        QCOMPARE(QString::fromStdString(testsupport::artOf(copy.board)[1]), copied); // the cursor as floor
        QCOMPARE(QList<int>(copy.coveredPlaces.begin(), copy.coveredPlaces.end()), covered);
        QCOMPARE(copy.info, SomeInfo);
        QVERIFY(::kill(std::stoi(pid), 0) != 0 && errno == ESRCH); // the game is over, however it ended
    }

    // The game beside the editor comes first, then PATH's folders in order. A PATH of empty entries
    // names no folder: the editor's own PATH (here folder A) is not searched instead.
    void gameLookup()
    {
        for (const QString folder : {"beside", "A", "B"}) {
            QVERIFY(QDir().mkdir(folder));
            putFakeGame(m_dir->filePath(folder), 0);
        }
        const QString a = m_dir->filePath("A"), b = m_dir->filePath("B");
        QCOMPARE(GameLauncher::findGame(m_dir->filePath("beside"), a), m_dir->filePath("beside/cobbleton"));
        QCOMPARE(GameLauncher::findGame(QString(), b + ':' + a), b + "/cobbleton");
        const auto restore = qScopeGuard([path = qgetenv("PATH")] { qputenv("PATH", path); });
        qputenv("PATH", QFile::encodeName(a));
        QCOMPARE(GameLauncher::findGame(QString(), QStringLiteral("::")), QString());
    }
};

QTEST_MAIN(SaveLevelTest)
#include "savelevel_test.moc"
