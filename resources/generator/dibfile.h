// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// Writers for the Windows device-independent bitmap formats the programs ship: BMP files with a
// BITMAPINFOHEADER (bottom-up rows, each padded to 4 bytes) and ICO files of 16-colour images.
// Qt's own writers pick the depth themselves; these write exactly the depth asked for.

// A 24-bit BMP of `image` (any format; alpha is dropped). Empty for a null image.
QByteArray bmp24(const QImage &image);

// A 4-bit BMP of `image`, which must be Format_Indexed8 with at most 16 colours in its table;
// the palette is written with 16 entries (unused ones black). Empty for any other image.
QByteArray bmp4(const QImage &image);

// An ICO file holding `images` in the given order, each a Format_Indexed8 image of at most
// 16 colours and at most 256 x 256 pixels. A colour-table entry with alpha 0 is transparent:
// it goes to the AND mask and is stored as black. Empty if any image does not fit.
QByteArray ico4(const QList<QImage> &images);
