// SPDX-License-Identifier: GPL-3.0-or-later
// Editing in the window: undo and redo, painting with the mouse, the level through the clipboard.

#include "quillmap/leveltext.h"
#include "tests/quillmap/editorwindowtest.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace editortesting;
using namespace quillmap;
using namespace quillmapresources;
using namespace windowtesting;

namespace {

QPoint centreOf(leveldata::CellIndex cell)
{
    return {leveldata::columnOf(cell) * leveldata::CellSize + 25, leveldata::rowOf(cell) * leveldata::CellSize + 25};
}

} // namespace

class EditingTest : public EditorWindowTest
{
    Q_OBJECT

private slots:
    // Keys paint; Ctrl+Z and both redo keys walk back and forth, and the window shows the state.
    void undoAndRedoKeys()
    {
        Editor e;
        e.run([&] {
            QList<leveldata::Board> seen{e.state.board()};
            for (const Qt::Key key : {Qt::Key_4, Qt::Key_Right, Qt::Key_Right, Qt::Key_3, Qt::Key_Down}) {
                press(&e.window, key);
                if (seen.back() != e.state.board())
                    seen << e.state.board();
            }
            QCOMPARE(seen.size(), 4);
            for (int i = seen.size() - 2; i >= 0; --i) {
                press(&e.window, Qt::Key_Z, Qt::ControlModifier);
                QCOMPARE(shown(e.window), seen[i]);
            }
            press(&e.window, Qt::Key_Y, Qt::ControlModifier);
            press(&e.window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(shown(e.window), seen[2]);
            QCOMPARE(e.state.cursorCell(), 18);
        });
        QVERIFY(e.messages.texts.isEmpty());
    }

    // A drag paints every inner cell it passes, even between two distant mouse positions; one
    // Ctrl+Z takes the whole drag back. A right click takes a cell's tile as the brush.
    void mouse()
    {
        Editor e;
        e.run([&] {
            press(&e.window, Qt::Key_4);
            QTest::mousePress(&e.window, Qt::LeftButton, {}, centreOf(31));
            QTest::mouseMove(&e.window, centreOf(35));
            QTest::mouseMove(&e.window, centreOf(80)); // three rows down at once
            QTest::mouseMove(&e.window, QPoint(900, 900)); // off the board: along the ring, nothing painted
            QTest::mouseRelease(&e.window, Qt::LeftButton, {}, QPoint(900, 900));
            QCOMPARE(e.state.cursorCell(), 80);
            QCOMPARE(shown(e.window), testsupport::boardFromArt({"###############", "#.#############",
                                                                  "#.....#########", "#####.#########",
                                                                  "#####.#########", "#####+#########"}));
            press(&e.window, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(shown(e.window), leveldata::Board{});
            QCOMPARE(e.state.cursorCell(), 16);

            QTest::mouseClick(&e.window, Qt::RightButton, {}, centreOf(17));
            QCOMPARE(e.state.brushCode(), leveldata::Wall);
            QCOMPARE(shownPicture(e.window, MarkerPicture), int(WallPicture));
            QTest::mouseClick(&e.window, Qt::LeftButton, {}, centreOf(0)); // the ring stays locked
            QCOMPARE(e.state.cursorCell(), 16);
        });
        QVERIFY(e.messages.texts.isEmpty());
    }

    // Pasting the example level and copying it again gives back the same text and board.
    void copyThenPaste()
    {
        Editor e;
        const std::string text = *levelAsText(testsupport::exampleBoard(), SomeInfo);
        e.run([&] {
            QGuiApplication::clipboard()->setText(QString::fromStdString(text));
            press(&e.window, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(shown(e.window), testsupport::exampleBoard());
            QCOMPARE(e.state.levelInfo().name, SomeInfo.name);
            QGuiApplication::clipboard()->clear();
            press(&e.window, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), "Title: Имя\n" + text.substr(text.find('\n') + 1));
            press(&e.window, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(shown(e.window), leveldata::Board{});
        });
        QVERIFY(e.messages.texts.isEmpty());
    }

    void pasteRefusals_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "" << QString::fromUtf8(NothingToPasteMessage);
        QTest::newRow("garbage") << "\x01\x02 no board here" << QString::fromUtf8(NothingToPasteMessage);
        QTest::newRow("too large") << "################\n#@$.           #\n################\n"
                                   << QString::fromUtf8(PasteTooLargeMessage);
        QTest::newRow("two players") << "######\n#@@$.#\n######\n" << QString::fromUtf8(PasteNotUsableMessage);
    }
    void pasteRefusals()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, message);
        Editor e;
        e.run([&] {
            QGuiApplication::clipboard()->setText(clipboard);
            press(&e.window, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(shown(e.window), leveldata::Board{});
            press(&e.window, Qt::Key_Z, Qt::ControlModifier); // nothing to undo either
            QCOMPARE(e.state.cursorCell(), 16);
        });
        QCOMPARE(e.messages.texts, QStringList{message});
    }
};

QTEST_MAIN(EditingTest)
#include "editing_test.moc"
