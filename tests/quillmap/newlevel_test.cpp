// SPDX-License-Identifier: GPL-3.0-or-later
// New level: its dialog, the scratch file, and the redraw that shows a new or opened level.

#include "quillmap/newlayer.h"
#include "quillmap/start.h"
#include "tests/quillmap/editorwindowtest.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace editortesting;
using namespace quillmap;
using namespace quillmapresources;
using namespace windowtesting;
using dialogkit::IdOk;

class NewLevelTest : public EditorWindowTest
{
    Q_OBJECT

private slots:
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

QTEST_MAIN(NewLevelTest)
#include "newlevel_test.moc"
