// SPDX-License-Identifier: GPL-3.0-or-later
// F5: the level played in the game beside the editor.

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

class PlayLevelTest : public EditorWindowTest
{
    Q_OBJECT

private slots:
    void playLevel_data()
    {
        QTest::addColumn<int>("first"); // the digit of cell 16's tile; the cursor then leaves floor on 17
        QTest::addColumn<int>("game");  // how long the game plays, in seconds; -1: no game anywhere
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("a copy played, the cursor cell as the brush; gone when the game ends")
            << 2 << 0 << QStringList();
        QTest::newRow("a game still running ends with the editor; its copy goes") << 2 << 30 << QStringList();
        QTest::newRow("no game anywhere: says so") << 2 << -1 << QStringList{QString::fromUtf8(GameNotFoundMessage)};
        QTest::newRow("no player: the save check's message, no game")
            << 4 << 0 << QStringList{QString::fromUtf8(PlayerCountMessage)};
    }
    void playLevel()
    {
        QFETCH(int, first);
        QFETCH(int, game);
        QFETCH(QStringList, messages);
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
                for (Qt::Key key : {Qt::Key(Qt::Key_0 + first), Qt::Key_Right, Qt::Key_4})
                    press(&e.window, key);
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
        QCOMPARE(testsupport::artOf(copy.board)[1], std::string("#@.############")); // the cursor as floor
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

QTEST_MAIN(PlayLevelTest)
#include "playlevel_test.moc"
