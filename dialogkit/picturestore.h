#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace dialogkit {

// The program's picture and icon resources by id, loaded once and shared by every control that
// shows them. A program registers its files at start-up (e.g. 131 -> ":/cobbleton/wall.bmp");
// a picture file is read on first use. Everything is dropped when the QApplication is destroyed.
// GUI thread only.
class PictureStore
{
public:
    // Registers (or replaces) picture `id` to be read from `path` (a file or ":/…" resource).
    static void addPicture(int id, const QString &path);
    // Registers (or replaces) picture `id` as the given pixmap.
    static void addPicture(int id, const QPixmap &pixmap);

    // The picture `id`; a null pixmap for NoPicture, an unknown id or an unreadable file.
    // The reference stays valid until the picture is replaced or the store cleared.
    static const QPixmap &picture(int id);

    // Registers icon `id` from files of its sizes (e.g. the 32 x 32 and the 16 x 16 image).
    static void addIconFiles(int id, const QStringList &paths);
    static void addIcon(int id, const QIcon &icon);
    // The icon `id`; a null icon when unknown.
    static QIcon icon(int id);

    // Forgets every picture and icon.
    static void clear();
};

} // namespace dialogkit
