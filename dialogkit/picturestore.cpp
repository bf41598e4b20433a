// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/picturestore.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace dialogkit {

namespace {

// "dir/wall.bmp" -> "dir/wall@2x.bmp"
QString sharpPath(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot <= path.lastIndexOf(u'/'))
        return path + QStringLiteral("@2x");
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

// The picture in `path`, read in the format its suffix names. Left to guess, Qt loads every
// image format plugin to ask whether it reads the format before it turns to its own BMP reader;
// that cost the programs a good part of their start-up. A file whose suffix does not tell its
// format is still read the usual way.
QPixmap readPicture(const QString &path)
{
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull())
        image = QImage(path);
    return QPixmap::fromImage(std::move(image));
}

} // namespace

const QPixmap &PictureStore::normalPicture(Entry &entry)
{
    if (!entry.loaded) {
        entry.pixmap = readPicture(entry.path);
        entry.loaded = true;
    }
    return entry.pixmap;
}

void PictureStore::addPicture(int id, const QString &path)
{
    m_pictures[id] = Entry{path, QPixmap(), false, QPixmap(), false};
}

const QPixmap &PictureStore::picture(int id, qreal devicePixelRatio) const
{
    static const QPixmap none;
    auto it = m_pictures.find(id);
    if (it == m_pictures.end())
        return none;
    Entry &entry = it->second;
    if (devicePixelRatio > 1) {
        if (!entry.sharpLoaded) {
            entry.sharpLoaded = true;
            const QPixmap &normal = normalPicture(entry);
            // A variant of another size would move the controls, so it is left unused.
            entry.sharp = readPicture(sharpPath(entry.path));
            if (!entry.sharp.isNull() && entry.sharp.size() == 2 * normal.size())
                entry.sharp.setDevicePixelRatio(2);
            else
                entry.sharp = QPixmap();
        }
        if (!entry.sharp.isNull())
            return entry.sharp;
    }
    return normalPicture(entry);
}

void PictureStore::addIconFiles(int id, const QStringList &paths)
{
    // QIcon itself adds a file's "@2x" variant when the application's ratio is above 1.
    QIcon icon;
    for (const QString &path : paths)
        icon.addFile(path);
    m_icons[id] = icon;
}

QIcon PictureStore::icon(int id) const
{
    auto it = m_icons.find(id);
    return it == m_icons.end() ? QIcon() : it->second;
}

} // namespace dialogkit
