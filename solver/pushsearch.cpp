// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/pushsearch.h"

#include "solver/picorral.h"

#include <algorithm>
#include <functional>

namespace levelsolver {

namespace {

constexpr int FastCorralNodes = 400;
constexpr int OptimalCorralNodes = 2000;
// Fast mode orders positions by pushes + this × bound: quick to a solution, and not much longer.
constexpr std::uint64_t FastBoundWeight = 2;
constexpr std::uint64_t CheckEvery = 16; // expansions between clock and stop checks
// Room kept free for the open list to double into and for the corral check's table.
constexpr std::size_t OpenListReserve = std::size_t{4} << 20;

} // namespace

PushSearch::PushSearch(const Maze &maze, const SolveOptions &options)
    : m_maze(maze),
      m_options(options),
      m_start(std::chrono::steady_clock::now()),
      m_store(options.memoryLimitBytes > maze.memoryBytes() ? options.memoryLimitBytes - maze.memoryBytes() : 0),
      m_freeze(maze),
      m_corral(maze, options.mode == SolveMode::Fast ? FastCorralNodes : OptimalCorralNodes)
{ }

std::uint64_t PushSearch::keyOf(const CellSet &items, CellIndex player) const
{
    std::uint64_t key = m_maze.playerKey(player);
    items.forEach([&](CellIndex cell) { key ^= m_maze.itemKey(cell); });
    return key;
}

void PushSearch::fillCostRow(std::size_t row, CellIndex cell, CellIndex player, std::vector<int> &cost) const
{
    const std::size_t n = m_maze.placeList().size();
    const std::uint8_t sides = m_maze.sidesFrom(cell, player);
    const bool anySide = sides == m_maze.openSides(cell);
    for (std::size_t p = 0; p < n; ++p) {
        const std::uint16_t d = anySide ? m_maze.pushDistance(p, cell) : m_maze.pushDistance(p, cell, sides);
        cost[row * n + p] = d == Maze::Unreachable ? MinCostMatching::Infinite : d;
    }
}

// Rows follow the items in cell order.
int PushSearch::lowerBound(const CellSet &items, CellIndex player)
{
    const std::size_t n = m_maze.placeList().size();
    m_cost.resize(n * n);
    std::size_t row = 0;
    items.forEach([&](CellIndex cell) { fillCostRow(row++, cell, player, m_cost); });
    return m_matching.solve(static_cast<int>(n), m_cost);
}

std::size_t PushSearch::memoryBytes() const
{
    return m_maze.memoryBytes() + m_store.memoryBytes() + m_open.capacity() * sizeof(std::uint64_t)
        + m_corral.memoryBytes() + (m_cost.capacity() + m_childCost.capacity()) * sizeof(int);
}

// Queues a node by its priority: in optimal mode pushes + bound, ties to the smaller bound; in
// fast mode the bound weighs more than the pushes made (FastBoundWeight), which finds
// solutions far sooner.
bool PushSearch::queue(std::uint32_t index)
{
    const SearchNode &node = m_store[index];
    const std::uint64_t g = node.pushes, h = node.bound;
    const std::uint64_t priority = m_options.mode == SolveMode::Optimal
        ? ((g + h) << 8) | std::min<std::uint64_t>(h, 255)
        : ((g + FastBoundWeight * h) << 8) | std::min<std::uint64_t>(h, 255);
    if (m_open.size() == m_open.capacity()
        && memoryBytes() + 2 * m_open.capacity() * sizeof(std::uint64_t) > m_options.memoryLimitBytes) {
        m_stop = StopReason::MemoryLimit;
        return false;
    }
    m_open.push_back(priority << 32 | index);
    std::push_heap(m_open.begin(), m_open.end(), std::greater<>());
    return true;
}

void PushSearch::reportProgress() const
{
    if (m_options.progress) {
        m_options.progress->expanded.store(m_stats.expanded, std::memory_order_relaxed);
        m_options.progress->pushes.store(m_stats.pushes, std::memory_order_relaxed);
    }
}

bool PushSearch::outOfTime()
{
    reportProgress();
    if (m_options.stop.stop_requested())
        m_stop = StopReason::Cancelled;
    else if (std::chrono::steady_clock::now() - m_start >= m_options.timeLimit)
        m_stop = StopReason::TimeLimit;
    else if (memoryBytes() > m_options.memoryLimitBytes)
        m_stop = StopReason::MemoryLimit;
    return m_stop != StopReason::None;
}

PushSearch::Outcome PushSearch::run()
{
    Outcome outcome;
    const bool optimal = m_options.mode == SolveMode::Optimal;
    const CellSet &open = m_maze.open();
    const CellSet &places = m_maze.places();
    std::uint32_t goal = SearchNode::NoParent;

    const CellSet startItems = m_maze.startItems();
    const CellSet startReach = reachableFrom(m_maze.startPlayer(), open - startItems);
    const CellIndex startPlayer = startReach.first();
    int rootBound = lowerBound(startItems, startPlayer);
    // The pushes are checked as they are made; the start is checked here, item by item.
    startItems.forEach([&](CellIndex item) {
        if (m_freeze.isDeadlock(startItems, item) || m_corral.isDeadlock(startItems, startReach, item))
            rootBound = MinCostMatching::Infinite;
    });
    const auto root = m_store.findOrAdd(startItems, startPlayer, keyOf(startItems, startPlayer));
    if (!root)
        m_stop = StopReason::MemoryLimit;
    else if (places == startItems)
        goal = root->index;
    else if (rootBound < MinCostMatching::Infinite) {
        m_store[root->index].bound = static_cast<std::uint16_t>(rootBound);
        queue(root->index);
    }

    for (std::uint64_t round = 0; goal == SearchNode::NoParent && m_stop == StopReason::None && !m_open.empty();
         ++round) {
        if (round % CheckEvery == 0 && outOfTime())
            break;
        // The store may grow into whatever the other tables leave of the budget.
        const std::size_t others = memoryBytes() - m_store.memoryBytes() + OpenListReserve;
        m_store.setMemoryLimit(m_options.memoryLimitBytes > others ? m_options.memoryLimitBytes - others : 0);
        std::pop_heap(m_open.begin(), m_open.end(), std::greater<>());
        const auto index = static_cast<std::uint32_t>(m_open.back() & 0xFFFFFFFF);
        m_open.pop_back();
        SearchNode &node = m_store[index];
        if (node.flags & (SearchNode::Expanded | SearchNode::Lost))
            continue;
        node.flags |= SearchNode::Expanded;
        if (optimal && node.items == places) {
            goal = index;
            break;
        }
        ++m_stats.expanded;
        const CellSet items = node.items;
        const int childPushes = node.pushes + 1;
        const CellSet reach = reachableFrom(node.player, open - items);
        const PiCorral::Pushes only = PiCorral::pushesOf(m_maze, items, reach);
        if (only.lost) {
            m_store[index].flags |= SearchNode::Lost;
            continue;
        }

        // The parent's pairing, worked out for the first new child; each child changes it in the
        // row of the item it pushed only, as the player stays on the same side of every other item.
        bool parentPaired = false;
        const CellIndex parentPlayer = node.player;
        std::size_t row = 0;
        bool stopped = false;
        items.forEach([&](CellIndex item) {
            const std::size_t itemRow = row++;
            for (std::size_t side = 0; side < Steps.size() && !stopped && goal == SearchNode::NoParent; ++side) {
                const CellIndex step = Steps[side];
                const CellIndex behind = item - step;
                const CellIndex to = item + step;
                if (!leveldata::isOnBoard(behind) || !reach.test(behind) || !m_maze.isOpen(to) || items.test(to)
                    || m_maze.deadCells().test(to) || (only.restricted && !only.items[side].test(item)))
                    continue;
                ++m_stats.pushes;
                CellSet childItems = items;
                childItems.reset(item);
                childItems.set(to);
                if (m_freeze.isDeadlock(childItems, to))
                    continue;
                const CellSet childReach = reachableFrom(item, open - childItems);
                const CellIndex player = childReach.first();
                const auto found = m_store.findOrAdd(childItems, player, keyOf(childItems, player));
                if (!found) {
                    m_stop = StopReason::MemoryLimit;
                    stopped = true;
                    return;
                }
                SearchNode &child = m_store[found->index];
                if (!found->added) {
                    // A shorter way to a known position matters only for the fewest pushes; the
                    // bound is not consistent, so an expanded position may be opened again.
                    if (!optimal || (child.flags & SearchNode::Lost) || child.pushes <= childPushes)
                        continue;
                    child.flags &= static_cast<std::uint8_t>(~SearchNode::Expanded);
                } else {
                    if (!parentPaired) {
                        lowerBound(items, parentPlayer);
                        parentPaired = true;
                    }
                    m_childCost = m_cost;
                    fillCostRow(itemRow, to, player, m_childCost);
                    const int bound = m_matching.solveWithRowChanged(static_cast<int>(itemRow), m_childCost);
                    if (bound >= MinCostMatching::Infinite || m_corral.isDeadlock(childItems, childReach, to)) {
                        child.flags = SearchNode::Lost;
                        continue;
                    }
                    child.bound = static_cast<std::uint16_t>(std::min(bound, 0xFFFF));
                }
                child.pushes = static_cast<std::uint16_t>(childPushes);
                child.parent = index;
                child.pushedFrom = static_cast<std::uint8_t>(item);
                child.pushSide = static_cast<std::uint8_t>(side);
                if (!optimal && childItems == places) {
                    goal = found->index;
                    return;
                }
                if (!queue(found->index)) {
                    stopped = true;
                    return;
                }
            }
        });
    }

    reportProgress();
    if (goal != SearchNode::NoParent) {
        outcome.verdict = Verdict::Solved;
        outcome.optimal = optimal;
        for (std::uint32_t at = goal; m_store[at].parent != SearchNode::NoParent; at = m_store[at].parent)
            outcome.pushes.push_back({m_store[at].pushedFrom, m_store[at].pushSide});
        std::reverse(outcome.pushes.begin(), outcome.pushes.end());
        m_stop = StopReason::None;
    } else if (m_open.empty() && m_stop == StopReason::None) {
        outcome.verdict = Verdict::NoSolution;
    } else {
        outcome.verdict = Verdict::Unknown;
        if (m_stop == StopReason::None)
            m_stop = StopReason::TimeLimit;
    }
    outcome.stopReason = m_stop;
    m_stats.stored = m_store.size();
    m_stats.memoryBytes = memoryBytes();
    m_stats.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    outcome.stats = m_stats;
    return outcome;
}

} // namespace levelsolver
