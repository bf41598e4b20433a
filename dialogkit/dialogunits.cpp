// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/dialogunits.h"

#include <cmath>

namespace dialogkit {

int dluToPixelsX(int units)
{
    return static_cast<int>(std::lround(units * 1.5));
}

int dluToPixelsY(int units)
{
    return static_cast<int>(std::lround(units * 1.625));
}

QRect dluRect(int x, int y, int width, int height)
{
    const int left = dluToPixelsX(x);
    const int top = dluToPixelsY(y);
    return QRect(left, top, dluToPixelsX(x + width) - left, dluToPixelsY(y + height) - top);
}

QSize dluSize(int width, int height)
{
    return QSize(dluToPixelsX(width), dluToPixelsY(height));
}

} // namespace dialogkit
