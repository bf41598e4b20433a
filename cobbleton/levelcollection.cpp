// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/levelcollection.h"

#include "leveldata/filebytes.h"
#include "leveltool/levelconvert.h"
#include "leveltool/levelinput.h"
#include "leveltool/textformat.h"

#include <algorithm>
#include <cstdint>
#include <system_error>

namespace cobbleton {

namespace fs = std::filesystem;

namespace {

std::string lowerExtension(const fs::path &path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return extension;
}

} // namespace

LevelCollection LevelCollection::folder(const fs::path &folder)
{
    LevelCollection collection;
    collection.m_source = folder;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (lowerExtension(it->path()) == ".lay" && it->is_regular_file(typeError))
            collection.m_files.push_back(it->path());
    }
    std::sort(collection.m_files.begin(), collection.m_files.end(),
              [](const fs::path &a, const fs::path &b) { return a.filename().native() < b.filename().native(); });
    return collection;
}

LevelCollection LevelCollection::around(const fs::path &file)
{
    LevelCollection collection = folder(file.parent_path());
    if (!collection.indexOf(file)) {
        collection.m_source = file.parent_path();
        collection.m_files = {file};
    }
    return collection;
}

std::optional<LevelCollection> LevelCollection::textFile(const fs::path &path)
{
    const leveltool::InputFile file = leveltool::readTextFile(path);
    if (!file.error.empty())
        return std::nullopt;
    LevelCollection collection;
    collection.m_isText = true;
    collection.m_source = path;
    const std::string digest = fileDigest(file.bytes);
    for (const leveltool::TextLevel &text : leveltool::parseTextLevels(file.bytes)) {
        const leveltool::Conversion conversion = leveltool::convertTextLevel(text);
        if (conversion.skip != leveltool::SkipReason::None)
            continue;
        leveldata::GameLevel level = leveldata::gameLevelOf(conversion.level.board, conversion.level.coveredPlaces);
        level.victoryText = conversion.level.info.victoryMessage;
        collection.m_textLevels.push_back({std::move(level), conversion.level.info.name, path, digest});
    }
    if (collection.m_textLevels.empty())
        return std::nullopt;
    return collection;
}

bool LevelCollection::isTextFile(const fs::path &path)
{
    const std::string extension = lowerExtension(path);
    return extension == ".xsb" || extension == ".sok" || extension == ".txt";
}

std::optional<std::size_t> LevelCollection::indexOf(const fs::path &path) const
{
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        if (m_files[i].filename() == path.filename())
            return i;
    }
    return std::nullopt;
}

std::optional<CollectionLevel> LevelCollection::load(std::size_t index) const
{
    if (index >= size())
        return std::nullopt;
    if (m_isText)
        return m_textLevels[index];
    // Read once, so the bytes found readable are the bytes played and fingerprinted.
    std::string bytes;
    const std::error_code error = leveldata::readFileBytes(m_files[index], bytes);
    if (error && error != std::errc::file_too_large)
        return std::nullopt;
    CollectionLevel level;
    level.path = m_files[index];
    level.digest = fileDigest(bytes);
    level.name = leveldata::editorLevelFromBytes(bytes).info.name;
    level.level = leveldata::gameLevelFromBytes(std::move(bytes));
    return level;
}

std::string fileDigest(std::string_view bytes)
{
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001b3u;
    }
    static constexpr char Digits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4)
        text[static_cast<std::size_t>(i)] = Digits[hash & 0xf];
    return text;
}

} // namespace cobbleton
