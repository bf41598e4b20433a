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
    // pairing uses a forbidden pair. n may be 0 (cost 0).
    int solve(int n, const std::vector<int> &cost);

private:
    std::vector<int> m_u, m_v, m_minv;
    std::vector<int> m_match, m_way;
    std::vector<char> m_used;
};

} // namespace levelsolver
