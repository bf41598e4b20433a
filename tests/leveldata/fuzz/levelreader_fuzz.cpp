// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the level readers and to a save over them. Besides crashes it checks
// that a save changes only the keys it writes, that removing the covered places' section touches
// nothing else, and that a profile read after writes (a scan of the bytes) agrees with a fresh
// parse (the index).
#include "leveldata/levelfile.h"
#include "leveldata/profile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

std::string_view trimmed(std::string_view s)
{
    const std::size_t begin = std::min(s.find_first_not_of(" \t"), s.size());
    return s.substr(begin, s.find_last_not_of(" \t") + 1 - begin);
}

// Section and key names that appear in the input, a few of each.
void collectNames(std::string_view bytes, std::vector<std::string> &sections, std::vector<std::string> &keys)
{
    while (!bytes.empty() && (sections.size() < 8 || keys.size() < 8)) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        const std::string_view line = trimmed(bytes.substr(0, end));
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        if (line.starts_with('[') && line.find(']') != std::string_view::npos && sections.size() < 8)
            sections.emplace_back(trimmed(line.substr(1, line.find(']') - 1)));
        else if (line.find('=') != std::string_view::npos && keys.size() < 8)
            keys.emplace_back(trimmed(line.substr(0, line.find('='))));
    }
}

bool sameAscii(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&lower](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace leveldata;
    const std::string bytes(reinterpret_cast<const char *>(data), size);

    const GameLevel game = gameLevelFromBytes(bytes);
    const EditorLevel editor = editorLevelFromBytes(bytes);
    check(game.board == editor.board);
    check(game.victoryText == editor.info.victoryMessage);
    check(!game.playerCell || game.board[*game.playerCell] == Player);
    check(std::adjacent_find(game.placeList.begin(), game.placeList.end(), std::greater_equal<>())
          == game.placeList.end());
    for (CellIndex place : game.placeList) {
        const TileCode code = game.board[place];
        const bool covered = std::binary_search(editor.coveredPlaces.begin(), editor.coveredPlaces.end(), place);
        check(code == ItemPlace ? !covered : covered && (code == Item || code == Player));
    }
    check(std::includes(game.placeList.begin(), game.placeList.end(), editor.coveredPlaces.begin(),
                        editor.coveredPlaces.end()));

    std::vector<std::string> sections{"Layer", "TEXT", "MESTA", ""};
    std::vector<std::string> keys{"7", "text", "0"};
    collectNames(bytes, sections, keys);

    const Profile before(bytes);
    Profile after(bytes);
    after.write("Layer", "7", "4");
    after.write("TEXT", "text", " \"x\r\ny\" ");
    std::vector<CellIndex> covered = editor.coveredPlaces;
    covered.push_back(7);
    if (game.playerCell)
        covered.push_back(*game.playerCell);
    Board board = editor.board;
    board[7] = Item;
    const std::string coveredText = coveredPlacesText(covered, board);
    after.write("MESTA", "text", coveredText);
    const Profile reread(after.bytes());
    check(reread.read("layer", "7") == "4");
    check(reread.read("Text", "TEXT") == "x y");
    check(editorLevelFromBytes(after.bytes()).coveredPlaces == coveredPlacesFromText(coveredText, board));
    Profile removed(after.bytes());
    removed.removeSection("mesta");
    check(editorLevelFromBytes(removed.bytes()).coveredPlaces.empty());
    for (const std::string &s : sections) {
        for (const std::string &k : keys) {
            check(after.read(s, k) == reread.read(s, k));
            const bool written = (sameAscii(s, "Layer") && sameAscii(k, "7"))
                || (sameAscii(s, "TEXT") && sameAscii(k, "text")) || (sameAscii(s, "MESTA") && sameAscii(k, "text"));
            check(written || before.read(s, k) == reread.read(s, k));
            check(removed.read(s, k) == (sameAscii(s, "MESTA") ? "" : reread.read(s, k)));
        }
    }
    return 0;
}
