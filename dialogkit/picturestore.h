// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <unordered_map>

namespace dialogkit {

// A program's picture and icon resources by id, each loaded once and shared by every control that
// shows it. The application owns one and hands it to its windows (Dialog); it registers its files
// at start-up (e.g. 131 -> ":/cobbleton/bitmap/131.bmp"), and a picture file is read on first use.
// A file may have a twice-as-large variant for screens of device pixel ratio 2, named with "@2x"
// before its extension (":/cobbleton/bitmap/131@2x.bmp"); it is only read when a ratio above 1
// asks for it. Pixmaps cannot outlive the QApplication, so neither can the store. GUI thread only.
class PictureStore
{
public:
    PictureStore() = default;
    PictureStore(const PictureStore &) = delete;
    PictureStore &operator=(const PictureStore &) = delete;

    // Registers (or replaces) picture `id` to be read from `path` (a file or ":/…" resource).
    void addPicture(int id, const QString &path);

    // The picture `id`; a null pixmap for NoPicture, an unknown id or an unreadable file.
    // For a devicePixelRatio above 1, the file's "@2x" variant (with device pixel ratio 2, so it
    // covers the same device-independent size) when there is one of exactly twice the size;
    // otherwise the normal picture. The reference stays valid until the picture is replaced or
    // the store goes.
    const QPixmap &picture(int id, qreal devicePixelRatio = 1.0) const;

    // Registers icon `id` from files of its sizes (e.g. the 32 x 32 and the 16 x 16 image); when
    // the application's device pixel ratio is above 1, their "@2x" variants too, where present.
    void addIconFiles(int id, const QStringList &paths);
    // The icon `id`; a null icon when unknown.
    QIcon icon(int id) const;

private:
    struct Entry
    {
        QString path;
        QPixmap pixmap;
        bool loaded = false;
        QPixmap sharp; // the "@2x" variant, read on first use at a ratio above 1
        bool sharpLoaded = false;
    };
    static const QPixmap &normalPicture(Entry &entry);

    // Filled as the pictures are first asked for.
    mutable std::unordered_map<int, Entry> m_pictures;
    std::unordered_map<int, QIcon> m_icons;
};

} // namespace dialogkit
