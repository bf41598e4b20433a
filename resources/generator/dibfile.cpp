// SPDX-License-Identifier: GPL-3.0-or-later
#include "dibfile.h"

#include <QDataStream>
#include <QIODevice>

namespace {

constexpr quint32 InfoHeaderSize = 40;
constexpr quint32 FileHeaderSize = 14;

int rowBytes(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

QDataStream &littleEndian(QDataStream &out)
{
    out.setByteOrder(QDataStream::LittleEndian);
    return out;
}

// BITMAPINFOHEADER; `height` is the stored height (an icon stores twice its own, XOR + AND).
void writeInfoHeader(QDataStream &out, int width, int height, int bitsPerPixel, quint32 imageBytes, quint32 paletteSize)
{
    out << InfoHeaderSize << qint32(width) << qint32(height) << quint16(1) << quint16(bitsPerPixel)
        << quint32(0) /* BI_RGB */ << imageBytes << qint32(3780) << qint32(3780) /* 96 dpi */
        << paletteSize << quint32(0);
}

void writePalette16(QDataStream &out, const QList<QRgb> &table)
{
    for (int i = 0; i < 16; ++i) {
        const QRgb c = i < table.size() && qAlpha(table[i]) != 0 ? table[i] : qRgb(0, 0, 0);
        out << quint8(qBlue(c)) << quint8(qGreen(c)) << quint8(qRed(c)) << quint8(0);
    }
}

bool isSixteenColour(const QImage &image)
{
    return !image.isNull() && image.format() == QImage::Format_Indexed8 && image.colorCount() <= 16;
}

void writeNibbleRows(QDataStream &out, const QImage &image)
{
    const int padding = rowBytes(image.width(), 4) - (image.width() + 1) / 2;
    for (int y = image.height() - 1; y >= 0; --y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < image.width(); x += 2) {
            const int low = x + 1 < image.width() ? line[x + 1] & 0x0f : 0;
            out << quint8(((line[x] & 0x0f) << 4) | low);
        }
        for (int i = 0; i < padding; ++i)
            out << quint8(0);
    }
}

} // namespace

QByteArray bmp24(const QImage &source)
{
    if (source.isNull())
        return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const quint32 imageBytes = quint32(rowBytes(image.width(), 24) * image.height());
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    littleEndian(out) << quint8('B') << quint8('M') << quint32(FileHeaderSize + InfoHeaderSize + imageBytes)
                      << quint32(0) << quint32(FileHeaderSize + InfoHeaderSize);
    writeInfoHeader(out, image.width(), image.height(), 24, imageBytes, 0);
    const int padding = rowBytes(image.width(), 24) - image.width() * 3;
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            out << quint8(qBlue(line[x])) << quint8(qGreen(line[x])) << quint8(qRed(line[x]));
        for (int i = 0; i < padding; ++i)
            out << quint8(0);
    }
    return bytes;
}

QByteArray bmp4(const QImage &image)
{
    if (!isSixteenColour(image))
        return {};
    const quint32 offset = FileHeaderSize + InfoHeaderSize + 16 * 4;
    const quint32 imageBytes = quint32(rowBytes(image.width(), 4) * image.height());
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    littleEndian(out) << quint8('B') << quint8('M') << quint32(offset + imageBytes) << quint32(0) << offset;
    writeInfoHeader(out, image.width(), image.height(), 4, imageBytes, 16);
    writePalette16(out, image.colorTable());
    writeNibbleRows(out, image);
    return bytes;
}

QByteArray ico4(const QList<QImage> &images)
{
    QList<QByteArray> entries;
    for (const QImage &image : images) {
        if (!isSixteenColour(image) || image.width() > 256 || image.height() > 256)
            return {};
        const int maskRow = rowBytes(image.width(), 1);
        const quint32 xorBytes = quint32(rowBytes(image.width(), 4) * image.height());
        QByteArray entry;
        QDataStream out(&entry, QIODevice::WriteOnly);
        littleEndian(out);
        writeInfoHeader(out, image.width(), image.height() * 2, 4, xorBytes + quint32(maskRow * image.height()), 16);
        writePalette16(out, image.colorTable());
        writeNibbleRows(out, image);
        const QList<QRgb> table = image.colorTable();
        for (int y = image.height() - 1; y >= 0; --y) {
            const uchar *line = image.constScanLine(y);
            QByteArray mask(maskRow, '\0');
            for (int x = 0; x < image.width(); ++x) {
                if (line[x] < table.size() && qAlpha(table[line[x]]) == 0)
                    mask[x / 8] = char(mask[x / 8] | (0x80 >> (x % 8)));
            }
            out.writeRawData(mask.constData(), mask.size());
        }
        entries << entry;
    }

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    littleEndian(out) << quint16(0) << quint16(1) /* icon */ << quint16(images.size());
    quint32 offset = quint32(6 + 16 * images.size());
    for (int i = 0; i < images.size(); ++i) {
        const QImage &image = images[i];
        out << quint8(image.width() % 256) << quint8(image.height() % 256) << quint8(16) << quint8(0) << quint16(1)
            << quint16(4) << quint32(entries[i].size()) << offset;
        offset += quint32(entries[i].size());
    }
    for (const QByteArray &entry : entries)
        out.writeRawData(entry.constData(), entry.size());
    return bytes;
}
