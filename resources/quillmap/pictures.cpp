// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/quillmap/pictures.h"

namespace quillmapresources {

namespace {

constexpr int TilePictures[] = {WallPicture, FloorPicture, ItemPlacePicture, PlayerPicture, ItemPicture, CursorPicture};
constexpr int OnPlacePictures[] = {ItemOnPlacePicture, PlayerOnPlacePicture};

} // namespace

constinit const resources::PictureTable Pictures{"quillmap", TilePictures, ProgramIcon, OnPlacePictures};

int onPlacePictureId(int code)
{
    return code == 4 ? ItemOnPlacePicture : code == 3 ? PlayerOnPlacePicture : Pictures.tileImage(code);
}

} // namespace quillmapresources
