// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace leveldata {

// Windows-1251 (Cyrillic) <-> UTF-8, used only where text crosses into or out of a file.
//
// Every byte 0x00..0xFF decodes to exactly one character and encodes back to the same byte.
// 0x98, which the code page leaves unassigned, stands for U+0098.

// Decodes Windows-1251 bytes into UTF-8. Never fails.
std::string cp1251ToUtf8(std::string_view bytes);

// Encodes UTF-8 text into Windows-1251 bytes. A character the code page lacks becomes '?', as the
// platform's ANSI conversion does; so does each ill-formed UTF-8 sequence (maximal subpart).
std::string utf8ToCp1251(std::string_view text);

} // namespace leveldata
