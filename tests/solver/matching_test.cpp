// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/matching.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

using levelsolver::MinCostMatching;

namespace {

// Every pairing tried: the answer for small matrices.
int cheapestByTrying(int n, const std::vector<int> &cost)
{
    std::vector<int> columns(static_cast<std::size_t>(n));
    std::iota(columns.begin(), columns.end(), 0);
    int best = MinCostMatching::Infinite;
    do {
        int sum = 0;
        for (int row = 0; row < n; ++row)
            sum = std::min(sum + cost[static_cast<std::size_t>(row * n + columns[static_cast<std::size_t>(row)])],
                           MinCostMatching::Infinite);
        best = std::min(best, sum);
    } while (std::next_permutation(columns.begin(), columns.end()));
    return best;
}

std::vector<int> randomCosts(std::mt19937 &random, int n)
{
    std::vector<int> cost(static_cast<std::size_t>(n * n));
    for (int &c : cost)
        c = random() % 5 == 0 ? MinCostMatching::Infinite : static_cast<int>(random() % 40);
    return cost;
}

} // namespace

// Forbidden pairs included, so that some matrices have no pairing at all. A pairing handed on
// (startFrom) after a changed row serves as a solved one for the next change.
TEST(MinCostMatching, CheapestPairingAlsoAfterARowChanges)
{
    std::mt19937 random(2024);
    MinCostMatching matching, handedOn, fresh;
    const auto changeRow = [&random](const std::vector<int> &cost, int n, int &row) {
        std::vector<int> changed = cost;
        row = static_cast<int>(random() % static_cast<unsigned>(n));
        const std::vector<int> newRow = randomCosts(random, n);
        std::copy_n(newRow.begin(), n, changed.begin() + row * n);
        return changed;
    };
    for (int round = 0; round < 400; ++round) {
        const int n = 1 + round % 7;
        std::vector<int> cost = randomCosts(random, n);
        ASSERT_EQ(matching.solve(n, cost), cheapestByTrying(n, cost)) << "round " << round;
        for (int change = 0; change < 3; ++change) {
            int row = 0;
            const std::vector<int> changed = changeRow(cost, n, row);
            EXPECT_EQ(matching.solveWithRowChanged(row, changed), cheapestByTrying(n, changed))
                << "round " << round << ", row " << row;
            handedOn.startFrom(matching);
            const std::vector<int> again = changeRow(changed, n, row);
            EXPECT_EQ(handedOn.solveWithRowChanged(row, again), cheapestByTrying(n, again))
                << "round " << round << ", handed on, row " << row;
        }
    }
    EXPECT_EQ(fresh.solve(0, {}), 0);
}
