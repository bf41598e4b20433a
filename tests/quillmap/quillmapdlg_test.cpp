// SPDX-License-Identifier: GPL-3.0-or-later
// The editor window itself: its keys, the dialogs it owns, the level data and leaving.

#include "dialogkit/aboutdlg.h"
#include "dialogkit/picturecontrol.h"
#include "quillmap/infolayer.h"
#include "quillmap/newlayer.h"
#include "quillmap/start.h"
#include "tests/quillmap/editorwindowtest.h"

#include <QComboBox>
#include <QLineEdit>

using namespace editortesting;
using namespace quillmap;
using namespace quillmapresources;
using namespace windowtesting;
using dialogkit::IdCancel;
using dialogkit::IdOk;

class QuillmapDlgTest : public EditorWindowTest
{
    Q_OBJECT

private slots:
    void infoDialog_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed"); // into the drop-down's edit box; empty: nothing
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("taken");
        QTest::newRow("a stored entry is selected") << "Средний"
                                                    << "" << 3 << "Средний";
        QTest::newRow("a stored text of no entry is kept") << "средний"
                                                           << "" << -1 << "средний";
        QTest::newRow("typing an entry's text selects it") << "Средний"
                                                           << "Легкий" << 3 << "Легкий";
        QTest::newRow("typing another text keeps the old one") << "Средний"
                                                               << "Лёгкий" << 3 << "Средний";
    }
    void infoDialog()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(int, selected);
        QFETCH(QString, taken);
        CInfoLayer dialog;
        dialog.setLevelInfo({"", "", stored.toStdString(), ""});
        int shown = -2;
        WatchFor<CInfoLayer> answer([&](CInfoLayer *d) {
            shown = d->GetComboSelection(DifficultyCombo);
            // Only its own button ends it.
            QTest::keyClick(d->GetDlgItem(NameEdit), Qt::Key_Escape);
            QTest::keyClick(d->GetDlgItem(NameEdit), Qt::Key_Return);
            QVERIFY(d->isVisible());
            if (!typed.isEmpty()) {
                QLineEdit *edit = d->GetDlgItem<QComboBox>(DifficultyCombo)->lineEdit();
                edit->selectAll();
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, typed, {});
            }
            click(*d, LevelInfoOkButton);
        });
        QCOMPARE(dialog.DoModal(), IdOk);
        QCOMPARE(shown, selected);
        QCOMPARE(QString::fromStdString(dialog.levelInfo().difficulty), taken);
    }

    void cursorAndBrushKeys()
    {
        Editor e;
        e.run([&] {
            press(&e.window, Qt::Key_Left);
            press(&e.window, Qt::Key_Up);
            QCOMPARE(e.messages.texts, QStringList(2, QString::fromUtf8(BorderCellMessage)));
            // Each brush shows in the marker and, once the cursor moves on, in the cell it leaves.
            const std::pair<Qt::Key, int> brushes[] = {
                {Qt::Key_2, PlayerPicture}, {Qt::Key_3, ItemPlacePicture},   {Qt::Key_4, FloorPicture},
                {Qt::Key_5, ItemPicture},   {Qt::Key_6, ItemOnPlacePicture}, {Qt::Key_7, PlayerOnPlacePicture},
                {Qt::Key_1, WallPicture}};
            for (int cell = 16; const auto &[key, picture] : brushes) {
                press(&e.window, key);
                QCOMPARE(shownPicture(e.window, MarkerPicture), picture);
                press(&e.window, Qt::Key_Right);
                QCOMPARE(shownPicture(e.window, cellControlId(cell)), picture);
                QCOMPARE(shownPicture(e.window, cellControlId(++cell)), int(CursorPicture));
            }
            // Ctrl+Z takes the steps back, the cursor with them, down to the board the editor opened
            // with; Ctrl+Y and Ctrl+Shift+Z bring them again.
            const leveldata::Board painted = shown(e.window);
            for (std::size_t i = 0; i <= std::size(brushes); ++i) // one more than there are steps
                press(&e.window, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(shown(e.window), leveldata::Board{});
            QCOMPARE(e.state.cursorCell(), 16);
            for (std::size_t i = 0; i < std::size(brushes); ++i)
                press(&e.window, i % 2 ? Qt::Key_Y : Qt::Key_Z,
                      i % 2 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(shown(e.window), painted);
            QCOMPARE(e.state.cursorCell(), 16 + int(std::size(brushes)));
        });
        QCOMPARE(e.messages.texts.size(), 2);
    }

    // A main window of its own, the editor owns its start, level data, new level and About windows;
    // the level data change the texts in memory.
    void theEditorIsAMainWindowAndOwnsItsDialogs()
    {
        Editor e;
        QVERIFY(!e.state.loadLevel(writeLevelFile(m_dir->filePath("given.lay"), testsupport::exampleBoard())));
        QList<QWidget *> owners;
        QPoint startCentre;
        WatchFor<CStart> start([&](CStart *d) {
            owners << d->parentWidget();
            startCentre = d->geometry().center();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        WatchFor<CNewLayer> newLevel([&owners](CNewLayer *d) {
            owners << d->parentWidget();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        WatchFor<CInfoLayer> info([&owners](CInfoLayer *d) {
            owners << d->parentWidget();
            QCOMPARE(d->GetDlgItemText(NameEdit), QStringLiteral("Имя")); // the level's texts
            d->SetDlgItemText(NameEdit, QStringLiteral("Второе"));
            click(*d, LevelInfoOkButton);
        });
        WatchFor<dialogkit::CAboutDlg> about([&owners](dialogkit::CAboutDlg *d) {
            owners << d->parentWidget();
            d->EndDialog(IdOk);
        });
        runWindow(e.window, [&] {
            // Shown before the editor, the start dialog still opens over where the editor
            // appears (give or take Qt's allowance for a window frame).
            QVERIFY((startCentre - e.window.geometry().center()).manhattanLength() <= 60);
            QCOMPARE(e.window.windowType(), Qt::Window);
            e.window.GetDlgItem<dialogkit::PictureControl>(cellControlId(17))->setPicture(QPixmap());
            click(e.window, LevelDataButton);
            QCOMPARE(shownPicture(e.window, cellControlId(17)), int(WallPicture)); // drawn again afterwards
            click(e.window, NewLevelButton);
            press(&e.window, Qt::Key_Space, Qt::AltModifier);
            QCOMPARE(chooseLastPopupItem(), QStringLiteral("&About Quillmap..."));
        });
        QCOMPARE(owners, QList<QWidget *>(4, &e.window));
        // A cancelled new level keeps them; the file keeps its own.
        QCOMPARE(e.state.levelInfo(), (leveldata::LevelInfo{"Автор", "Второе", "Средний", "Победа!"}));
        QCOMPARE(leveldata::readEditorLevel(m_dir->filePath("given.lay").toStdString()).info, SomeInfo);
    }

    void leavingAsksFirst_data()
    {
        QTest::addColumn<int>("key"); // 0: the Close program button
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result");
        QTest::newRow("Close program, OK") << 0 << int(QMessageBox::Ok) << IdOk;
        QTest::newRow("Close program, Cancel") << 0 << int(QMessageBox::Cancel) << EndedByTest;
        QTest::newRow("Esc, OK") << int(Qt::Key_Escape) << int(QMessageBox::Ok) << IdCancel;
        QTest::newRow("Esc, Cancel") << int(Qt::Key_Escape) << int(QMessageBox::Cancel) << EndedByTest;
        QTest::newRow("Enter asks nothing") << int(Qt::Key_Return) << int(QMessageBox::Ok) << EndedByTest;
    }
    void leavingAsksFirst()
    {
        QFETCH(int, key);
        QFETCH(int, answer);
        QFETCH(int, result);
        Editor e({}, QMessageBox::StandardButton(answer));
        QCOMPARE(e.run([&] {
            if (key == 0)
                click(e.window, CloseProgramButton);
            else
                QTest::keyClick(&e.window, Qt::Key(key));
        }),
                 result);
        QCOMPARE(e.messages.texts,
                 key == Qt::Key_Return ? QStringList() : QStringList{QString::fromUtf8(CloseQuestion)});
    }
};

QTEST_MAIN(QuillmapDlgTest)
#include "quillmapdlg_test.moc"
