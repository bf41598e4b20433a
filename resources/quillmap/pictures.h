// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The editor's pictures by resource id. The tiles are the same pixels in both programs, each
// program numbering them its own way.
namespace quillmapresources {

inline constexpr int WallPicture = 129;
inline constexpr int FloorPicture = 132;
inline constexpr int ItemPlacePicture = 131;
inline constexpr int PlayerPicture = 130;
inline constexpr int ItemPicture = 133;
inline constexpr int CursorPicture = 137; // 51 x 51, one pixel past its cell
inline constexpr int ProgramIcon = 128;   // 32 x 32 and 16 x 16

// The picture showing tile code `code` (0 Wall, 1 Floor, 2 ItemPlace, 3 Player, 4 Item, 5 Cursor),
// or 0 for any other code: such a cell is shown empty.
int tilePictureId(int code);

// The Qt resource path of bitmap `id`, ":/quillmap/bitmap/<id>.bmp", for the ids above;
// an empty string for an id the editor has no bitmap for.
QString bitmapPath(int id);

// The Qt resource path of icon `id`, ":/quillmap/icon/<id>.ico"; empty for any id but
// ProgramIcon.
QString iconPath(int id);

} // namespace quillmapresources
