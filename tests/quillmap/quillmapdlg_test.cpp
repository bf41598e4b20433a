// SPDX-License-Identifier: GPL-3.0-or-later
// The editor window itself: its keys, editing with the mouse, levels through the clipboard, the
// dialogs it owns, the level data and leaving.

#include "dialogkit/aboutdlg.h"
#include "dialogkit/picturecontrol.h"
#include "quillmap/infolayer.h"
#include "quillmap/newlayer.h"
#include "quillmap/start.h"
#include "tests/quillmap/editorwindowtest.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QWindow>

using namespace editortesting;
using namespace quillmap;
using namespace quillmapresources;
using namespace windowtesting;
using dialogkit::IdCancel;
using dialogkit::IdOk;
using leveldata::Board;
using leveldata::CellIndex;
using testsupport::boardFromArt;

namespace {

// Mouse events as the window system delivers them (the press's widget keeps the mouse), at a point
// of the board in client pixels.
void mouse(QTest::MouseAction action, CQuillmapDlg &editor, Qt::MouseButton button, QPoint boardPoint)
{
    const QWidget *client = editor.GetDlgItem(cellControlId(0))->parentWidget();
    QWindow *window = editor.windowHandle();
    QTest::mouseEvent(action, window, button, {}, window->mapFromGlobal(client->mapToGlobal(boardPoint)));
}

QPoint centreOf(CellIndex cell)
{
    return {leveldata::CellSize * leveldata::columnOf(cell) + leveldata::CellSize / 2,
            leveldata::CellSize * leveldata::rowOf(cell) + leveldata::CellSize / 2};
}

void clickCell(CQuillmapDlg &editor, Qt::MouseButton button, CellIndex cell)
{
    mouse(QTest::MouseClick, editor, button, centreOf(cell));
}

} // namespace

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
            const QList<QSize> icons = e.window.windowIcon().availableSizes(); // both, not one scaled
            QVERIFY(icons.contains(QSize(16, 16)) && icons.contains(QSize(32, 32)));
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

    void dragPaintsTheCellsPassed_data()
    {
        QTest::addColumn<QList<QPoint>>("path"); // board pixels: the press, the moves, the release
        QTest::addColumn<QStringList>("painted");
        QTest::addColumn<int>("cursor");
        const auto at = [](std::initializer_list<CellIndex> cells) {
            QList<QPoint> points;
            for (const CellIndex cell : cells)
                points << centreOf(cell);
            return points;
        };
        // The cursor starts on 16; the cell it leaves on the press takes the brush too.
        QTest::newRow("one jump leaves no gap") << at({17, 50}) << QStringList{"#...", "###..", "####.+"} << 50;
        QTest::newRow("over the ring and off the board")
            << (at({17}) << QPoint(125, -40) << QPoint(-40, 125) << centreOf(47) << centreOf(47))
            << QStringList{"#..", "#.", "#.+"} << 47;
        QTest::newRow("pressed on the ring") << at({1, 31}) << QStringList{"#.", "#+"} << 31;
        QTest::newRow("pressed off the board") << QList<QPoint>{QPoint(800, 300), centreOf(20)} << QStringList{} << 16;
    }
    void dragPaintsTheCellsPassed()
    {
        QFETCH(QList<QPoint>, path);
        QFETCH(QStringList, painted);
        QFETCH(int, cursor);
        Editor e;
        e.run([&] {
            press(&e.window, Qt::Key_4);
            mouse(QTest::MousePress, e.window, Qt::LeftButton, path.first());
            for (const QPoint &point : path.mid(1))
                mouse(QTest::MouseMove, e.window, Qt::LeftButton, point);
            mouse(QTest::MouseRelease, e.window, Qt::LeftButton, path.last());
            mouse(QTest::MouseMove, e.window, Qt::NoButton, centreOf(100)); // no button, no paint
            testsupport::Art art{"###############"};
            for (const QString &row : painted)
                art.push_back(row.toStdString());
            QCOMPARE(shown(e.window), boardFromArt(art));
            QCOMPARE(e.state.cursorCell(), cursor);
            // The whole drag is one step.
            press(&e.window, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(shown(e.window), Board{});
            QCOMPARE(e.state.cursorCell(), 16);
        });
        QCOMPARE(e.messages.texts, QStringList());
    }

    // A right click takes the cell's tile into the brush and the marker, and opens no window menu.
    void rightClickTakesTheBrush()
    {
        Editor e;
        e.window.setStartFile(
            writeLevelFile(m_dir->filePath("given.lay"), leveldata::gameLevelOf(testsupport::exampleBoard(), {49})));
        e.run([&] {
            const std::pair<CellIndex, int> cells[] = {{32, PlayerPicture},
                                                       {0, WallPicture},
                                                       {79, ItemPicture},
                                                       {55, ItemPlacePicture},
                                                       {49, ItemOnPlacePicture}};
            for (const auto &[cell, picture] : cells) {
                clickCell(e.window, Qt::RightButton, cell);
                QCOMPARE(shownPicture(e.window, MarkerPicture), picture);
                QVERIFY(!QApplication::activePopupWidget());
            }
            QCOMPARE(e.state.board(), testsupport::exampleBoard()); // taking a brush paints nothing
            clickCell(e.window, Qt::LeftButton, 20);
            QCOMPARE(shownPicture(e.window, cellControlId(16)), int(ItemOnPlacePicture));
        });
    }

    // A level copied from one file and pasted into a new level: the same board, the copied name,
    // the new level's other texts; one Ctrl+Z brings the new level back.
    void copyThenPasteIntoANewLevel()
    {
        Editor e;
        e.window.setStartFile(writeLevelFile(m_dir->filePath("given.lay"), testsupport::exampleBoard()));
        WatchFor<CNewLayer> newLevel([](CNewLayer *d) {
            d->SetDlgItemText(AuthorEdit, QStringLiteral("Другой"));
            d->SetDlgItemText(NameEdit, QStringLiteral("Новый"));
            click(*d, LevelInfoOkButton);
        });
        e.run([&] {
            QGuiApplication::clipboard()->clear();
            press(&e.window, Qt::Key_C, Qt::ControlModifier);
            QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("Title: Имя\n; Автор\n#")));
            click(e.window, NewLevelButton);
            QCOMPARE(e.state.board(), Board{});
            press(&e.window, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(shown(e.window), testsupport::exampleBoard());
            QCOMPARE(e.state.levelInfo().name, "Имя");
            QCOMPARE(e.state.levelInfo().author, "Другой");
            press(&e.window, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(shown(e.window), Board{});
            QCOMPARE(e.state.levelInfo().name, "Новый");
        });
        QCOMPARE(e.messages.texts, QStringList());
    }

    void refusedCopyOrPasteChangesNothing_data()
    {
        QTest::addColumn<QString>("clipboard"); // a null string: the clipboard emptied
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("message");
        const QString nothing = QString::fromUtf8(NothingToPasteMessage);
        QTest::newRow("empty clipboard") << QString() << int(Qt::Key_V) << nothing;
        QTest::newRow("garbage") << QStringLiteral("\x01\x02 no board here\n; but a comment\n") << int(Qt::Key_V)
                                 << nothing;
        QTest::newRow("too large") << QStringLiteral("#################\n#@$.            #\n#################\n")
                                   << int(Qt::Key_V) << QString::fromUtf8(PasteTooLargeMessage).arg("17 × 3");
        QTest::newRow("two players") << QStringLiteral("######\n#@@$.#\n######\n") << int(Qt::Key_V)
                                     << QString::fromUtf8(PasteNotUsableMessage);
        QTest::newRow("copying walls only")
            << QStringLiteral("kept") << int(Qt::Key_C) << QString::fromUtf8(NothingToCopyMessage);
    }
    void refusedCopyOrPasteChangesNothing()
    {
        QFETCH(QString, clipboard);
        QFETCH(int, key);
        QFETCH(QString, message);
        Editor e;
        e.run([&] {
            if (clipboard.isNull())
                QGuiApplication::clipboard()->clear();
            else
                QGuiApplication::clipboard()->setText(clipboard);
            const Board before = e.state.board();
            press(&e.window, Qt::Key(key), Qt::ControlModifier);
            QCOMPARE(e.state.board(), before);
            QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
            QVERIFY(!e.state.undo()); // and no step to undo
        });
        QCOMPARE(e.messages.texts, QStringList{message});
    }
};

QTEST_MAIN(QuillmapDlgTest)
#include "quillmapdlg_test.moc"
