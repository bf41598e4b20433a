// SPDX-License-Identifier: GPL-3.0-or-later
// Checks a screenshot of a whole X screen for a board of 15 x 12 cells that shows the wall
// picture in a given number of its cells.
//
//   screencheck <screenshot> <wall picture> [walls]
//
// The board is wherever the screen shows it: its top-left cell is the first place, row by row,
// where the wall picture appears pixel for pixel; from there the cells of the grid that show it
// too are counted. Prints what it found; exits 0 when exactly `walls` cells (by default all 180)
// show the wall, 1 when not, 2 when an image cannot be read.
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int Columns = 15;
constexpr int Rows = 12;

// Both images are Format_RGB32, whose pixels are 0xffRRGGBB: equal pixels are equal bytes.
bool showsAt(const QImage &screen, const QImage &tile, int left, int top)
{
    if (left + tile.width() > screen.width() || top + tile.height() > screen.height())
        return false;
    for (int y = 0; y < tile.height(); ++y) {
        const uchar *shown = screen.constScanLine(top + y) + 4 * left;
        if (std::memcmp(shown, tile.constScanLine(y), 4 * static_cast<std::size_t>(tile.width())) != 0)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s <screenshot> <wall picture> [walls]\n", argv[0]);
        return 2;
    }
    const int expected = argc == 4 ? std::atoi(argv[3]) : Rows * Columns;
    const QImage screen = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const QImage tile = QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_RGB32);
    if (screen.isNull() || tile.isNull()) {
        std::fprintf(stderr, "screencheck: cannot read %s or %s\n", argv[1], argv[2]);
        return 2;
    }

    const int width = screen.width();
    const int places = width * screen.height();
    int at = 0;
    while (at < places && !showsAt(screen, tile, at % width, at / width))
        ++at;
    if (at == places) {
        std::printf("no wall picture on the screen\n");
        return 1;
    }
    const int left = at % width;
    const int top = at / width;
    int walls = 0;
    for (int row = 0; row < Rows; ++row)
        for (int column = 0; column < Columns; ++column)
            walls += showsAt(screen, tile, left + column * tile.width(), top + row * tile.height());
    std::printf("%d of %d cells show the wall picture, board at (%d, %d)\n", walls, Rows * Columns, left, top);
    return walls == expected ? 0 : 1;
}
