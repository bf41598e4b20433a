#include "dialogkit/boardview.h"
#include "dialogkit/dialog.h"
#include "dialogkit/picturecontrol.h"
#include "dialogkit/picturestore.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace dialogkit;
using leveldata::Board;
using leveldata::CellCount;
using leveldata::CellIndex;

namespace {

// Stand-ins for the tile pictures: one plain colour per picture id; the cursor is a 51 x 51
// white square in a red frame 3 pixels wide.
const std::map<int, QColor> TileColours = {
    {129, Qt::darkCyan}, {130, Qt::black}, {131, Qt::darkRed},
    {132, Qt::yellow},   {133, Qt::green},
};

QPixmap cursorPicture()
{
    QPixmap pixmap(51, 51);
    pixmap.fill(Qt::red);
    QPainter painter(&pixmap);
    painter.fillRect(3, 3, 45, 45, Qt::white);
    return pixmap;
}

void registerTestPictures()
{
    for (const auto &[id, colour] : TileColours) {
        QPixmap pixmap(50, 50);
        pixmap.fill(colour);
        PictureStore::addPicture(id, pixmap);
    }
    PictureStore::addPicture(137, cursorPicture());
}

// A main window as the programs' templates have it: the 180 cells all at one placeholder spot,
// in CellIndex order, then a button under the board.
DialogTemplate boardTemplate(const std::function<int(CellIndex)> &cellControlId, int placeholder)
{
    DialogTemplate t{"Board", 601, 390, SystemMenu, {}};
    for (CellIndex i = 0; i < CellCount; ++i)
        t.controls.push_back(picture(cellControlId(i), placeholder, 14, 47, 33, 31));
    t.controls.push_back(pushButton(1120, "Загрузить", 229, 377, 50, 14));
    return t;
}

Board boardOf(std::initializer_list<std::pair<CellIndex, leveldata::TileCode>> cells,
              leveldata::TileCode rest = leveldata::Floor)
{
    Board board;
    board.fill(rest);
    for (const auto &[i, code] : cells)
        board[i] = code;
    return board;
}

} // namespace

class BoardViewTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { registerTestPictures(); }

    void cleanup()
    {
        PictureStore::clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void cellControlIds_data()
    {
        QTest::addColumn<bool>("game");
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("id");
        QTest::newRow("game first cell") << true << 0 << 1000;
        QTest::newRow("game last of row 7") << true << 119 << 1119;
        QTest::newRow("game first of row 8 skips the Load button") << true << 120 << 1180;
        QTest::newRow("game last cell") << true << 179 << 1239;
        QTest::newRow("editor first cell") << false << 0 << 1000;
        QTest::newRow("editor cell 120") << false << 120 << 1120;
        QTest::newRow("editor last cell") << false << 179 << 1179;
    }
    void cellControlIds()
    {
        QFETCH(bool, game);
        QFETCH(int, cell);
        QFETCH(int, id);
        QCOMPARE(game ? cobbletonCellControlId(cell) : quillmapCellControlId(cell), id);
    }

    void layOut_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("id");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("0") << 0 << 1000 << QPoint(0, 0);
        QTest::newRow("14") << 14 << 1014 << QPoint(700, 0);
        QTest::newRow("15") << 15 << 1015 << QPoint(0, 50);
        QTest::newRow("119") << 119 << 1119 << QPoint(700, 350);
        QTest::newRow("120") << 120 << 1180 << QPoint(0, 400);
        QTest::newRow("179") << 179 << 1239 << QPoint(700, 550);
    }
    void layOut()
    {
        QFETCH(int, cell);
        QFETCH(int, id);
        QFETCH(QPoint, topLeft);
        Dialog dialog(boardTemplate(cobbletonCellControlId, 131));
        BoardView view(dialog, cobbletonCellControlId, cobbletonTileImage);
        // Before the layout every cell sits on the template's placeholder spot.
        QCOMPARE(dialog.GetDlgItem(id)->pos(), QPoint(21, 76));
        view.layOut();
        QCOMPARE(view.cell(cell), dialog.GetDlgItem(id));
        QCOMPARE(dialog.GetDlgItem(id)->geometry(), QRect(topLeft, QSize(50, 50)));
        QCOMPARE(BoardView::cellRect(cell), QRect(topLeft, QSize(50, 50)));
        // The Load button keeps its template place.
        QCOMPARE(dialog.GetDlgItem(1120)->pos(), QPoint(344, 613));
    }

    void showingRule_data()
    {
        QTest::addColumn<bool>("editor");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("picture");
        QTest::addColumn<QSize>("size");
        const QSize cell(50, 50);
        QTest::newRow("game wall") << false << 0 << 131 << cell;
        QTest::newRow("game floor") << false << 1 << 129 << cell;
        QTest::newRow("game place") << false << 2 << 133 << cell;
        QTest::newRow("game player") << false << 3 << 132 << cell;
        QTest::newRow("game item") << false << 4 << 130 << cell;
        QTest::newRow("game 5 is blank") << false << 5 << NoPicture << cell;
        QTest::newRow("game -1 is blank") << false << -1 << NoPicture << cell;
        QTest::newRow("game 7 is blank") << false << 7 << NoPicture << cell;
        QTest::newRow("editor wall") << true << 0 << 129 << cell;
        QTest::newRow("editor floor") << true << 1 << 132 << cell;
        QTest::newRow("editor place") << true << 2 << 131 << cell;
        QTest::newRow("editor player") << true << 3 << 130 << cell;
        QTest::newRow("editor item") << true << 4 << 133 << cell;
        QTest::newRow("editor 5 is the cursor") << true << 5 << 137 << QSize(51, 51);
        QTest::newRow("editor -1 is blank") << true << -1 << NoPicture << cell;
        QTest::newRow("editor 7 is blank") << true << 7 << NoPicture << cell;
    }
    void showingRule()
    {
        QFETCH(bool, editor);
        QFETCH(int, code);
        QFETCH(int, picture);
        QFETCH(QSize, size);
        const auto ids = editor ? quillmapCellControlId : cobbletonCellControlId;
        Dialog dialog(boardTemplate(ids, NoPicture));
        BoardView view(dialog, ids, editor ? quillmapTileImage : cobbletonTileImage);
        view.layOut();
        view.show(boardOf({{16, code}}, leveldata::Wall));
        PictureControl *shown = view.cell(16);
        QCOMPARE(shown->picture().cacheKey(), PictureStore::picture(picture).cacheKey());
        QCOMPARE(shown->picture().isNull(), picture == NoPicture);
        QCOMPARE(shown->geometry(), QRect(QPoint(50, 50), size));

        // Every showing sets every cell: the next board takes the picture away again.
        view.show(Board());
        const int wall = editor ? 129 : 131;
        QCOMPARE(shown->picture().cacheKey(), PictureStore::picture(wall).cacheKey());
        QCOMPARE(shown->size(), QSize(50, 50));
    }

    void allZeroShowsWalls()
    {
        Dialog dialog(boardTemplate(cobbletonCellControlId, NoPicture));
        BoardView view(dialog, cobbletonCellControlId, cobbletonTileImage);
        view.layOut();
        view.show(boardOf({}, -1));
        view.show(Board());
        const qint64 wall = PictureStore::picture(131).cacheKey();
        int walls = 0;
        for (CellIndex i = 0; i < CellCount; ++i)
            walls += view.cell(i)->picture().cacheKey() == wall;
        QCOMPARE(walls, CellCount);
    }

    void cursorFrameOverlapsItsNeighbours()
    {
        Dialog dialog(boardTemplate(quillmapCellControlId, NoPicture));
        BoardView view(dialog, quillmapCellControlId, quillmapTileImage);
        view.layOut();
        view.show(boardOf({{16, leveldata::Cursor}}));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QImage screen = dialog.clientArea()->grab().toImage();
        // Cell 16 spans 50..99; its 51-pixel frame reaches column and row 100, over cells 17 and 31.
        QCOMPARE(screen.pixelColor(100, 75), QColor(Qt::red));
        QCOMPARE(screen.pixelColor(75, 100), QColor(Qt::red));
        QCOMPARE(screen.pixelColor(75, 75), QColor(Qt::white));
        QCOMPARE(screen.pixelColor(101, 75), QColor(Qt::yellow));   // floor (editor 132)
        // Without the cursor the neighbours are whole again.
        view.show(boardOf({}));
        const QImage after = dialog.clientArea()->grab().toImage();
        QCOMPARE(after.pixelColor(100, 75), QColor(Qt::yellow));
        QCOMPARE(after.pixelColor(75, 75), QColor(Qt::yellow));
    }

    void blankCellShowsTheWindowBackground()
    {
        Dialog dialog(boardTemplate(cobbletonCellControlId, NoPicture));
        BoardView view(dialog, cobbletonCellControlId, cobbletonTileImage);
        view.layOut();
        view.show(boardOf({{0, 7}}));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QImage screen = dialog.clientArea()->grab().toImage();
        QCOMPARE(screen.pixelColor(25, 25), dialog.palette().color(QPalette::Window));
        QCOMPARE(screen.pixelColor(75, 25), QColor(Qt::darkCyan));   // game floor 129
    }

    void missingCellsAreAdded()
    {
        const DialogTemplate bare = {"Bare", 601, 369, SystemMenu, {}};
        Dialog dialog(bare);
        BoardView view(dialog, quillmapCellControlId, quillmapTileImage);
        QCOMPARE(dialog.GetDlgItem(1179), view.cell(179));
        QCOMPARE(view.cell(179)->geometry(), QRect(700, 550, 50, 50));
    }

    void templatePictureTakesItsPictureSize()
    {
        const DialogTemplate t = {"Marker", 100, 100, SystemMenu,
                                  {picture(1195, 137, 10, 10, 33, 31), picture(NoId, 999, 10, 50, 33, 31)}};
        Dialog dialog(t);
        QCOMPARE(dialog.GetDlgItem(1195)->size(), QSize(51, 51));
        dialog.SetDlgItemPicture(1195, 130);
        QCOMPARE(dialog.GetDlgItem(1195)->size(), QSize(50, 50));
        QCOMPARE(dialog.GetDlgItem<PictureControl>(1195)->picture().cacheKey(),
                 PictureStore::picture(130).cacheKey());
    }

    void picturesAndIconsFromFiles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QPixmap drawn(50, 50);
        drawn.fill(Qt::blue);
        QVERIFY(drawn.save(dir.filePath(QStringLiteral("wall.bmp"))));
        QPixmap big(32, 32);
        big.fill(Qt::green);
        QVERIFY(big.save(dir.filePath(QStringLiteral("icon32.bmp"))));
        PictureStore::addPicture(131, dir.filePath(QStringLiteral("wall.bmp")));
        PictureStore::addPicture(140, dir.filePath(QStringLiteral("missing.bmp")));
        PictureStore::addIconFiles(128, {dir.filePath(QStringLiteral("icon32.bmp"))});

        const QPixmap &wall = PictureStore::picture(131);
        QCOMPARE(wall.size(), QSize(50, 50));
        QCOMPARE(wall.toImage().pixelColor(10, 10), QColor(Qt::blue));
        // Loaded once: every caller shares the same pixmap.
        QCOMPARE(PictureStore::picture(131).cacheKey(), wall.cacheKey());
        QVERIFY(PictureStore::picture(140).isNull());
        QVERIFY(PictureStore::picture(NoPicture).isNull());
        QVERIFY(PictureStore::icon(999).isNull());

        const DialogTemplate about = {"About", 235, 55, SystemMenu,
                                      {icon(NoId, 128, 11, 17, 20, 20)}};
        Dialog dialog(about);
        auto *shown = dialog.clientArea()->findChild<PictureControl *>();
        QVERIFY(shown);
        QCOMPARE(shown->size(), QSize(32, 32));
        QCOMPARE(shown->picture().toImage().pixelColor(5, 5), QColor(Qt::green));
    }
};

QTEST_MAIN(BoardViewTest)
#include "boardview_test.moc"
