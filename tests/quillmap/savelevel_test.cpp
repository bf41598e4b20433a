// SPDX-License-Identifier: GPL-3.0-or-later
// The save checks, and what follows them: Save level with its dialog and what a save writes, or F7,
// whether the level can be won, searched while the window goes on.

#include "tests/quillmap/editorwindowtest.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>

using namespace editortesting;
using namespace quillmapresources;
using namespace windowtesting;

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
};

QTEST_MAIN(SaveLevelTest)
#include "savelevel_test.moc"
