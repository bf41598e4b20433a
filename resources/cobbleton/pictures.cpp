// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/cobbleton/pictures.h"

namespace cobbletonresources {

namespace {

constexpr int TilePictures[] = {WallPicture, FloorPicture, ItemPlacePicture, PlayerPicture, ItemPicture};
constexpr int OnPlacePictures[] = {ItemOnPlacePicture, PlayerOnPlacePicture};

} // namespace

constinit const resources::PictureTable Pictures{"cobbleton", TilePictures, ProgramIcon, OnPlacePictures};

int onPlacePictureId(int code)
{
    return code == 4 ? ItemOnPlacePicture : code == 3 ? PlayerOnPlacePicture : Pictures.tileImage(code);
}

} // namespace cobbletonresources
