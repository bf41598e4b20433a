#include "dialogkit/picturestore.h"

#include <QCoreApplication>

#include <unordered_map>

namespace dialogkit {

namespace {

struct PictureEntry
{
    QString path;
    QPixmap pixmap;
    bool loaded = false;
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

} // namespace

void PictureStore::addPicture(int id, const QString &path)
{
    registerCleanup();
    store().pictures[id] = PictureEntry{path, QPixmap(), false};
}

void PictureStore::addPicture(int id, const QPixmap &pixmap)
{
    registerCleanup();
    store().pictures[id] = PictureEntry{QString(), pixmap, true};
}

const QPixmap &PictureStore::picture(int id)
{
    static const QPixmap none;
    auto it = store().pictures.find(id);
    if (it == store().pictures.end())
        return none;
    PictureEntry &entry = it->second;
    if (!entry.loaded) {
        entry.pixmap.load(entry.path);
        entry.loaded = true;
    }
    return entry.pixmap;
}

void PictureStore::addIconFiles(int id, const QStringList &paths)
{
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
