// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/cobbleton/pictures.h"

#include <array>

namespace cobbletonresources {

namespace {

// Indexed by tile code.
constexpr std::array TilePictures{WallPicture, FloorPicture, ItemPlacePicture, PlayerPicture, ItemPicture};

constexpr std::array Bitmaps{WallPicture, FloorPicture,       ItemPlacePicture,    PlayerPicture,
                             ItemPicture, ItemOnPlacePicture, PlayerOnPlacePicture};

} // namespace

int tilePictureId(int code)
{
    return code >= 0 && code < int(TilePictures.size()) ? TilePictures[std::size_t(code)] : 0;
}

int onPlacePictureId(int code)
{
    return code == 4 ? ItemOnPlacePicture : code == 3 ? PlayerOnPlacePicture : tilePictureId(code);
}

QString bitmapPath(int id)
{
    for (int picture : Bitmaps) {
        if (picture == id)
            return QStringLiteral(":/cobbleton/bitmap/%1.bmp").arg(id);
    }
    return {};
}

QString iconPath(int id)
{
    return id == ProgramIcon ? QStringLiteral(":/cobbleton/icon/%1.ico").arg(id) : QString();
}

} // namespace cobbletonresources
