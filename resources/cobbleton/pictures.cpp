// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/cobbleton/pictures.h"

namespace cobbletonresources {

namespace {

constexpr int TilePictures[] = {WallPicture, FloorPicture, ItemPlacePicture, PlayerPicture, ItemPicture};

} // namespace

constinit const resources::PictureTable Pictures{"cobbleton", TilePictures, ProgramIcon};

} // namespace cobbletonresources
