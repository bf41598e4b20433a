// SPDX-License-Identifier: GPL-3.0-or-later
// F7: whether the level can be won, searched while the window goes on.

#include "tests/quillmap/editorwindowtest.h"

using namespace editortesting;
using namespace quillmapresources;
using namespace windowtesting;

class CheckLevelTest : public EditorWindowTest
{
    Q_OBJECT

private slots:
    void checkLevel_data()
    {
        QTest::addColumn<QString>("keys"); // digits choose the brush, R moves the cursor right
        QTest::addColumn<QString>("message");
        QTest::newRow("solvable: moves and pushes")
            << "2R5R3R1" << QString::fromUtf8(SolutionFoundMessage).arg(1).arg(1);
        QTest::newRow("cursor on the place: checked as saved")
            << "2R5R3" << QString::fromUtf8(SolutionFoundMessage).arg(1).arg(1);
        QTest::newRow("item in a corner: no solution") << "5R2R3R1" << QString::fromUtf8(NoSolutionMessage);
        QTest::newRow("the save check comes first") << "4" << QString::fromUtf8(PlayerCountMessage);
    }
    void checkLevel()
    {
        QFETCH(QString, keys);
        QFETCH(QString, message);
        Editor e;
        e.run([&] {
            for (QChar key : keys)
                press(&e.window, key == 'R' ? Qt::Key_Right : Qt::Key(key.unicode()));
            press(&e.window, Qt::Key_F7);
            QTRY_COMPARE(e.messages.texts, QStringList{message});
        });
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
};

QTEST_MAIN(CheckLevelTest)
#include "checklevel_test.moc"
