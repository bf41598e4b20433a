// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the pictures of both programs into a folder (normally resources/pictures):
//   picturegen <folder> [--sheet <preview.png>]
// The BMP and ICO files are what the programs embed; the PNG files under hicolor/ are the icons
// for desktop integration. Every picture is also drawn at twice its size for screens of device
// pixel ratio 2: "<name>@2x.<extension>" beside it, and the hicolor icons in "<size>x<size>@2".
// --sheet also writes an enlarged preview of everything for review.

#include "artwork.h"
#include "dibfile.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QStringList>

#include <cstdio>
#include <functional>

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "picturegen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

struct Icon
{
    QString name;
    std::function<QImage(int)> draw;
    QList<QRgb> palette;
};

QList<Icon> icons()
{
    return {{"cobbleton", cobbletonIcon, cobbletonIconPalette()}, {"quillmap", quillmapIcon, quillmapIconPalette()}};
}

struct Tile
{
    QString name;
    QImage image;
    std::function<QImage(int)> draw;
};

QList<Tile> tiles()
{
    const QList<std::pair<QString, std::function<QImage(int)>>> drawn{{"wall", wallTile},
                                                                      {"floor", floorTile},
                                                                      {"itemplace", itemPlaceTile},
                                                                      {"player", playerTile},
                                                                      {"item", itemTile},
                                                                      {"itemonplace", itemOnPlaceTile},
                                                                      {"playeronplace", playerOnPlaceTile}};
    QList<Tile> list;
    for (const auto &[name, draw] : drawn)
        list.append({name, draw(1), draw});
    return list;
}

// "<name>.<extension>" at scale 1, "<name>@2x.<extension>" at scale 2.
QString scaledName(const QString &name, int scale, const char *extension)
{
    return name + (scale == 1 ? QString() : QString("@%1x").arg(scale)) + "." + extension;
}

QImage enlarged(const QImage &image, int factor)
{
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Everything at four times its size, a small board at its real size and twice it, and the icons.
QImage contactSheet(const QList<Tile> &tileList, const QImage &cursor)
{
    QImage sheet(1720, 1260, QImage::Format_RGB32);
    sheet.fill(QColor(0xf0, 0xf0, 0xf0));
    QPainter p(&sheet);
    int x = 10;
    for (const Tile &tile : tileList) {
        p.drawImage(x, 10, enlarged(tile.image, 4));
        x += 210;
    }
    p.drawImage(x, 10, enlarged(cursor.convertToFormat(QImage::Format_RGB32), 4));

    // A 7 x 4 board: wall ring, floor, the player, an item, a place, an item and the player on
    // places, and the cursor on one cell.
    const char *board[] = {"#######", "#.@.$o#", "#*o$.+#", "#######"};
    QImage small(7 * TileSide, 4 * TileSide, QImage::Format_RGB32);
    {
        QPainter b(&small);
        for (int row = 0; row < 4; ++row) {
            for (int col = 0; col < 7; ++col) {
                const char c = board[row][col];
                const int index = QString("#.o@$*+").indexOf(QChar(c));
                b.drawImage(col * TileSide, row * TileSide, tileList[index].image);
            }
        }
        b.drawImage(4 * TileSide, 2 * TileSide, cursor.convertToFormat(QImage::Format_RGB32));
    }
    p.drawImage(10, 230, small);
    p.drawImage(380, 230, enlarged(small, 2));

    int y = 650;
    for (const Icon &icon : icons()) {
        x = 10;
        for (int size : {16, 32}) {
            const QImage sixteen = sixteenColours(icon.draw(size), icon.palette);
            p.drawImage(x, y, sixteen);
            p.drawImage(x + 40, y, enlarged(sixteen, 8));
            x += 40 + size * 8 + 20;
        }
        for (int size : {16, 32, 48, 256}) {
            p.drawImage(x, y, icon.draw(size));
            x += size + 12;
        }
        y += 300;
    }
    return sheet;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.isEmpty() || (args.size() != 1 && (args.size() != 3 || args[1] != "--sheet"))) {
        std::fprintf(stderr, "usage: picturegen <folder> [--sheet <preview.png>]\n");
        return 2;
    }
    const QDir out(args[0]);
    bool ok = true;
    const QList<Tile> tileList = tiles();
    const QImage cursor = cursorPicture();
    for (int scale : {1, 2}) {
        for (const Tile &tile : tileList) {
            const QImage image = scale == 1 ? tile.image : tile.draw(scale);
            ok = writeFile(out.filePath(scaledName(tile.name, scale, "bmp")), bmp24(image)) && ok;
        }
        ok = writeFile(out.filePath(scaledName("cursor", scale, "bmp")), bmp4(cursorPicture(scale))) && ok;
    }

    for (const auto &[name, draw, palette] : icons()) {
        for (int scale : {1, 2}) {
            ok = writeFile(out.filePath(scaledName(name, scale, "ico")),
                           ico4({sixteenColours(draw(32 * scale), palette), sixteenColours(draw(16 * scale), palette)}))
                && ok;
            for (int size : {16, 32, 48, 256}) {
                const QString dir =
                    QString("hicolor/%1x%1%2/apps").arg(size).arg(scale == 1 ? QString() : QString("@%1").arg(scale));
                out.mkpath(dir);
                const QString path = out.filePath(dir + "/" + name + ".png");
                if (!draw(size * scale).save(path, "PNG")) {
                    std::fprintf(stderr, "picturegen: cannot write %s\n", qPrintable(path));
                    ok = false;
                }
            }
        }
    }
    if (args.size() == 3) {
        const QImage sheet = contactSheet(tileList, cursor);
        ok = sheet.save(args[2], "PNG") && ok;
    }
    return ok ? 0 : 1;
}
