// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/boardview.h"
#include "dialogkit/dialog.h"
#include "dialogkit/picturecontrol.h"
#include "dialogkit/picturestore.h"
#include "resources/cobbleton/pictures.h"
#include "resources/cobbleton/windows.h"
#include "resources/quillmap/pictures.h"
#include "resources/quillmap/windows.h"
#include "tests/windowtesting/windowtesting.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace dialogkit;
using leveldata::Board;
using leveldata::CellIndex;

namespace {

// A main window as the programs' templates have it: the 180 cells all at one placeholder spot,
// in CellIndex order, and in the game the Load button under the board.
DialogTemplate boardTemplate(const std::function<int(CellIndex)> &cellControlId)
{
    DialogTemplate t{"Board", 601, 390, SystemMenu, {}};
    for (CellIndex i = 0; i < leveldata::CellCount; ++i)
        t.controls.push_back(picture(cellControlId(i), 131, 14, 47, 33, 31));
    if (cellControlId(120) != 1120)
        t.controls.push_back(pushButton(1120, "Загрузить", 229, 377, 50, 14));
    return t;
}

struct Program
{
    BoardView::CellControlIdFunction ids;
    const resources::PictureTable &pictures;
    int images(leveldata::TileCode code) const { return pictures.tileImage(code); }
};
// The two programs' own tables, which the view is given.
const Program Game{cobbletonresources::cellControlId, cobbletonresources::Pictures};
const Program Editor{quillmapresources::cellControlId, quillmapresources::Pictures};

} // namespace

class BoardViewTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { windowtesting::checkNoWindowLeaked(); }

    void layOutAndShow_data()
    {
        QTest::addColumn<bool>("game");
        QTest::addColumn<int>("cell120");         // its control; in the game, row 8 skips the Load button's id
        QTest::addColumn<QList<int>>("pictures"); // of the codes -1, 0 (Wall) ... 5 (Cursor), 7
        QTest::newRow("game: 5 and unknown codes blank")
            << true << 1180 << QList<int>{0, 131, 129, 133, 132, 130, 0, 0};
        QTest::newRow("editor: 5 is the cursor") << false << 1120 << QList<int>{0, 129, 132, 131, 130, 133, 137, 0};
    }
    void layOutAndShow()
    {
        QFETCH(bool, game);
        QFETCH(int, cell120);
        QFETCH(QList<int>, pictures);
        const Program &program = game ? Game : Editor;
        PictureStore store;
        resources::registerPictures(store, program.pictures);
        Dialog dialog(boardTemplate(program.ids), nullptr, &store);
        BoardView view(dialog, program.ids, [&program](leveldata::TileCode code) { return program.images(code); });
        QCOMPARE(dialog.GetDlgItem(cell120)->pos(), QPoint(21, 76)); // the template's placeholder
        view.layOut();
        QCOMPARE(dialog.GetDlgItem(1119)->geometry(), QRect(700, 350, 50, 50));
        QCOMPARE(dialog.GetDlgItem(cell120)->geometry(), QRect(0, 400, 50, 50));
        if (game) // Load keeps its place
            QCOMPARE(dialog.GetDlgItem(cobbletonresources::LoadButton)->pos(), QPoint(344, 613));

        // Down column 1 from cell 16 (x 50..99, y 50..99); code 5 in cell 106 (y 350..399).
        const QList<leveldata::TileCode> codes{-1, 0, 1, 2, 3, 4, 5, 7};
        Board board;
        for (int i = 0; i < codes.size(); ++i)
            board[16 + 15 * i] = codes[i];
        view.show(board);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QList<int> shown;
        for (int i = 0; i < codes.size(); ++i)
            shown << windowtesting::shownPicture(dialog, program.ids(16 + 15 * i));
        QCOMPARE(shown, pictures);
        QWidget *client = dialog.GetDlgItem(1119)->parentWidget();
        const QImage screen = client->grab().toImage();
        const QColor background = dialog.palette().color(QPalette::Window);
        QCOMPARE(screen.pixelColor(75, 75), background); // blank
        // The editor's 51-pixel cursor reaches column 100 and row 400, over cells 107 and 121 (blank).
        const QImage wall = store.picture(program.images(leveldata::Wall)).toImage();
        QCOMPARE(screen.pixelColor(100, 375), game ? wall.pixelColor(0, 25) : QColor(Qt::red));
        QCOMPARE(screen.pixelColor(75, 400), game ? background : QColor(Qt::red));
        QCOMPARE(screen.pixelColor(101, 375), wall.pixelColor(1, 25));
        // Every showing sets every cell: the next board takes the pictures away again.
        view.show(Board());
        for (int i = 0; i < codes.size(); ++i)
            QCOMPARE(windowtesting::shownPicture(dialog, program.ids(16 + 15 * i)), program.images(leveldata::Wall));
        QCOMPARE(client->grab().toImage().pixelColor(100, 375), wall.pixelColor(0, 25));
    }

    void picturesFromFiles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const auto path = [&dir](const char *name) { return dir.filePath(QString::fromLatin1(name)); };
        const auto save = [&path](const char *name, int side, Qt::GlobalColor colour) {
            QPixmap pixmap(side, side);
            pixmap.fill(colour);
            return pixmap.save(path(name));
        };
        // The floor's variant is not twice the size: it would move the controls. The item has none.
        QVERIFY(save("wall.bmp", 50, Qt::blue) && save("wall@2x.bmp", 100, Qt::red));
        QVERIFY(save("floor.bmp", 50, Qt::blue) && save("floor@2x.bmp", 60, Qt::red));
        QVERIFY(save("item.bmp", 50, Qt::blue) && save("icon32.bmp", 32, Qt::green));
        PictureStore pictures;
        pictures.addPicture(131, path("wall.bmp"));
        pictures.addPicture(129, path("floor.bmp"));
        pictures.addPicture(130, path("item.bmp"));
        pictures.addPicture(140, path("missing.bmp"));
        pictures.addIconFiles(128, {path("icon32.bmp")});

        const QPixmap &normal = pictures.picture(131);
        QCOMPARE(normal.size(), QSize(50, 50));
        QCOMPARE(normal.toImage().pixelColor(10, 10), QColor(Qt::blue));
        QCOMPARE(pictures.picture(131, 1.0).cacheKey(), normal.cacheKey()); // read once, shared
        const QPixmap &sharp = pictures.picture(131, 2.0);
        QCOMPARE(sharp.size(), QSize(100, 100));
        QCOMPARE(sharp.deviceIndependentSize(), QSizeF(50, 50));
        QCOMPARE(sharp.toImage().pixelColor(10, 10), QColor(Qt::red));
        QCOMPARE(pictures.picture(131, 1.5).cacheKey(), sharp.cacheKey());
        for (int id : {129, 130})
            QCOMPARE(pictures.picture(id, 2.0).cacheKey(), pictures.picture(id).cacheKey());
        QVERIFY(pictures.picture(140).isNull());

        // A picture control takes its picture's size, not the template's (20 x 20 units); a
        // dialog without a store shows no picture.
        const DialogTemplate aboutTemplate{"About", 235, 55, SystemMenu, {icon(NoId, 128, 11, 17, 20, 20)}};
        Dialog about(aboutTemplate, nullptr, &pictures);
        auto *shown = about.findChild<PictureControl *>();
        QCOMPARE(shown->size(), QSize(32, 32));
        QCOMPARE(shown->picture().toImage().pixelColor(5, 5), QColor(Qt::green));
        QVERIFY(Dialog(aboutTemplate).findChild<PictureControl *>()->picture().isNull());
    }
};

QTEST_MAIN(BoardViewTest)
#include "boardview_test.moc"
