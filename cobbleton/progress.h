// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cobbleton/gamestate.h"

#include <array>
#include <cstddef>
#include <optional>

namespace cobbleton {

// The ten levels the game's menu offers ("Уровень 1" … "Уровень 10").
inline constexpr std::size_t CampaignSize = 10;
// Open before any level is won; each level won for the first time opens one more.
inline constexpr std::size_t FirstOpenLevels = 3;

// The player's way through the ten levels: which are won, with the fewest moves and the fewest
// pushes of any win of each (the two need not come from the same win). Plain C++.
class Progress
{
public:
    // Indexes 0 .. CampaignSize - 1; any other index is never won or open.
    bool isWon(std::size_t level) const { return level < CampaignSize && m_best[level].has_value(); }
    const std::optional<MoveCount> &best(std::size_t level) const { return m_best.at(level); }
    std::size_t wonCount() const;

    // The open levels are always the first min(CampaignSize, FirstOpenLevels + levels won).
    std::size_t openCount() const;
    bool isOpen(std::size_t level) const { return level < openCount(); }

    // The first open level not won yet; none when every open level is won.
    std::optional<std::size_t> firstOpenNotWon() const;

    // A win of `level` with `count`: the level is won and its fewest moves and pushes are kept.
    // Returns whether anything changed (false for an index out of range or no better count).
    bool recordWin(std::size_t level, MoveCount count);

    bool operator==(const Progress &) const = default;

private:
    std::array<std::optional<MoveCount>, CampaignSize> m_best{};
};

} // namespace cobbleton
