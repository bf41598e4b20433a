// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

namespace dialogkit {

// Dialog units of the templates, which were laid out for an 8-point "MS Sans Serif":
// 1 horizontal unit = 1.5 pixels, 1 vertical unit = 1.625 pixels, rounded to the nearest pixel
// (halves away from zero). Pixels are Qt's logical pixels, so high-DPI screens scale through the
// device-pixel ratio.
int dluToPixelsX(int units);
int dluToPixelsY(int units);

// A template rectangle in client pixels. Its four edges are converted one by one, as the
// platform the templates come from does, so controls that touch in units touch in pixels.
QRect dluRect(int x, int y, int width, int height);

// A template size (a dialog's client area) in pixels.
QSize dluSize(int width, int height);

} // namespace dialogkit
