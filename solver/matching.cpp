// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/matching.h"

#include <algorithm>
#include <climits>

namespace levelsolver {

int MinCostMatching::solve(int n, const std::vector<int> &cost)
{
    const auto size = static_cast<std::size_t>(n) + 1;
    m_u.assign(size, 0);
    m_v.assign(size, 0);
    m_match.assign(size, 0);
    m_way.assign(size, 0);
    const auto at = [&](int row, int column) {
        return cost[static_cast<std::size_t>((row - 1) * n + (column - 1))];
    };
    for (int row = 1; row <= n; ++row) {
        m_match[0] = row;
        int column0 = 0;
        m_minv.assign(size, INT_MAX);
        m_used.assign(size, 0);
        do {
            m_used[static_cast<std::size_t>(column0)] = 1;
            const int row0 = m_match[static_cast<std::size_t>(column0)];
            int delta = INT_MAX;
            int column1 = 0;
            for (int j = 1; j <= n; ++j) {
                const auto uj = static_cast<std::size_t>(j);
                if (m_used[uj])
                    continue;
                const int reduced = at(row0, j) - m_u[static_cast<std::size_t>(row0)] - m_v[uj];
                if (reduced < m_minv[uj]) {
                    m_minv[uj] = reduced;
                    m_way[uj] = column0;
                }
                if (m_minv[uj] < delta) {
                    delta = m_minv[uj];
                    column1 = j;
                }
            }
            for (int j = 0; j <= n; ++j) {
                const auto uj = static_cast<std::size_t>(j);
                if (m_used[uj]) {
                    m_u[static_cast<std::size_t>(m_match[uj])] += delta;
                    m_v[uj] -= delta;
                } else {
                    m_minv[uj] -= delta;
                }
            }
            column0 = column1;
        } while (m_match[static_cast<std::size_t>(column0)] != 0);
        do {
            const int column1 = m_way[static_cast<std::size_t>(column0)];
            m_match[static_cast<std::size_t>(column0)] = m_match[static_cast<std::size_t>(column1)];
            column0 = column1;
        } while (column0 != 0);
    }
    long long total = 0;
    for (int j = 1; j <= n; ++j)
        total += at(m_match[static_cast<std::size_t>(j)], j);
    return static_cast<int>(std::min<long long>(total, Infinite));
}

} // namespace levelsolver
