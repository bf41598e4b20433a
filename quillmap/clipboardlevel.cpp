// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/clipboardlevel.h"

#include "leveltool/levelconvert.h"
#include "leveltool/textformat.h"

#include <vector>

namespace quillmap {

std::optional<std::string> clipboardTextOf(const leveldata::Board &board, const leveldata::LevelInfo &info)
{
    leveltool::TextLevel level;
    std::string error;
    if (!leveltool::textLevelOf({board, info}, level, error))
        return std::nullopt;
    std::string text = "Title: " + info.name + '\n';
    if (!info.author.empty())
        text += "; " + info.author + '\n';
    // The texts stand above the board, not below it as in a file of many levels.
    level.title.clear();
    level.author.clear();
    return text + leveltool::formatTextLevel(level);
}

PastedLevel pastedLevelOf(std::string_view text)
{
    const std::vector<leveltool::TextLevel> levels = leveltool::parseTextLevels(text);
    if (levels.empty())
        return {};
    const leveltool::Conversion conversion = leveltool::convertTextLevel(levels.front());
    switch (conversion.skip) {
    case leveltool::SkipReason::None: break;
    case leveltool::SkipReason::TooLarge: return {PastedLevel::Outcome::TooLarge, {}, {}, conversion.detail};
    default: return {PastedLevel::Outcome::NotUsable, {}, {}, {}};
    }
    return {PastedLevel::Outcome::Pasted, conversion.level.board, levels.front().title, {}};
}

} // namespace quillmap
