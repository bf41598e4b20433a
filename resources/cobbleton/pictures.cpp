// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/cobbleton/pictures.h"

#include <array>

namespace cobbletonresources {

namespace {

// Indexed by tile code.
constexpr std::array TilePictures{WallPicture, FloorPicture, ItemPlacePicture, PlayerPicture, ItemPicture};

} // namespace

int tilePictureId(int code)
{
    return code >= 0 && code < int(TilePictures.size()) ? TilePictures[std::size_t(code)] : 0;
}

QString bitmapPath(int id)
{
    for (int picture : TilePictures) {
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
