// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The game's pictures by resource id. The tiles are the same pixels in both programs, each
// program numbering them its own way.
namespace cobbletonresources {

inline constexpr int WallPicture = 131;
inline constexpr int FloorPicture = 129;
inline constexpr int ItemPlacePicture = 133;
inline constexpr int PlayerPicture = 132;
inline constexpr int ItemPicture = 130;
inline constexpr int ItemOnPlacePicture = 138;   // an item standing on its place
inline constexpr int PlayerOnPlacePicture = 139; // the player standing on a place
inline constexpr int ProgramIcon = 128;          // 32 x 32 and 16 x 16

// The picture showing tile code `code` (0 Wall, 1 Floor, 2 ItemPlace, 3 Player, 4 Item),
// or 0 for any other code: such a cell is shown empty.
int tilePictureId(int code);

// The picture of tile `code` standing on an item place, for a game that marks what stands on
// places: ItemOnPlacePicture for Item, PlayerOnPlacePicture for Player, tilePictureId(code) for
// any other code.
int onPlacePictureId(int code);

// The Qt resource path of bitmap `id`, ":/cobbleton/bitmap/<id>.bmp", for the ids above;
// an empty string for an id the game has no bitmap for.
QString bitmapPath(int id);

// The Qt resource path of icon `id`, ":/cobbleton/icon/<id>.ico"; empty for any id but
// ProgramIcon.
QString iconPath(int id);

} // namespace cobbletonresources
