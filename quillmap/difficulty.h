// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace quillmap {

// The seven difficulty entries of the level-information dialogs, in list order. A level stores
// the text of the chosen entry (UTF-8 in memory), never its index.
inline constexpr std::array<std::string_view, 7> DifficultyEntries = {
    "Тестовый", "Очень легкий", "Легкий", "Средний", "Тяжелый", "Очень тяжелый", "Нереально сложный",
};

// Index of the entry whose text equals `text` exactly (case-sensitive, whole text); none when no
// entry matches, e.g. for an empty text or one read from a foreign file.
constexpr std::optional<int> difficultyIndex(std::string_view text)
{
    for (std::size_t i = 0; i < DifficultyEntries.size(); ++i) {
        if (DifficultyEntries[i] == text)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

} // namespace quillmap
