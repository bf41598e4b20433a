// SPDX-License-Identifier: GPL-3.0-or-later
// How a level comes into the editor: at its start the start dialog's choices, or the file named on
// the command line instead of it; the new-level dialog and its scratch file; the redraw that shows
// a new or opened level.

#include "dialogkit/appsupport.h"
#include "quillmap/newlayer.h"
#include "quillmap/start.h"
#include "tests/quillmap/editorwindowtest.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopeGuard>

using namespace editortesting;
using namespace quillmap;
using namespace quillmapresources;
using namespace windowtesting;
using dialogkit::IdCancel;
using dialogkit::IdOk;
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

    // The new-level dialog starts empty at "Тестовый", ignores Enter and cuts every text at 199
    // characters, pasted ones too, so each comes back whole from a file. In a read-only folder its
    // level stays in memory, and a message says so once the dialog has ended.
    void newLevelTextsInAReadOnlyFolderStayInMemory()
    {
        QVERIFY(QDir().mkdir(QStringLiteral("locked")));
        QVERIFY(QFile::setPermissions(QStringLiteral("locked"), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(QDir::setCurrent(m_dir->filePath(QStringLiteral("locked"))));
        const QString message =
            QString::fromUtf8(ScratchNotWrittenMessage).arg(QDir::toNativeSeparators(QDir::currentPath()));
        WatchFor<CStart> start([](CStart *d) {
            d->GetDlgItem<QRadioButton>(NewLevelRadio)->click();
            click(*d, IdOk);
        });
        WatchFor<CNewLayer> description([](CNewLayer *d) {
            QCOMPARE(d->GetDlgItemText(AuthorEdit) + d->GetDlgItemText(NameEdit)
                         + d->GetDlgItemText(VictoryMessageEdit),
                     QString());
            QCOMPARE(d->GetDlgItemText(DifficultyCombo), QStringLiteral("Тестовый"));
            QTest::keyClick(d->GetDlgItem(AuthorEdit), Qt::Key_Return);
            d->GetDlgItem<QLineEdit>(AuthorEdit)->insert(QString(250, QLatin1Char('x')));
            d->GetDlgItem<QLineEdit>(NameEdit)->insert(QString(199, QLatin1Char('x')));
            QTest::keyClicks(d->GetDlgItem(NameEdit), QStringLiteral("yz"));
            d->GetDlgItem<QPlainTextEdit>(VictoryMessageEdit)->insertPlainText(QString(250, QLatin1Char('x')));
            d->SetComboSelection(DifficultyCombo, 5);
            click(*d, LevelInfoOkButton);
        });
        Editor e;
        runWindow(e.window, [&] { QCOMPARE(e.messages.texts, QStringList{message}); });
        const std::string x199(199, 'x'); // saved by the next save
        QCOMPARE(e.state.levelInfo(), (leveldata::LevelInfo{x199, x199, "Очень тяжелый", x199}));
    }

    void newAndOpenedLevelsAreDrawnByTheTimer_data()
    {
        QTest::addColumn<QString>("file"); // opened; empty: a new level, the scratch file's board
        QTest::newRow("new level") << QString();
        QTest::newRow("open a level in a Cyrillic folder") << QStringLiteral("Уровни Пети/склад у реки.lay");
    }
    void newAndOpenedLevelsAreDrawnByTheTimer()
    {
        QFETCH(QString, file);
        QVERIFY(QDir().mkdir(QStringLiteral("Уровни Пети")));
        const leveldata::Board board = testsupport::exampleBoard();
        writeLevelFile(file.isEmpty() ? QStringLiteral("NewLayer.lay") : m_dir->filePath(file), board);
        Editor e({m_dir->filePath(file)});
        WatchFor<CNewLayer> newLevel([](CNewLayer *d) { click(*d, LevelInfoOkButton); });
        e.run([&] {
            press(&e.window, Qt::Key_Right); // the cursor on 17, seen until the level is drawn
            QElapsedTimer clock;
            clock.start();
            click(e.window, file.isEmpty() ? NewLevelButton : OpenLevelButton);
            // No event loop has run since the timer was armed, so nothing is drawn yet.
            QCOMPARE(shownPicture(e.window, cellControlId(17)), int(CursorPicture));
            QTRY_COMPARE_WITH_TIMEOUT(shown(e.window), board, 2000);
            QVERIFY(clock.elapsed() >= 100);
        });
    }
};

QTEST_MAIN(OpenLevelTest)
#include "openlevel_test.moc"
