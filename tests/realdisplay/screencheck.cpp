// Checks a screenshot of a whole X screen for a board of 15 x 12 wall pictures.
//
//   screencheck <screenshot> <wall picture>
//
// The board is wherever the screen shows it: its top-left cell is the first place, row by row,
// where the wall picture appears pixel for pixel; from there every cell of the grid must show it
// too. Prints what it found; exits 0 when all 180 cells show the wall, 1 when not, 2 when an
// image cannot be read.
#include <QImage>
#include <QPoint>

#include <cstdio>
#include <optional>

namespace {

constexpr int Columns = 15;
constexpr int Rows = 12;

bool showsAt(const QImage &screen, const QImage &tile, int left, int top)
{
    if (left + tile.width() > screen.width() || top + tile.height() > screen.height())
        return false;
    for (int y = 0; y < tile.height(); ++y) {
        const auto *shown = reinterpret_cast<const QRgb *>(screen.constScanLine(top + y)) + left;
        const auto *wanted = reinterpret_cast<const QRgb *>(tile.constScanLine(y));
        for (int x = 0; x < tile.width(); ++x)
            if (qRed(shown[x]) != qRed(wanted[x]) || qGreen(shown[x]) != qGreen(wanted[x])
                || qBlue(shown[x]) != qBlue(wanted[x]))
                return false;
    }
    return true;
}

std::optional<QPoint> firstPlaceShowing(const QImage &screen, const QImage &tile)
{
    for (int top = 0; top + tile.height() <= screen.height(); ++top)
        for (int left = 0; left + tile.width() <= screen.width(); ++left)
            if (showsAt(screen, tile, left, top))
                return QPoint(left, top);
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <screenshot> <wall picture>\n", argv[0]);
        return 2;
    }
    const QImage screen = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const QImage tile = QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_RGB32);
    if (screen.isNull() || tile.isNull()) {
        std::fprintf(stderr, "screencheck: cannot read %s or %s\n", argv[1], argv[2]);
        return 2;
    }

    const std::optional<QPoint> origin = firstPlaceShowing(screen, tile);
    if (!origin) {
        std::printf("no wall picture on the screen\n");
        return 1;
    }
    int walls = 0;
    for (int row = 0; row < Rows; ++row)
        for (int column = 0; column < Columns; ++column)
            if (showsAt(screen, tile, origin->x() + column * tile.width(), origin->y() + row * tile.height()))
                ++walls;
    std::printf("%d of %d cells show the wall picture, board at (%d, %d)\n", walls, Rows * Columns,
                origin->x(), origin->y());
    return walls == Rows * Columns ? 0 : 1;
}
