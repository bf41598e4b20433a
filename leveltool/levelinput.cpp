// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveltool/levelinput.h"

#include "leveldata/filebytes.h"
#include "leveldata/profile.h"

#include <algorithm>

namespace leveltool {

using namespace leveldata;

InputFile readTextFile(const std::filesystem::path &path)
{
    InputFile file;
    if (const std::error_code error = readFileBytes(path, file.bytes); error) {
        if (error == std::errc::no_such_file_or_directory)
            file.error = "no such file";
        else if (error == std::errc::is_a_directory)
            file.error = "is a folder, not a file";
        else if (error == std::errc::file_too_large)
            file.error = "larger than " + std::to_string(MaxFileBytes >> 20) + " MiB";
        else if (error == std::errc::invalid_argument)
            file.error = "not a regular file";
        else
            file.error = error.message();
    } else if (file.bytes.empty()) {
        file.error = "empty file";
    } else if (std::any_of(file.bytes.begin(), file.bytes.end(), [](char c) {
                   const auto u = static_cast<unsigned char>(c);
                   return u < 0x20 && u != '\t' && u != '\n' && u != '\f' && u != '\r';
               })) {
        file.error = "binary data, not a text file";
    }
    if (!file.error.empty())
        file.bytes.clear();
    return file;
}

LevelInput readLevelInput(const std::filesystem::path &path)
{
    LevelInput input;
    InputFile file = readTextFile(path);
    if (!file.error.empty()) {
        input.error = file.error;
        return input;
    }
    const Profile profile(file.bytes);
    bool anyCell = false;
    for (CellIndex i = 0; i < CellCount && !anyCell; ++i)
        anyCell = !profile.read(LayerSection, std::to_string(i)).empty();
    if (!anyCell) {
        input.error = "not a level file (no [Layer] values)";
        return input;
    }
    input.level = editorLevelFromBytes(std::move(file.bytes));
    return input;
}

} // namespace leveltool
