// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/quillmap/pictures.h"

namespace quillmapresources {

namespace {

constexpr int TilePictures[] = {WallPicture, FloorPicture, ItemPlacePicture, PlayerPicture, ItemPicture, CursorPicture};

} // namespace

constinit const resources::PictureTable Pictures{"quillmap", TilePictures, ProgramIcon};

} // namespace quillmapresources
