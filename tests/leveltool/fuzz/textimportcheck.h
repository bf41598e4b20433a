// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace leveltool {

// What the text import fuzz targets check, and the corpus replay with them. Reads `bytes` as a
// text level file and converts every level found; aborts unless each converted level is one the
// editor could save (one player, as many items as places, a closed ring, nothing unreachable) and
// exporting, importing and exporting it again gives the same text. With `solve`, also searches the
// first such level for 5 ms and aborts unless a solution found wins in the game: a few hundred
// inputs a second, against thousands without.
void checkTextImport(std::string_view bytes, bool solve);

} // namespace leveltool
