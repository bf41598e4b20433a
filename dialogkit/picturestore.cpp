// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/picturestore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <unordered_map>

namespace dialogkit {

namespace {

struct PictureEntry
{
    QString path;
    QPixmap pixmap;
    bool loaded = false;
    QPixmap sharp; // the "@2x" variant, read on first use at a ratio above 1
    bool sharpLoaded = false;
};

struct Store
{
    std::unordered_map<int, PictureEntry> pictures;
    std::unordered_map<int, QIcon> icons;
    bool cleanupRegistered = false;
};

Store &store()
{
    static Store s;
    return s;
}

void clearStore()
{
    Store &s = store();
    s.pictures.clear();
    s.icons.clear();
    s.cleanupRegistered = false;
}

// Pixmaps must not outlive the application object, so the store empties itself with it.
void registerCleanup()
{
    Store &s = store();
    if (!s.cleanupRegistered) {
        qAddPostRoutine(clearStore);
        s.cleanupRegistered = true;
    }
}

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

const QPixmap &normalPicture(PictureEntry &entry)
{
    if (!entry.loaded) {
        entry.pixmap = readPicture(entry.path);
        entry.loaded = true;
    }
    return entry.pixmap;
}

} // namespace

void PictureStore::addPicture(int id, const QString &path)
{
    registerCleanup();
    store().pictures[id] = PictureEntry{path, QPixmap(), false, QPixmap(), false};
}

void PictureStore::addPicture(int id, const QPixmap &pixmap)
{
    registerCleanup();
    store().pictures[id] = PictureEntry{QString(), pixmap, true, QPixmap(), false};
}

const QPixmap &PictureStore::picture(int id, qreal devicePixelRatio)
{
    static const QPixmap none;
    auto it = store().pictures.find(id);
    if (it == store().pictures.end())
        return none;
    PictureEntry &entry = it->second;
    if (devicePixelRatio > 1 && !entry.path.isEmpty()) {
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
    addIcon(id, icon);
}

void PictureStore::addIcon(int id, const QIcon &icon)
{
    registerCleanup();
    store().icons[id] = icon;
}

QIcon PictureStore::icon(int id)
{
    auto it = store().icons.find(id);
    return it == store().icons.end() ? QIcon() : it->second;
}

void PictureStore::clear()
{
    clearStore();
}

} // namespace dialogkit
