// SPDX-License-Identifier: GPL-3.0-or-later
// The fast text import target: reading, converting, exporting and importing again, thousands of
// inputs a second (see textimportcheck.h). textimportsolve_fuzz adds a short search per input.
#include "tests/leveltool/fuzz/textimportcheck.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    leveltool::checkTextImport(std::string_view(reinterpret_cast<const char *>(data), size), false);
    return 0;
}
