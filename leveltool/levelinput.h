// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/levelfile.h"

#include <filesystem>
#include <string>

namespace leveltool {

// A file the command line tools were given, read once with its problems told in words.
struct InputFile
{
    std::string error; // empty when the file could be used; else one line, e.g. "empty file"
    std::string bytes;
};

// The whole file, refused (with `error` set, `bytes` empty) when it is missing, a folder or other
// non-regular file, unreadable, larger than leveldata::MaxFileBytes, empty, or binary (a NUL byte
// or another control character than tab, line feed, form feed and carriage return).
[[nodiscard]] InputFile readTextFile(const std::filesystem::path &path);

struct LevelInput
{
    std::string error; // as above, or "not a level file (no [Layer] keys)"
    leveldata::EditorLevel level;
};

// A level file for checking, solving or exporting: readTextFile, then the level as the readers
// give it. A file without a single "Layer" value is refused rather than read as all Wall.
[[nodiscard]] LevelInput readLevelInput(const std::filesystem::path &path);

} // namespace leveltool
