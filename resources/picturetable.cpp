// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/picturetable.h"

#include "dialogkit/picturestore.h"

#include <algorithm>

namespace resources {

int PictureTable::tileImage(int code) const
{
    return code >= 0 && code < int(m_tiles.size()) ? m_tiles[std::size_t(code)] : 0;
}

QString PictureTable::bitmapPath(int id) const
{
    if (std::find(m_tiles.begin(), m_tiles.end(), id) == m_tiles.end()
        && std::find(m_others.begin(), m_others.end(), id) == m_others.end())
        return {};
    return QStringLiteral(":/%1/bitmap/%2.bmp").arg(QLatin1String(m_program)).arg(id);
}

QString PictureTable::iconPath(int id) const
{
    return id == m_icon ? QStringLiteral(":/%1/icon/%2.ico").arg(QLatin1String(m_program)).arg(id) : QString();
}

void registerPictures(dialogkit::PictureStore &store, const PictureTable &table)
{
    for (const std::span<const int> ids : {table.m_tiles, table.m_others}) {
        for (int id : ids)
            store.addPicture(id, table.bitmapPath(id));
    }
    store.addIconFiles(table.m_icon, {table.iconPath(table.m_icon)});
}

} // namespace resources
