// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/progress.h"

#include <algorithm>

namespace cobbleton {

std::size_t Progress::wonCount() const
{
    return static_cast<std::size_t>(
        std::count_if(m_best.begin(), m_best.end(), [](const auto &best) { return best.has_value(); }));
}

std::size_t Progress::openCount() const
{
    return std::min(CampaignSize, FirstOpenLevels + wonCount());
}

std::optional<std::size_t> Progress::firstOpenNotWon() const
{
    for (std::size_t level = 0; level < openCount(); ++level) {
        if (!isWon(level))
            return level;
    }
    return std::nullopt;
}

bool Progress::recordWin(std::size_t level, MoveCount count)
{
    if (level >= CampaignSize)
        return false;
    std::optional<MoveCount> &best = m_best[level];
    const MoveCount before = best.value_or(count);
    const MoveCount after{std::min(before.moves, count.moves), std::min(before.pushes, count.pushes)};
    if (best && after == *best)
        return false;
    best = after;
    return true;
}

} // namespace cobbleton
