// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace cobbleton {

// The player's settings: the warning on at first, the others off.
struct GameSettings
{
    bool markPlaced = false; // an item and the player on a place get pictures of their own
    bool showCounts = false; // the strip under the board shows the level and its moves and pushes
    bool warnLost = true;    // the strip says when the position can no longer be won

    bool operator==(const GameSettings &) const = default;
};

// Every setting by the name it is stored under, in the order the settings dialog shows its check
// boxes (resources/cobbleton/windows.h, SettingsDialog). A new setting is a member above, a line
// here and a check box in the dialog's template.
struct SettingEntry
{
    std::string_view key;
    bool GameSettings::*member;
};
inline constexpr std::array<SettingEntry, 3> SettingEntries{{
    {"markPlaced", &GameSettings::markPlaced},
    {"showCounts", &GameSettings::showCounts},
    {"warnLost", &GameSettings::warnLost},
}};

} // namespace cobbleton
