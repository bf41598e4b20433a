// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/matching.h"

#include <algorithm>
#include <climits>

namespace levelsolver {

// Rows and columns count from 1 here; column 0 stands for the row being added.
void MinCostMatching::addRow(int n, int row, const std::vector<int> &cost)
{
    const auto size = static_cast<std::size_t>(n) + 1;
    const auto at = [&](int r, int column) { return cost[static_cast<std::size_t>((r - 1) * n + (column - 1))]; };
    m_match[0] = row;
    int column0 = 0;
    m_minv.assign(size, INT_MAX);
    m_used.assign(size, 0);
    m_way.assign(size, 0);
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

int MinCostMatching::total(int n, const std::vector<int> &cost) const
{
    long long sum = 0;
    for (int j = 1; j <= n; ++j)
        sum += cost[static_cast<std::size_t>((m_match[static_cast<std::size_t>(j)] - 1) * n + (j - 1))];
    return static_cast<int>(std::min<long long>(sum, Infinite));
}

void MinCostMatching::pairing(std::vector<int> &columnOfRow) const
{
    columnOfRow.assign(static_cast<std::size_t>(m_n), -1);
    for (int j = 1; j <= m_n; ++j) {
        if (const int row = m_match[static_cast<std::size_t>(j)]; row > 0)
            columnOfRow[static_cast<std::size_t>(row - 1)] = j - 1;
    }
}

int MinCostMatching::solve(int n, const std::vector<int> &cost)
{
    const auto size = static_cast<std::size_t>(n) + 1;
    m_n = n;
    m_u.assign(size, 0);
    m_v.assign(size, 0);
    m_match.assign(size, 0);
    for (int row = 1; row <= n; ++row)
        addRow(n, row, cost);
    m_baseU = m_u;
    m_baseV = m_v;
    m_baseMatch = m_match;
    return total(n, cost);
}

void MinCostMatching::startFrom(const MinCostMatching &other)
{
    m_n = other.m_n;
    m_baseU = other.m_u;
    m_baseV = other.m_v;
    m_baseMatch = other.m_match;
}

// The duals stay feasible for the other rows, whose pairs stay tight; the changed row starts from
// a dual of 0, feasible as every column dual is at most 0. One phase then finds the cheapest way
// to pair it, which makes the whole pairing the cheapest again.
int MinCostMatching::solveWithRowChanged(int row, const std::vector<int> &cost)
{
    const int n = m_n;
    m_u = m_baseU;
    m_v = m_baseV;
    m_match = m_baseMatch;
    const int changed = row + 1;
    for (int j = 1; j <= n; ++j) {
        if (m_match[static_cast<std::size_t>(j)] == changed)
            m_match[static_cast<std::size_t>(j)] = 0;
    }
    m_u[static_cast<std::size_t>(changed)] = 0;
    addRow(n, changed, cost);
    return total(n, cost);
}

} // namespace levelsolver
