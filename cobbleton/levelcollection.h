// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/levelfile.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace cobbleton {

// One level of a collection, read and ready to play.
struct CollectionLevel
{
    leveldata::GameLevel level;
    std::string name;           // the level's own name (UTF-8), empty when it has none
    std::filesystem::path path; // the file it came from: the level file, or the text file
    std::string digest;         // of that file's bytes (fileDigest), to see later whether it changed
};

// A sequence of levels played one after the other: the .lay files of a folder in name order, or
// the levels of a text file in the standard text format (.xsb, .sok, .txt) that fit the board.
// A folder's files are read when a level is loaded, so a file changed meanwhile is read as it is
// then; a text file is read once, when the collection is made. Plain C++.
class LevelCollection
{
public:
    LevelCollection() = default; // no levels

    // The regular files named *.lay (any case) in `folder`, in byte order of their names; none when
    // the folder cannot be listed.
    static LevelCollection folder(const std::filesystem::path &folder);

    // The folder collection of the level file `file` when it is one of the folder's .lay files,
    // else a collection of that file alone. Either way indexOf(file) finds it.
    static LevelCollection around(const std::filesystem::path &file);

    // The levels of the text file at `path` that become a level file by the importer's rules,
    // in file order, without writing anything. Nothing when the file cannot be read (missing,
    // unreadable, binary, too large) or holds no such level.
    static std::optional<LevelCollection> textFile(const std::filesystem::path &path);

    // Whether `path` names a text collection by its extension (.xsb, .sok, .txt, any case).
    static bool isTextFile(const std::filesystem::path &path);

    std::size_t size() const { return m_isText ? m_textLevels.size() : m_files.size(); }
    bool isText() const { return m_isText; }
    const std::filesystem::path &source() const { return m_source; } // the folder or the text file

    // The position of the level file `path` in a folder collection (compared by file name).
    std::optional<std::size_t> indexOf(const std::filesystem::path &path) const;

    // Level `index`, read now for a folder: nothing when the index is out of range or its file
    // cannot be read (missing, a directory, unreadable).
    std::optional<CollectionLevel> load(std::size_t index) const;

private:
    bool m_isText = false;
    std::filesystem::path m_source;
    std::vector<std::filesystem::path> m_files; // a folder's
    std::vector<CollectionLevel> m_textLevels;  // a text file's
};

// A short fingerprint of `bytes` (64-bit FNV-1a as 16 hexadecimal digits), the same on every
// platform and in every version of the program.
std::string fileDigest(std::string_view bytes);

} // namespace cobbleton
