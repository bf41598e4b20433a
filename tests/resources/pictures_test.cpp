// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures shown at device pixel ratio 1, and the icons, are pinned byte for byte by
// Pictures.GeneratorDrawsTheCommittedFiles; these tests check which picture each program shows
// for what, and the twice-as-large variants, which nothing else looks into.
#include "resources/cobbleton/pictures.h"
#include "resources/quillmap/pictures.h"

#include <QFile>
#include <QImage>
#include <QTest>

#include <algorithm>
#include <cstdlib>

namespace {

enum class Hue { Red, Turquoise, Yellow, Green, Black };

Hue hueOf(QColor c)
{
    if (c.value() < 70)
        return Hue::Black;
    if (c.red() > c.green() + 40 && c.red() > c.blue() + 40)
        return c.green() > 150 ? Hue::Yellow : Hue::Red;
    if (c.red() > 150 && c.green() > 150 && c.blue() < 100)
        return Hue::Yellow;
    if (c.blue() > c.red() + 40 && c.green() > c.red() + 40)
        return Hue::Turquoise;
    return Hue::Green;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// ":/x/bitmap/131.bmp" -> ":/x/bitmap/131@2x.bmp"
QString sharpPath(QString path)
{
    return path.insert(path.lastIndexOf(u'.'), QStringLiteral("@2x"));
}

} // namespace

class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void tilesServeBothPrograms_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<Hue>("hue");
        QTest::newRow("wall: brick") << 0 << QPoint(12, 6) << Hue::Red;
        QTest::newRow("floor: mosaic") << 1 << QPoint(12, 12) << Hue::Turquoise;
        QTest::newRow("item place: yellow disc") << 2 << QPoint(25, 40) << Hue::Yellow;
        QTest::newRow("player: green rim") << 3 << QPoint(25, 7) << Hue::Green;
        QTest::newRow("item: black disc") << 4 << QPoint(25, 25) << Hue::Black;
    }
    void tilesServeBothPrograms()
    {
        QFETCH(int, code);
        QFETCH(QPoint, probe);
        QFETCH(Hue, hue);
        const resources::PictureTable &games = cobbletonresources::Pictures, &editors = quillmapresources::Pictures;
        const QString game = games.bitmapPath(games.tileImage(code));
        const QString editor = editors.bitmapPath(editors.tileImage(code));
        QCOMPARE(contents(editor), contents(game));
        QCOMPARE(contents(sharpPath(editor)), contents(sharpPath(game)));
        const QImage sharp(sharpPath(game));
        QCOMPARE(sharp.size(), QSize(100, 100));
        QCOMPARE(hueOf(sharp.pixelColor(probe * 2)), hue);
    }

    // What stands on a place is told apart from the same thing elsewhere at a glance: the place's
    // yellow round it, the item's lights green, and much of the cell other.
    void onPlaceDiffersFromAlone_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<Hue>("onPlace");
        QTest::addColumn<Hue>("alone");
        QTest::newRow("item: ring of the place") << 4 << QPoint(25, 8) << Hue::Yellow << Hue::Green;
        QTest::newRow("item: a light") << 4 << QPoint(21, 22) << Hue::Green << Hue::Red;
        QTest::newRow("player: ring of the place") << 3 << QPoint(25, 8) << Hue::Yellow << Hue::Green;
    }
    void onPlaceDiffersFromAlone()
    {
        QFETCH(int, code);
        QFETCH(QPoint, probe);
        QFETCH(Hue, onPlace);
        QFETCH(Hue, alone);
        const resources::PictureTable &games = cobbletonresources::Pictures;
        const QString marked = games.bitmapPath(cobbletonresources::onPlacePictureId(code));
        const QString plain = games.bitmapPath(games.tileImage(code));
        QVERIFY(marked != plain);
        // The editor's brushes 6 and 7 show the same pixels.
        const QString editors = quillmapresources::Pictures.bitmapPath(quillmapresources::onPlacePictureId(code));
        QCOMPARE(contents(editors), contents(marked));
        QCOMPARE(contents(sharpPath(editors)), contents(sharpPath(marked)));
        const QImage a(sharpPath(marked)), b(sharpPath(plain));
        QCOMPARE(a.size(), QSize(100, 100));
        QCOMPARE(hueOf(a.pixelColor(probe * 2)), onPlace);
        QCOMPARE(hueOf(b.pixelColor(probe * 2)), alone);
        int differing = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
                differing +=
                    std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue()) > 96;
            }
        }
        QVERIFY2(differing * 5 > a.width() * a.height(), qPrintable(QString::number(differing)));
        // Codes that cannot stand on a place keep their own picture.
        QCOMPARE(cobbletonresources::onPlacePictureId(1), cobbletonresources::FloorPicture);
        QCOMPARE(cobbletonresources::onPlacePictureId(7), 0);
    }

    void cursorIsRedFrameOnWhite()
    {
        // Twice as large as the 51 pixels with a frame 3 wide: 102 pixels and 6.
        const QImage image(sharpPath(quillmapresources::Pictures.bitmapPath(quillmapresources::CursorPicture)));
        QCOMPARE(image.size(), QSize(102, 102));
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int edge = std::min({x, y, image.width() - 1 - x, image.height() - 1 - y});
                if (image.pixel(x, y) != (edge < 6 ? qRgb(255, 0, 0) : qRgb(255, 255, 255)))
                    QFAIL(qPrintable(QString("pixel (%1, %2)").arg(x).arg(y)));
            }
        }
    }
};

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"
