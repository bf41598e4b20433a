// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/gamestorage.h"

#include "leveldata/filebytes.h"
#include "leveldata/profile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>
#include <utility>

namespace cobbleton {

namespace fs = std::filesystem;
using leveldata::Profile;

namespace {

constexpr std::string_view HeadSection = "Cobbleton";
constexpr std::string_view VersionKey = "version";
constexpr int Version = 1;
constexpr std::string_view SettingsSection = "Settings";
constexpr std::string_view GameSection = "Game";

// Longer texts (paths, histories) are kept in parts of this many bytes, well within what a
// profile value holds.
constexpr std::size_t PartBytes = 150;

constexpr std::array<std::pair<LevelSource, std::string_view>, 4> SourceNames{{
    {LevelSource::Campaign, "campaign"},
    {LevelSource::MoreLevels, "more"},
    {LevelSource::Loaded, "loaded"},
    {LevelSource::TextFile, "text"},
}};

// A whole decimal number in [0, limit]; none for anything else.
std::optional<std::size_t> number(std::string_view text, std::size_t limit)
{
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() || value > limit)
        return std::nullopt;
    return value;
}

// Paths are any bytes; stored with everything but plain letters, digits and . / _ - as %XX, so
// no blank, quote or line break can be lost on the way back.
std::string encoded(std::string_view bytes)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9')
            || byte == '.' || byte == '/' || byte == '_' || byte == '-';
        if (plain) {
            text += c;
        } else {
            text += '%';
            text += Digits[byte >> 4];
            text += Digits[byte & 0xf];
        }
    }
    return text;
}

std::optional<std::string> decoded(std::string_view text)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            bytes += text[i];
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= text.size())
            return std::nullopt;
        const auto [end, error] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (error != std::errc() || end != text.data() + i + 3)
            return std::nullopt;
        bytes += static_cast<char>(value);
        i += 2;
    }
    return bytes;
}

void writeLong(Profile &profile, std::string_view section, std::string_view key, std::string_view value)
{
    const std::size_t parts = (value.size() + PartBytes - 1) / PartBytes;
    profile.write(section, std::string(key) + ".parts", std::to_string(parts));
    for (std::size_t i = 0; i < parts; ++i)
        profile.write(section, std::string(key) + "." + std::to_string(i), value.substr(i * PartBytes, PartBytes));
}

std::optional<std::string> readLong(const Profile &profile, std::string_view section, std::string_view key)
{
    const std::optional<std::size_t> parts = number(profile.read(section, std::string(key) + ".parts"), 1u << 20);
    if (!parts)
        return std::nullopt;
    std::string value;
    for (std::size_t i = 0; i < *parts; ++i) {
        const std::string part = profile.read(section, std::string(key) + "." + std::to_string(i));
        if (part.empty() || (part.size() != PartBytes && i + 1 < *parts))
            return std::nullopt;
        value += part;
    }
    return value;
}

Profile newFile()
{
    Profile profile;
    profile.write(HeadSection, VersionKey, std::to_string(Version));
    return profile;
}

// The file when it is ours and of this version; none when missing, unreadable or anything else.
std::optional<Profile> readFile(const fs::path &path)
{
    std::string bytes;
    if (leveldata::readFileBytes(path, bytes))
        return std::nullopt;
    Profile profile(std::move(bytes));
    if (number(profile.read(HeadSection, VersionKey), Version) != std::size_t{Version})
        return std::nullopt;
    return profile;
}

std::error_code writeFile(const fs::path &path, const Profile &profile)
{
    // A newer game's file stays: what it keeps would be lost.
    std::string bytes;
    if (!leveldata::readFileBytes(path, bytes)) {
        const std::optional<std::size_t> version =
            number(Profile(std::move(bytes)).read(HeadSection, VersionKey), ~std::size_t{0});
        if (version && *version > std::size_t{Version})
            return std::make_error_code(std::errc::file_exists);
    }
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    if (error)
        return error;
    return leveldata::replaceFileBytes(path, profile.bytes());
}

