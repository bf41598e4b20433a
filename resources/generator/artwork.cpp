// SPDX-License-Identifier: GPL-3.0-or-later
#include "artwork.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

// Deterministic noise so that every run draws the same pixels.
std::uint32_t hash(std::uint32_t a, std::uint32_t b, std::uint32_t c = 0)
{
    std::uint32_t h = a * 0x9e3779b1u ^ (b + 0x7f4a7c15u) * 0x85ebca6bu ^ (c + 0x165667b1u) * 0xc2b2ae35u;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return h;
}

// -amplitude .. +amplitude
int noise(int x, int y, int seed, int amplitude)
{
    return int(hash(std::uint32_t(x), std::uint32_t(y), std::uint32_t(seed)) % std::uint32_t(2 * amplitude + 1))
        - amplitude;
}

QRgb shade(QColor c, int delta)
{
    return qRgb(std::clamp(c.red() + delta, 0, 255), std::clamp(c.green() + delta, 0, 255),
                std::clamp(c.blue() + delta, 0, 255));
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// Four mosaic tiles, 23 pixels square, with joints one pixel wide at the cell's edge and two in
// the middle, so neighbouring cells continue the joint pattern. At a larger `scale` the layout
// stays that of the 50-pixel tile, and the grain is drawn per fine pixel.
QImage paintFloor(int scale)
{
    QImage image(TileSide * scale, TileSide * scale, QImage::Format_RGB32);
    const QColor joint(0xdc, 0xea, 0xe4);
    const QColor lit(0x5a, 0xd2, 0xc2);
    const QColor deep(0x1f, 0x94, 0x8a);
    auto local = [](int p) { return p == 0 || p == 24 || p == 25 || p == 49 ? -1 : (p < 24 ? p - 1 : p - 26); };
    for (int fy = 0; fy < image.height(); ++fy) {
        for (int fx = 0; fx < image.width(); ++fx) {
            const int x = fx / scale;
            const int y = fy / scale;
            const int u = local(x);
            const int v = local(y);
            if (u < 0 || v < 0) {
                image.setPixel(fx, fy, shade(joint, noise(fx, fy, 1, 3)));
                continue;
            }
            const int tile = (x > 24 ? 1 : 0) + (y > 24 ? 2 : 0);
            QColor base = mix(lit, deep, (u + v) / 44.0);
            int delta = noise(fx, fy, 2, 4) + noise(u / 3, v / 3, 10 + tile, 3);
            if (u == 0 || v == 0)
                delta += 26;
            else if (u == 22 || v == 22)
                delta -= 30;
            else if (u == 1 || v == 1)
                delta += 10;
            image.setPixel(fx, fy, shade(base, delta));
        }
    }
    return image;
}

// Laid out on the 50-pixel tile at any `scale`, the grain and pits drawn per fine pixel.
QImage paintWall(int scale)
{
    QImage image(TileSide * scale, TileSide * scale, QImage::Format_RGB32);
    // Courses of brick between mortar rows {49,0}, {12,13}, {24,25}, {37,38}.
    constexpr std::array<int, 4> courseTop{1, 14, 26, 39};
    constexpr std::array<int, 4> courseBottom{11, 23, 36, 48};
    const QColor mortar(0xa9, 0xa6, 0x9f);
    const std::array<QColor, 4> bricks{QColor(0xb4, 0x42, 0x2e), QColor(0xa4, 0x38, 0x27), QColor(0xc0, 0x4d, 0x34),
                                       QColor(0x9a, 0x33, 0x24)};
    for (int fy = 0; fy < image.height(); ++fy) {
        const int y = fy / scale;
        int course = -1;
        for (int c = 0; c < 4; ++c) {
            if (y >= courseTop[c] && y <= courseBottom[c])
                course = c;
        }
        for (int fx = 0; fx < image.width(); ++fx) {
            const int x = fx / scale;
            if (course < 0) {
                // Mortar just below a brick lies in its shadow.
                const bool underBrick = y == 12 || y == 24 || y == 37 || y == 49;
                image.setPixel(fx, fy, shade(mortar, noise(fx, fy, 3, 5) - (underBrick ? 22 : 0)));
                continue;
            }
            const int shifted = (x + 50 - (course % 2 ? 12 : 0)) % 25; // 0 and 24 are mortar
            if (shifted == 0 || shifted == 24) {
                image.setPixel(fx, fy, shade(mortar, noise(fx, fy, 3, 5) - (shifted == 0 ? 22 : 0)));
                continue;
            }
            const int brick = ((x + 50 - (course % 2 ? 12 : 0)) % 50) / 25;
            const QColor base = bricks[hash(std::uint32_t(course), std::uint32_t(brick), 7) % 4];
            const int u = shifted - 1; // 0 .. 22
            const int v = y - courseTop[course];
            const int last = courseBottom[course] - courseTop[course];
            int delta = noise(fx, fy, 4, 7);
            if (v == 0)
                delta += 30;
            else if (u == 0)
                delta += 18;
            else if (v == last)
                delta -= 38;
            else if (u == 22)
                delta -= 28;
            else if (hash(std::uint32_t(fx), std::uint32_t(fy), 5) % 11 == 0)
                delta -= 22; // pits in the fired clay
            image.setPixel(fx, fy, shade(base, delta));
        }
    }
    return image;
}

void antialiased(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
}

// A soft shadow on the floor below and right of a raised disc.
void dropShadow(QPainter &p, QPointF centre, double radius)
{
    const QPointF at = centre + QPointF(1.6, 2.2);
    QRadialGradient g(at, radius + 2.5);
    g.setColorAt(0.0, QColor(0, 0, 0, 120));
    g.setColorAt(radius / (radius + 2.5) - 0.08, QColor(0, 0, 0, 100));
    g.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setBrush(g);
    p.drawEllipse(at, radius + 2.5, radius + 2.5);
}

// A disc lit from the top left: light at the top-left, `edge` towards the rim.
void litDisc(QPainter &p, QPointF centre, double radius, const QColor &light, const QColor &body, const QColor &edge)
{
    QRadialGradient g(centre, radius, centre - QPointF(radius * 0.4, radius * 0.45));
    g.setColorAt(0.0, light);
    g.setColorAt(0.55, body);
    g.setColorAt(1.0, edge);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

// A small lamp with its glint.
void lamp(QPainter &p, QPointF centre, double radius, const QColor &glow, const QColor &body, const QColor &edge)
{
    p.setBrush(QColor(0, 0, 0, 160));
    p.drawEllipse(centre, radius + 0.9, radius + 0.9);
    litDisc(p, centre, radius, glow, body, edge);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(centre - QPointF(radius * 0.38, radius * 0.4), radius * 0.3, radius * 0.3);
}

// The trefoil of three black sectors on a yellow disc, flat on the floor.
void placeMark(QPainter &p, QPointF c, double r)
{
    p.setBrush(QColor(0x8a, 0x6a, 0x08));
    p.drawEllipse(c, r + 0.9, r + 0.9);
    litDisc(p, c, r, QColor(0xff, 0xf1, 0x7a), QColor(0xf6, 0xcc, 0x12), QColor(0xe0, 0xa8, 0x00));
    const QColor ink(0x1b, 0x1b, 0x1b);
    p.setBrush(ink);
    p.drawEllipse(c, r * 0.17, r * 0.17);
    const double inner = r * 0.28;
    const double outer = r * 0.84;
    for (double start : {60.0, 180.0, 300.0}) {
        QPainterPath sector;
        sector.arcMoveTo(QRectF(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer), start);
        sector.arcTo(QRectF(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer), start, 60);
        sector.arcTo(QRectF(c.x() - inner, c.y() - inner, 2 * inner, 2 * inner), start + 60, -60);
        sector.closeSubpath();
        p.drawPath(sector);
    }
}

void playerToken(QPainter &p, QPointF c, double r, bool shadow)
{
    if (shadow)
        dropShadow(p, c, r);
    p.setBrush(QColor(0x0e, 0x40, 0x16));
    p.drawEllipse(c, r, r);
    litDisc(p, c, r - 0.8, QColor(0x7c, 0xdc, 0x6c), QColor(0x2e, 0xa0, 0x3c), QColor(0x17, 0x66, 0x22));
    const double inner = r * 0.79;
    p.setBrush(QColor(0x5c, 0x4a, 0x05, 200));
    p.drawEllipse(c, inner + 0.6, inner + 0.6);
    litDisc(p, c, inner, QColor(0xff, 0xf6, 0xa0), QColor(0xf8, 0xd2, 0x1c), QColor(0xde, 0xa6, 0x00));

    // The little figure: head, body, arms raised to push, legs apart.
    const double k = r / 19.0;
    const QColor ink(0x1e, 0x26, 0x1c);
    QPen pen(ink, 3.1 * k, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    auto at = [&](double x, double y) { return c + QPointF(x * k, y * k); };
    p.drawLine(at(0, -4), at(0, 4));                                                        // body
    p.drawPolyline(QList<QPointF>{at(-6.2, 0.5), at(-3, -3.2), at(3, -3.2), at(6.2, 0.5)}); // arms
    p.drawPolyline(QList<QPointF>{at(-4.2, 11), at(0, 4), at(4.2, 11)});                    // legs
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(at(0, -9.2), 3.6 * k, 3.6 * k);
}

// `inner` is the black face's share of the radius; the rest is the green rim. An item `home` on
// its place shows its two upper lights green instead of red.
void itemToken(QPainter &p, QPointF c, double r, bool shadow, double inner = 0.8, bool home = false)
{
    if (shadow)
        dropShadow(p, c, r);
    p.setBrush(QColor(0x0b, 0x33, 0x12));
    p.drawEllipse(c, r, r);
    litDisc(p, c, r - 0.8, QColor(0x80, 0xe0, 0x70), QColor(0x2c, 0x9c, 0x3a), QColor(0x15, 0x60, 0x20));
    p.setBrush(QColor(0, 0, 0));
    p.drawEllipse(c, r * inner + 0.6, r * inner + 0.6);
    litDisc(p, c, r * inner, QColor(0x56, 0x5a, 0x5e), QColor(0x1c, 0x1d, 0x20), QColor(0x05, 0x05, 0x06));
    const double k = r / 18.5;
    const QColor glow = home ? QColor(0xc8, 0xff, 0xb8) : QColor(0xff, 0xc0, 0xa8);
    const QColor body = home ? QColor(0x3c, 0xe8, 0x2a) : QColor(0xff, 0x2a, 0x12);
    const QColor edge = home ? QColor(0x0a, 0x80, 0x08) : QColor(0xa8, 0x05, 0x00);
    lamp(p, c + QPointF(-5.6 * k, -3.6 * k), 3.3 * k, glow, body, edge);
    lamp(p, c + QPointF(5.6 * k, -3.6 * k), 3.3 * k, glow, body, edge);
    lamp(p, c + QPointF(0, 6.0 * k), 3.3 * k, QColor(0xc0, 0xe4, 0xff), QColor(0x24, 0x78, 0xff),
         QColor(0x06, 0x2a, 0xa0));
}

constexpr QPointF TileCentre(25.0, 25.0);

} // namespace

QImage wallTile(int scale)
{
    return paintWall(scale);
}

QImage floorTile(int scale)
{
    return paintFloor(scale);
}

namespace {

// The floor with a token drawn on it in the 50-pixel tile's coordinates.
template <typename Draw>
QImage floorWith(int scale, Draw draw)
{
    QImage image = paintFloor(scale);
    QPainter p(&image);
    antialiased(p);
    if (scale != 1)
        p.scale(scale, scale);
    draw(p);
    return image;
}

} // namespace

QImage itemPlaceTile(int scale)
{
    return floorWith(scale, [](QPainter &p) { placeMark(p, TileCentre, 19.0); });
}

QImage playerTile(int scale)
{
    return floorWith(scale, [](QPainter &p) { playerToken(p, TileCentre, 19.0, true); });
}

QImage itemTile(int scale)
{
    return floorWith(scale, [](QPainter &p) { itemToken(p, TileCentre, 18.5, true); });
}

// The place stays visible as a yellow ring round a smaller token.
QImage itemOnPlaceTile(int scale)
{
    return floorWith(scale, [](QPainter &p) {
        placeMark(p, TileCentre, 19.0);
        itemToken(p, TileCentre, 14.5, true, 0.8, true);
    });
}

QImage playerOnPlaceTile(int scale)
{
    return floorWith(scale, [](QPainter &p) {
        placeMark(p, TileCentre, 19.0);
        playerToken(p, TileCentre, 14.0, true);
    });
}

QImage cursorPicture(int scale)
{
    // The standard 16-colour palette; 9 is pure red, 15 white.
    const QList<QRgb> vga{qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
                          qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
                          qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
                          qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    const int side = CursorSide * scale;
    const int frame = 3 * scale;
    QImage image(side, side, QImage::Format_Indexed8);
    image.setColorTable(vga);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const bool inFrame = x < frame || y < frame || x >= side - frame || y >= side - frame;
            image.setPixel(x, y, inFrame ? 9 : 15);
        }
    }
    return image;
}

namespace {

// The icons are drawn on a 32-unit square and scaled.
QImage iconCanvas(int size, QPainter &p)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    p.begin(&image);
    antialiased(p);
    p.scale(size / 32.0, size / 32.0);
    return image;
}

// A rounded square of floor tiles, the ground both icons stand on.
void iconFloor(QPainter &p, const QRectF &r, double radius)
{
    p.setBrush(QColor(0x12, 0x55, 0x4e));
    p.drawRoundedRect(r, radius, radius);
    const QRectF inside = r.adjusted(1, 1, -1, -1);
    QLinearGradient g(inside.topLeft(), inside.bottomRight());
    g.setColorAt(0.0, QColor(0x62, 0xd8, 0xc8));
    g.setColorAt(1.0, QColor(0x1e, 0x8e, 0x84));
    p.setBrush(g);
    p.drawRoundedRect(inside, radius - 1, radius - 1);
    p.setBrush(QColor(0xdc, 0xea, 0xe4, 210));
    const QPointF mid = inside.center();
    p.drawRect(QRectF(mid.x() - 0.6, inside.top(), 1.2, inside.height()));
    p.drawRect(QRectF(inside.left(), mid.y() - 0.6, inside.width(), 1.2));
}

} // namespace

