// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "resources/picturetable.h"

// The editor's pictures by resource id.
namespace quillmapresources {

inline constexpr int WallPicture = 129;
inline constexpr int FloorPicture = 132;
inline constexpr int ItemPlacePicture = 131;
inline constexpr int PlayerPicture = 130;
inline constexpr int ItemPicture = 133;
inline constexpr int CursorPicture = 137; // 51 x 51, one pixel past its cell
inline constexpr int ProgramIcon = 128;   // 32 x 32 and 16 x 16

// The tiles by code (0 Wall, 1 Floor, 2 ItemPlace, 3 Player, 4 Item, 5 Cursor) and the program
// icon, under ":/quillmap".
extern const resources::PictureTable Pictures;

} // namespace quillmapresources
