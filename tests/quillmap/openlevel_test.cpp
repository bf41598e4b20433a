// SPDX-License-Identifier: GPL-3.0-or-later
// How a level comes into the editor at its start: the start dialog's choices, or the file named
// on the command line instead of it.

#include "dialogkit/appsupport.h"
#include "quillmap/newlayer.h"
#include "quillmap/start.h"
#include "tests/quillmap/editorwindowtest.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QScopeGuard>

using namespace editortesting;
using namespace quillmap;
using namespace quillmapresources;
using namespace windowtesting;
using dialogkit::IdCancel;
using leveldata::Board;

class OpenLevelTest : public EditorWindowTest
{
    Q_OBJECT

private slots:
    // In a folder holding old.lay and "\xff.lay" (a name that is not UTF-8), both the example
    // level, and NewLayer.lay (a small level).
    void start_data()
    {
        QTest::addColumn<QByteArray>("startFile"); // the command line's argument; empty: none
        QTest::addColumn<QList<int>>("radios");    // clicked in the start dialog, then `key`
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("opened"); // the open dialog's answer; empty: cancelled
        QTest::addColumn<int>("result");
        QTest::addColumn<Board>("board");
        QTest::addColumn<QStringList>("messages");
        const Board walls;
        const Board old = testsupport::exampleBoard();
        const Board scratch = testsupport::boardFromArt({"####", "#@o#", "#$.#"});
        const QList<int> none, newLevel{NewLevelRadio}, edit{EditLevelRadio}, leave{LeaveRadio};
        const QList<int> newThenEdit{NewLevelRadio, EditLevelRadio};
        const int enter = Qt::Key_Return;
        const int esc = Qt::Key_Escape;
        const QByteArray noArgument;
        const QStringList quiet, noChoice{QString::fromUtf8(NoChoiceMessage)}, noFile{NoFile};
        QTest::newRow("Esc: an all-wall board") << noArgument << none << esc << "" << EndedByTest << walls << quiet;
        QTest::newRow("Esc after a choice: the same")
            << noArgument << newLevel << esc << "" << EndedByTest << walls << quiet;
        QTest::newRow("OK without a choice says so and stays")
            << noArgument << none << enter << "" << EndedByTest << walls << noChoice;
        QTest::newRow("new level: the scratch file's board")
            << noArgument << newLevel << enter << "" << EndedByTest << scratch << quiet;
        QTest::newRow("edit level: the last click wins")
            << noArgument << newThenEdit << enter << "old.lay" << EndedByTest << old << quiet;
        QTest::newRow("edit level, no file chosen: says so, then a new level")
            << noArgument << edit << enter << "" << EndedByTest << scratch << noFile;
        QTest::newRow("leave: ends at once, no question")
            << noArgument << leave << enter << "" << IdCancel << walls << quiet;
        QTest::newRow("a start file: opened, no start dialog")
            << QByteArray("old.lay") << none << 0 << "" << EndedByTest << old << quiet;
        QTest::newRow("a start file whose name is not UTF-8: the same")
            << QByteArray("\xff.lay") << none << 0 << "" << EndedByTest << old << quiet;
        QTest::newRow("a start file that is a folder: says so, then a new level")
            << QByteArray(".") << none << 0 << "" << EndedByTest << scratch << noFile;
    }
    void start()
    {
        QFETCH(QByteArray, startFile);
        QFETCH(QList<int>, radios);
        QFETCH(int, key);
        QFETCH(QString, opened);
        QFETCH(int, result);
        QFETCH(Board, board);
        QFETCH(QStringList, messages);
        writeLevelFile(m_dir->filePath("old.lay"), testsupport::exampleBoard());
        const std::filesystem::path notUtf8 = std::filesystem::current_path() / "\xff.lay";
        // Qt cannot name it, so the scratch folder could not remove it.
        const auto removeNotUtf8 = qScopeGuard([&notUtf8] { std::filesystem::remove(notUtf8); });
        QVERIFY(!leveldata::writeLevel(notUtf8, testsupport::exampleBoard(), SomeInfo));
        writeLevelFile(QStringLiteral("NewLayer.lay"), testsupport::boardFromArt({"####", "#@o#", "#$.#"}));
        Editor e({opened.isEmpty() ? opened : m_dir->filePath(opened)});
        // The command line as main() has it, and what the application does with it.
        QByteArray program("quillmap"), argument = QFile::encodeName(QDir::currentPath()) + '/' + startFile;
        char *argv[] = {program.data(), argument.data(), nullptr};
        if (const auto file = dialogkit::fileArgument(startFile.isEmpty() ? 1 : 2, argv))
            e.window.setStartFile(*file);
        WatchFor<CStart> start([&](CStart *d) {
            for (int radio : radios)
                d->GetDlgItem<QRadioButton>(radio)->click();
            QTest::keyClick(d, Qt::Key(key));
            if (d->isVisible())
                QTest::keyClick(d, Qt::Key_Escape);
        });
        WatchFor<CNewLayer> newLevel([](CNewLayer *d) { click(*d, LevelInfoOkButton); });
        QCOMPARE(runWindow(e.window, [&] { QTRY_COMPARE(shown(e.window), board); }), result);
        QCOMPARE(e.messages.texts, messages);
        QCOMPARE(start.count(), startFile.isEmpty() ? 1 : 0);
    }
};

QTEST_MAIN(OpenLevelTest)
#include "openlevel_test.moc"
