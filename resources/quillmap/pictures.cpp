// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/quillmap/pictures.h"

#include <array>

namespace quillmapresources {

namespace {

// Indexed by tile code.
constexpr std::array TilePictures{WallPicture,   FloorPicture, ItemPlacePicture,
                                  PlayerPicture, ItemPicture,  CursorPicture};

} // namespace

int tilePictureId(int code)
{
    return code >= 0 && code < int(TilePictures.size()) ? TilePictures[std::size_t(code)] : 0;
}

QString bitmapPath(int id)
{
    for (int picture : TilePictures) {
        if (picture == id)
            return QStringLiteral(":/quillmap/bitmap/%1.bmp").arg(id);
    }
    return {};
}

QString iconPath(int id)
{
    return id == ProgramIcon ? QStringLiteral(":/quillmap/icon/%1.ico").arg(id) : QString();
}

} // namespace quillmapresources
