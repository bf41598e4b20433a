#include "resources/cobbleton/pictures.h"
#include "resources/quillmap/pictures.h"

#include <QFile>
#include <QImage>
#include <QIcon>
#include <QPixmap>
#include <QtEndian>
#include <QTest>

#include <algorithm>

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

// Width, height (positive: rows stored bottom-up), bits per pixel and compression of a bitmap file.
QList<int> bmpHeader(const QByteArray &bytes)
{
    if (bytes.size() < 54 || !bytes.startsWith("BM"))
        return {};
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    return {qFromLittleEndian<qint32>(data + 18), qFromLittleEndian<qint32>(data + 22),
            qFromLittleEndian<quint16>(data + 28), int(qFromLittleEndian<quint32>(data + 30))};
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
    void tilesServeBothPrograms_data();
    void tilesServeBothPrograms();
    void cursorIsRedFrameOnWhite();
    void iconsHoldBothSizes_data();
    void iconsHoldBothSizes();
};

void PicturesTest::tilesServeBothPrograms_data()
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

void PicturesTest::tilesServeBothPrograms()
{
    QFETCH(int, code);
    QFETCH(QPoint, probe);
    QFETCH(Hue, hue);
    const QByteArray bytes = contents(cobbletonresources::bitmapPath(cobbletonresources::tilePictureId(code)));
    QCOMPARE(contents(quillmapresources::bitmapPath(quillmapresources::tilePictureId(code))), bytes);
    QCOMPARE(bmpHeader(bytes), QList<int>({50, 50, 24, 0}));
    const QImage image = QImage::fromData(bytes);
    QCOMPARE(image.size(), QSize(50, 50));
    QCOMPARE(hueOf(image.pixelColor(probe)), hue);

    // The variant for device pixel ratio 2: the same tile, twice as large.
    const QByteArray sharp = contents(sharpPath(cobbletonresources::bitmapPath(cobbletonresources::tilePictureId(code))));
    QCOMPARE(contents(sharpPath(quillmapresources::bitmapPath(quillmapresources::tilePictureId(code)))), sharp);
    QCOMPARE(bmpHeader(sharp), QList<int>({100, 100, 24, 0}));
    QCOMPARE(hueOf(QImage::fromData(sharp).pixelColor(probe * 2)), hue);
}

void PicturesTest::cursorIsRedFrameOnWhite()
{
    const QByteArray bytes = contents(quillmapresources::bitmapPath(quillmapresources::CursorPicture));
    QCOMPARE(bmpHeader(bytes), QList<int>({51, 51, 4, 0}));
    const QImage image = QImage::fromData(bytes);
    QCOMPARE(image.size(), QSize(51, 51));
    for (int y = 0; y < 51; ++y) {
        for (int x = 0; x < 51; ++x) {
            const bool frame = x < 3 || y < 3 || x > 47 || y > 47;
            if (image.pixel(x, y) != (frame ? qRgb(255, 0, 0) : qRgb(255, 255, 255)))
                QFAIL(qPrintable(QString("pixel (%1, %2) is %3").arg(x).arg(y).arg(image.pixel(x, y), 0, 16)));
        }
    }
    // Twice as large: 102 pixels, the frame 6 wide.
    const QImage sharp = QImage::fromData(contents(sharpPath(quillmapresources::bitmapPath(quillmapresources::CursorPicture))));
    QCOMPARE(sharp.size(), QSize(102, 102));
    QCOMPARE(sharp.pixel(5, 50), qRgb(255, 0, 0));
    QCOMPARE(sharp.pixel(6, 50), qRgb(255, 255, 255));
    QCOMPARE(sharp.pixel(96, 95), qRgb(255, 0, 0));
}

void PicturesTest::iconsHoldBothSizes_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("game") << cobbletonresources::iconPath(cobbletonresources::ProgramIcon);
    QTest::newRow("editor") << quillmapresources::iconPath(quillmapresources::ProgramIcon);
}

void PicturesTest::iconsHoldBothSizes()
{
    QFETCH(QString, path);
    // A window icon is made from the file; it must offer both images, not one scaled.
    const QIcon icon(path);
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    QCOMPARE(sizes, QList<QSize>({QSize(16, 16), QSize(32, 32)}));
    for (int side : {16, 32}) {
        const QImage image = icon.pixmap(side, side).toImage();
        QCOMPARE(image.size(), QSize(side, side));
        QVERIFY2(image.pixelColor(0, 0).alpha() == 0, "the rounded corner is transparent");
        QCOMPARE(image.pixelColor(side / 2, side / 2).alpha(), 255);
    }

    // Each directory entry: 16 colours, 4 bits per pixel.
    const QByteArray bytes = contents(path);
    QVERIFY(bytes.size() >= 6 + 2 * 16);
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    for (int entry = 0; entry < 2; ++entry) {
        const uchar *at = data + 6 + 16 * entry;
        QCOMPARE(int(at[2]), 16);
        QCOMPARE(qFromLittleEndian<quint16>(at + 6), quint16(4));
    }
}

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"
