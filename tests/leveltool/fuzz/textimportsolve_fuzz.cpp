// SPDX-License-Identifier: GPL-3.0-or-later
// The text import target with a short search of the first level of each input (see
// textimportcheck.h): a few hundred inputs a second. The corpus replay makes the same checks.
#include "tests/leveltool/fuzz/textimportcheck.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    leveltool::checkTextImport(std::string_view(reinterpret_cast<const char *>(data), size), true);
    return 0;
}
