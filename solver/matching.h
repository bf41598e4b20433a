// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace levelsolver {

// The cheapest way to pair n rows with n columns, one each (the Hungarian method, O(n³)).
// Keeps its work arrays between calls, so one object per search thread.
class MinCostMatching
{
public:
    // A cost at least this large means "never pair these two".
    static constexpr int Infinite = 1 << 20;

    // `cost` holds n × n entries row by row, each 0 .. Infinite; finite entries must add up to
    // less than Infinite for any pairing. Returns the least total cost, or Infinite when every
    // pairing uses a forbidden pair. n may be 0 (cost 0). Remembers the pairing for
    // solveWithRowChanged.
    [[nodiscard]] int solve(int n, const std::vector<int> &cost);

    // The same for a matrix that differs from the one of the last solve() in row `row` only
    // (0 .. n-1), in O(n²): the remembered pairing less that row, and one search for a way to
    // pair it again. The remembered pairing stays as it was, for the next changed row.
    [[nodiscard]] int solveWithRowChanged(int row, const std::vector<int> &cost);

    // Takes the pairing `other` found last, with its duals, as if this object's last solve() had
    // found it, for solveWithRowChanged() on the same matrix; O(n).
    void startFrom(const MinCostMatching &other);

    // The pairing of the last solve() or solveWithRowChanged(): entry r is the column of row r.
    void pairing(std::vector<int> &columnOfRow) const;

private:
    // One phase of the method: pairs `row` (from 1) with a free column, keeping the duals.
    void addRow(int n, int row, const std::vector<int> &cost);
    int total(int n, const std::vector<int> &cost) const;

    int m_n = 0;
    std::vector<int> m_u, m_v, m_match;             // duals of rows and columns, row of each column
    std::vector<int> m_baseU, m_baseV, m_baseMatch; // as the last solve() left them
    std::vector<int> m_minv, m_way;
    std::vector<char> m_used;
};

} // namespace levelsolver
