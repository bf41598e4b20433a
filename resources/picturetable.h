// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <span>

namespace dialogkit {
class PictureStore;
}

namespace resources {

// One program's pictures as resources/CMakeLists.txt embeds them (add_program_pictures): the
// bitmap of each tile code, ":/<program>/bitmap/<id>.bmp", and the program icon,
// ":/<program>/icon/<id>.ico", each beside its "@2x" variant. The tiles are the same pixels in
// both programs, each program numbering them its own way.
class PictureTable
{
public:
    // `tiles[c]` is the picture of tile code c; `program` names the resource folder; `others` are
    // further bitmaps of the program that show no tile code of their own.
    constexpr PictureTable(const char *program, std::span<const int> tiles, int icon, std::span<const int> others = {})
        : m_program(program), m_tiles(tiles), m_others(others), m_icon(icon)
    { }

    // TileImage: the picture showing tile code `code`, or 0 (no picture) for a code outside the
    // table; such a cell is shown empty.
    int tileImage(int code) const;

    // The Qt resource path of bitmap `id`; an empty string for an id the program has no bitmap for.
    QString bitmapPath(int id) const;

    // The Qt resource path of icon `id`; empty for any id but the program icon.
    QString iconPath(int id) const;

private:
    friend void registerPictures(dialogkit::PictureStore &store, const PictureTable &table);

    const char *m_program;
    std::span<const int> m_tiles;
    std::span<const int> m_others;
    int m_icon;
};

// Registers every bitmap and the icon of `table` with `store` under their ids, as the program's
// windows need them before they are built; registering again does no harm.
void registerPictures(dialogkit::PictureStore &store, const PictureTable &table);

} // namespace resources