QImage cobbletonIcon(int size)
{
    QPainter p;
    QImage image = iconCanvas(size, p);
    // An item being pushed onto its place, on the floor tiles.
    iconFloor(p, QRectF(1, 1, 30, 30), 5);
    placeMark(p, QPointF(21.0, 21.0), 8.8);
    itemToken(p, QPointF(11.0, 11.0), 8.8, true, 0.7);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QList<QRgb> cobbletonIconPalette()
{
    return {qRgb(0x12, 0x55, 0x4e), qRgb(0x5f, 0xd4, 0xc4), qRgb(0x3c, 0xb4, 0xa6), qRgb(0x1f, 0x8e, 0x84),
            qRgb(0xf4, 0xfa, 0xf8), qRgb(0xff, 0xf0, 0x7a), qRgb(0xf6, 0xcc, 0x12), qRgb(0xc8, 0x94, 0x00),
            qRgb(0x14, 0x14, 0x14), qRgb(0x44, 0x46, 0x4a), qRgb(0x6c, 0xd0, 0x60), qRgb(0x2c, 0x9c, 0x3a),
            qRgb(0x13, 0x5a, 0x1e), qRgb(0xff, 0x2a, 0x12), qRgb(0x24, 0x78, 0xff)};
}

QImage quillmapIcon(int size)
{
    QPainter p;
    QImage image = iconCanvas(size, p);
    // A 3 x 3 board: wall round two floor cells and a place, the editing cursor on one cell.
    p.setBrush(QColor(0x26, 0x2a, 0x2c));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 3.5, 3.5);
    const QColor wall(0xb4, 0x42, 0x2e), floor(0x3c, 0xb8, 0xaa), place(0xf6, 0xcc, 0x12);
    const std::array<QColor, 9> cells{wall, wall, wall, wall, floor, place, wall, floor, floor};
    for (int i = 0; i < 9; ++i) {
        const QRectF cell(2.0 + 9.5 * (i % 3) + 0.5, 2.0 + 9.5 * (i / 3) + 0.5, 8.5, 8.5);
        p.setBrush(cells[i]);
        p.drawRect(cell);
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawRect(QRectF(cell.left(), cell.top(), cell.width(), 1.2));
        if (cells[i] == wall) {
            p.setBrush(QColor(0xa9, 0xa6, 0x9f));
            p.drawRect(QRectF(cell.left(), cell.center().y() - 0.5, cell.width(), 1.0));
        }
    }
    p.setPen(QPen(QColor(0xff, 0, 0), 1.8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(11.5 + 0.4, 21.0 + 0.4, 9.0, 9.0));
    p.setPen(Qt::NoPen);

    // The pencil, writing from the top right down onto the cursor cell.
    p.save();
    p.translate(12.5, 27.5);
    p.rotate(-45);
    const double w = 5.8; // pencil thickness
    const double tipLength = 5.5, bodyEnd = 16.5, ferruleEnd = 18.5, end = 21.5;
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(QRectF(tipLength, -w / 2 + 1.3, end - tipLength, w), 1.0, 1.0); // its shadow
    p.setBrush(QColor(0xf0, 0xc8, 0x90));
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(tipLength, -w / 2), QPointF(tipLength, w / 2)}));
    const double lead = 2.2;
    p.setBrush(QColor(0x30, 0x30, 0x34));
    p.drawPolygon(
        QPolygonF({QPointF(0, 0), QPointF(lead, -w / 2 * lead / tipLength), QPointF(lead, w / 2 * lead / tipLength)}));
    QLinearGradient body(QPointF(0, -w / 2), QPointF(0, w / 2));
    body.setColorAt(0.0, QColor(0xff, 0xe4, 0x5c));
    body.setColorAt(0.5, QColor(0xf6, 0xb8, 0x10));
    body.setColorAt(1.0, QColor(0xc8, 0x82, 0x00));
    p.setBrush(body);
    p.drawRect(QRectF(tipLength, -w / 2, bodyEnd - tipLength, w));
    p.setBrush(QColor(0xb0, 0xb4, 0xb8));
    p.drawRect(QRectF(bodyEnd, -w / 2, ferruleEnd - bodyEnd, w));
    p.setBrush(QColor(0xf0, 0x7a, 0x8a));
    p.drawRoundedRect(QRectF(ferruleEnd, -w / 2, end - ferruleEnd, w), 1.2, 1.2);
    p.restore();
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QList<QRgb> quillmapIconPalette()
{
    return {qRgb(0x26, 0x2a, 0x2c), qRgb(0xb4, 0x42, 0x2e), qRgb(0xd0, 0x6a, 0x58), qRgb(0xa9, 0xa6, 0x9f),
            qRgb(0x3c, 0xb8, 0xaa), qRgb(0x74, 0xd0, 0xc6), qRgb(0xf6, 0xcc, 0x12), qRgb(0xff, 0x00, 0x00),
            qRgb(0xff, 0xe4, 0x5c), qRgb(0xf6, 0xb8, 0x10), qRgb(0xc8, 0x82, 0x00), qRgb(0xf0, 0xc8, 0x90),
            qRgb(0x30, 0x30, 0x34), qRgb(0xb0, 0xb4, 0xb8), qRgb(0xf0, 0x7a, 0x8a)};
}

QImage sixteenColours(const QImage &source, const QList<QRgb> &palette)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    auto distance = [](QRgb a, QRgb b) {
        const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
        return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    };
    QImage out(image.size(), QImage::Format_Indexed8);
    QList<QRgb> table{qRgba(0, 0, 0, 0)};
    table << palette.mid(0, 15);
    out.setColorTable(table);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            int index = 0;
            if (qAlpha(c) >= 128) {
                index = 1;
                for (int i = 2; i < table.size(); ++i) {
                    if (distance(c, table[i]) < distance(c, table[index]))
                        index = i;
                }
            }
            out.setPixel(x, y, uint(index));
        }
    }
    return out;
}
