// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "resources/picturetable.h"

// The game's pictures by resource id.
namespace cobbletonresources {

inline constexpr int WallPicture = 131;
inline constexpr int FloorPicture = 129;
inline constexpr int ItemPlacePicture = 133;
inline constexpr int PlayerPicture = 132;
inline constexpr int ItemPicture = 130;
inline constexpr int ItemOnPlacePicture = 138;   // an item standing on its place
inline constexpr int PlayerOnPlacePicture = 139; // the player standing on a place
inline constexpr int ProgramIcon = 128;          // 32 x 32 and 16 x 16

// The tiles by code (0 Wall, 1 Floor, 2 ItemPlace, 3 Player, 4 Item) and the program icon, under
// ":/cobbleton".
// Beside them, the pictures of an item and of the player standing on a place.
extern const resources::PictureTable Pictures;

// The picture of tile `code` standing on an item place, for a game that marks what stands on
// places: ItemOnPlacePicture for Item, PlayerOnPlacePicture for Player, Pictures.tileImage(code)
// for any other code.
int onPlacePictureId(int code);

} // namespace cobbletonresources
