// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace dialogkit {

// The program's picture and icon resources by id, loaded once and shared by every control that
// shows them. A program registers its files at start-up (e.g. 131 -> ":/cobbleton/wall.bmp");
// a picture file is read on first use. A file may have a twice-as-large variant for screens of
// device pixel ratio 2, named with "@2x" before its extension (":/cobbleton/wall@2x.bmp"); it is
// only read when a ratio above 1 asks for it. Everything is dropped when the QApplication is
// destroyed. GUI thread only.
class PictureStore
{
public:
    // Registers (or replaces) picture `id` to be read from `path` (a file or ":/…" resource).
    static void addPicture(int id, const QString &path);
    // Registers (or replaces) picture `id` as the given pixmap.
    static void addPicture(int id, const QPixmap &pixmap);

    // The picture `id`; a null pixmap for NoPicture, an unknown id or an unreadable file.
    // For a devicePixelRatio above 1, the file's "@2x" variant (with device pixel ratio 2, so it
    // covers the same device-independent size) when there is one of exactly twice the size;
    // otherwise the normal picture. The reference stays valid until the picture is replaced or
    // the store cleared.
    static const QPixmap &picture(int id, qreal devicePixelRatio = 1.0);

    // Registers icon `id` from files of its sizes (e.g. the 32 x 32 and the 16 x 16 image); when
    // the application's device pixel ratio is above 1, their "@2x" variants too, where present.
    static void addIconFiles(int id, const QStringList &paths);
    static void addIcon(int id, const QIcon &icon);
    // The icon `id`; a null icon when unknown.
    static QIcon icon(int id);

    // Forgets every picture and icon.
    static void clear();
};

} // namespace dialogkit