std::string levelSection(std::size_t level)
{
    return "Level " + std::to_string(level + 1);
}

} // namespace

GameStorage::GameStorage(fs::path configFolder, fs::path dataFolder)
    : m_config(std::move(configFolder)), m_data(std::move(dataFolder))
{ }

GameSettings GameStorage::readSettings() const
{
    GameSettings settings;
    if (const std::optional<Profile> file = readFile(settingsFile())) {
        for (const SettingEntry &entry : SettingEntries) {
            if (const std::optional<std::size_t> on = number(file->read(SettingsSection, entry.key), 1))
                settings.*entry.member = *on == 1;
        }
    }
    return settings;
}

std::error_code GameStorage::writeSettings(const GameSettings &settings) const
{
    Profile file = newFile();
    for (const SettingEntry &entry : SettingEntries)
        file.write(SettingsSection, entry.key, settings.*entry.member ? "1" : "0");
    return writeFile(settingsFile(), file);
}

Progress GameStorage::readProgress() const
{
    Progress progress;
    const std::optional<Profile> file = readFile(progressFile());
    if (!file)
        return progress;
    constexpr std::size_t Most = 1'000'000'000;
    for (std::size_t level = 0; level < CampaignSize; ++level) {
        const std::optional<std::size_t> moves = number(file->read(levelSection(level), "moves"), Most);
        const std::optional<std::size_t> pushes = number(file->read(levelSection(level), "pushes"), Most);
        if (moves && pushes && *pushes <= *moves)
            static_cast<void>(progress.recordWin(level, {static_cast<int>(*moves), static_cast<int>(*pushes)}));
    }
    return progress;
}

std::error_code GameStorage::writeProgress(const Progress &progress) const
{
    Profile file = newFile();
    for (std::size_t level = 0; level < CampaignSize; ++level) {
        if (const std::optional<MoveCount> &best = progress.best(level)) {
            file.write(levelSection(level), "moves", std::to_string(best->moves));
            file.write(levelSection(level), "pushes", std::to_string(best->pushes));
        }
    }
    return writeFile(progressFile(), file);
}

std::optional<SavedGame> GameStorage::readSavedGame() const
{
    const std::optional<Profile> file = readFile(savedGameFile());
    if (!file)
        return std::nullopt;
    SavedGame game;
    const std::string source = file->read(GameSection, "source");
    const auto named =
        std::find_if(SourceNames.begin(), SourceNames.end(), [&](const auto &entry) { return entry.second == source; });
    const std::optional<std::string> path = readLong(*file, GameSection, "path");
    const std::optional<std::string> steps = readLong(*file, GameSection, "steps");
    const std::optional<std::string> plainPath = path ? decoded(*path) : std::nullopt;
    const std::optional<std::size_t> index = number(file->read(GameSection, "index"), 1u << 30);
    const std::optional<std::size_t> undoable = number(file->read(GameSection, "undoable"), steps ? steps->size() : 0);
    game.digest = file->read(GameSection, "digest");
    if (named == SourceNames.end() || !plainPath || plainPath->empty() || !steps || !index || !undoable
        || game.digest.size() != 16 || steps->find_first_not_of("lrudLRUDx") != std::string::npos)
        return std::nullopt;
    game.source = named->first;
    game.path = fs::path(std::u8string(plainPath->begin(), plainPath->end()));
    game.index = *index;
    game.steps = *steps;
    game.undoable = *undoable;
    return game;
}

std::error_code GameStorage::writeSavedGame(const SavedGame &game) const
{
    Profile file = newFile();
    for (const auto &[source, name] : SourceNames) {
        if (source == game.source)
            file.write(GameSection, "source", name);
    }
    const std::u8string path = game.path.u8string();
    writeLong(file, GameSection, "path", encoded(std::string(path.begin(), path.end())));
    file.write(GameSection, "index", std::to_string(game.index));
    file.write(GameSection, "digest", game.digest);
    writeLong(file, GameSection, "steps", game.steps);
    file.write(GameSection, "undoable", std::to_string(game.undoable));
    return writeFile(savedGameFile(), file);
}

} // namespace cobbleton
