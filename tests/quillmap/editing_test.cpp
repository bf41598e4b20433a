// SPDX-License-Identifier: GPL-3.0-or-later
// Editing in the window with the mouse, and levels through the clipboard.

#include "quillmap/newlayer.h"
#include "tests/quillmap/editorwindowtest.h"

#include <QApplication>
#include <QClipboard>
#include <QWindow>

using namespace editortesting;
using namespace quillmap;
using namespace quillmapresources;
using namespace windowtesting;
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

class EditingTest : public EditorWindowTest
{
    Q_OBJECT

private slots:
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
        e.window.setStartFile(writeLevelFile(m_dir->filePath("given.lay"), testsupport::exampleBoard()));
        e.run([&] {
            const std::pair<CellIndex, int> cells[] = {
                {49, ItemPicture}, {32, PlayerPicture}, {0, WallPicture}, {55, ItemPlacePicture}};
            for (const auto &[cell, picture] : cells) {
                clickCell(e.window, Qt::RightButton, cell);
                QCOMPARE(shownPicture(e.window, MarkerPicture), picture);
                QVERIFY(!QApplication::activePopupWidget());
            }
            QCOMPARE(e.state.board(), testsupport::exampleBoard()); // taking a brush paints nothing
            clickCell(e.window, Qt::LeftButton, 20);
            QCOMPARE(shownPicture(e.window, cellControlId(16)), int(ItemPlacePicture));
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

QTEST_MAIN(EditingTest)
#include "editing_test.moc"
