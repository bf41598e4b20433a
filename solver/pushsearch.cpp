// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/pushsearch.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace levelsolver {

namespace {

constexpr int FastCorralNodes = 400;
constexpr int OptimalCorralNodes = 2000;
// Fast mode orders positions by pushes + this × bound: quick to a solution, and not much longer.
constexpr std::uint64_t FastBoundWeight = 2;
constexpr std::uint64_t CheckEvery = 16;   // expansions between clock and stop checks
constexpr std::uint64_t FirstPhase = 1024; // positions taken from the open list in the first phase
// Room kept free for the open list to double into and for the corral check's table.
constexpr std::size_t OpenListReserve = std::size_t{4} << 20;

} // namespace

PushSearch::PushSearch(const Maze &maze, const SolveOptions &options, TieOrder order)
    : m_maze(maze),
      m_options(options),
      m_order(order),
      m_start(std::chrono::steady_clock::now()),
      m_store(options.memoryLimitBytes > maze.memoryBytes() ? options.memoryLimitBytes - maze.memoryBytes() : 0),
      m_freeze(maze),
      m_corral(maze, options.mode == SolveMode::Fast ? FastCorralNodes : OptimalCorralNodes)
{
    // The closer bounds pay for their time in Optimal mode only; in Fast mode they slowed the
    // search down more than they steered it.
    if (options.mode == SolveMode::Optimal) {
        m_filledPlaces.emplace(maze);
        m_placePairs.emplace(maze);
        if (m_placePairs->empty())
            m_placePairs.reset();
    }
    m_phaseEnd = order == TieOrder::Varied ? FirstPhase : std::numeric_limits<std::uint64_t>::max();
}

std::uint64_t PushSearch::keyOf(const CellSet &items, CellIndex player) const
{
    std::uint64_t key = m_maze.playerKey(player);
    for (const CellIndex cell : items)
        key ^= m_maze.itemKey(cell);
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
    for (const CellIndex cell : items)
        fillCostRow(row++, cell, player, m_cost);
    return m_matching.solve(static_cast<int>(n), m_cost);
}

void PushSearch::setRowCells(const CellSet &items)
{
    m_rowCells.clear();
    for (const CellIndex cell : items)
        m_rowCells.push_back(cell);
}

int PushSearch::closerBound(CellIndex player, int plain)
{
    int bound = plain;
    if (m_filledPlaces)
        bound = m_filledPlaces->improve(m_rowCells, player, m_cost, m_matching, plain);
    if (m_placePairs)
        bound = std::max(bound, m_placePairs->improve(m_rowCells, player, m_cost, m_matching, plain));
    return bound;
}

std::size_t PushSearch::memoryBytes() const
{
    return m_maze.memoryBytes() + m_store.memoryBytes() + m_open.capacity() * sizeof(std::uint64_t)
        + m_corral.memoryBytes() + (m_filledPlaces ? m_filledPlaces->memoryBytes() : 0)
        + (m_placePairs ? m_placePairs->memoryBytes() : 0) + (m_cost.capacity() + m_childCost.capacity()) * sizeof(int);
}

// The entry of a node on the open list (layout at m_open). In Optimal mode the priority is
// pushes + bound, in Fast mode the bound weighs more than the pushes made (FastBoundWeight), which
// finds solutions far sooner; ties go to the smaller bound. Among positions as good as that, the
// order decides how soon a search whose bound is exact dives down to a win, and no one order is
// best on every level. TieOrder::Varied: the push of the item the last push moved comes first
// (one item goes on its way instead of every interleaving of two), then, in even phases, the
// newest position, and in odd ones an order drawn from the position's key, a new one each phase
// (see nextPhase()). TieOrder::NewestFirst: the newest position alone.
// Ties never change the fewest pushes: A* finds them whatever it does among equal priorities.
std::uint64_t PushSearch::openEntry(std::uint32_t index) const
{
    const SearchNode &node = m_store[index];
    const std::uint64_t g = node.pushes, h = node.bound;
    const std::uint64_t f = m_options.mode == SolveMode::Optimal ? g + h : g + FastBoundWeight * h;
    std::uint64_t tie = 0x80;
    if (m_order == TieOrder::Varied && node.parent != SearchNode::NoParent) {
        const SearchNode &parent = m_store[node.parent];
        if (parent.parent != SearchNode::NoParent && node.pushedFrom == parent.pushedFrom + Steps[parent.pushSide])
            tie = 0;
    }
    if (m_phase % 2 == 1)
        tie |= (keyOf(node.items, leveldata::CellIndex{node.player}) * (m_phase + 1)) >> 57;
    const std::uint64_t priority =
        (std::min<std::uint64_t>(f, 0xFFFF) << 16) | (std::min<std::uint64_t>(h, 255) << 8) | tie;
    return priority << 32 | (SearchNode::NoParent - index);
}

std::uint32_t PushSearch::nodeOf(std::uint64_t entry)
{
    return SearchNode::NoParent - static_cast<std::uint32_t>(entry & 0xFFFFFFFF);
}

bool PushSearch::queue(std::uint32_t index)
{
    if (m_open.size() == m_open.capacity()
        && memoryBytes() + 2 * m_open.capacity() * sizeof(std::uint64_t) > m_options.memoryLimitBytes) {
        m_stop = StopReason::MemoryLimit;
        return false;
    }
    m_open.push_back(openEntry(index));
    std::push_heap(m_open.begin(), m_open.end(), std::greater<>());
    return true;
}

// Each phase takes as many positions as all before it, so every order gets its share of the time
// within a factor of two; the positions already expanded leave the list on the way.
void PushSearch::nextPhase()
{
    ++m_phase;
    m_phaseEnd = 2 * m_popped;
    std::size_t kept = 0;
    for (const std::uint64_t entry : m_open) {
        const std::uint32_t index = nodeOf(entry);
        if (!(m_store[index].flags & (SearchNode::Expanded | SearchNode::Lost)))
            m_open[kept++] = openEntry(index);
    }
    m_open.resize(kept);
    std::make_heap(m_open.begin(), m_open.end(), std::greater<>());
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
    // Step 1. Seed the queue with the start position.
    Expansion next = seedRoot();

    // Step 2. Expand the most promising position, again and again, until a position is won, a
    // limit is reached or no position is left to expand.
    for (std::uint64_t round = 0; next == Expansion::Continue && !m_open.empty(); ++round) {
        if (round % CheckEvery == 0 && outOfTime())
            break;
        next = expand(popBest());
    }

    // Step 3. Give the verdict, with the solution of a won position.
    return finish();
}

// The start is checked here item by item; every later position is checked by the push that makes it.
PushSearch::Expansion PushSearch::seedRoot()
{
    const CellSet items = m_maze.startItems();
    const CellSet reach = reachableFrom(m_maze.startPlayer(), m_maze.open() - items);
    const CellIndex player = reach.first();
    int bound = lowerBound(items, player);
    setRowCells(items);
    if (bound < MinCostMatching::Infinite)
        bound = closerBound(player, bound);
    for (const CellIndex item : items) {
        if (m_freeze.isDeadlock(items, item) || m_corral.isDeadlock(items, reach, item))
            bound = MinCostMatching::Infinite;
    }
    const auto root = m_store.findOrAdd(items, player, keyOf(items, player));
    if (!root) {
        m_stop = StopReason::MemoryLimit;
        return Expansion::Stop;
    }
    if (items == m_maze.places()) {
        m_goal = root->index;
        return Expansion::Goal;
    }
    if (bound >= MinCostMatching::Infinite)
        return Expansion::Continue; // lost from the start: the queue stays empty
    m_store[root->index].bound = static_cast<std::uint16_t>(bound);
    return queue(root->index) ? Expansion::Continue : Expansion::Stop;
}

std::uint32_t PushSearch::popBest()
{
    // The store may grow into whatever the other tables leave of the budget.
    const std::size_t others = memoryBytes() - m_store.memoryBytes() + OpenListReserve;
    m_store.setMemoryLimit(m_options.memoryLimitBytes > others ? m_options.memoryLimitBytes - others : 0);
    std::pop_heap(m_open.begin(), m_open.end(), std::greater<>());
    const std::uint32_t index = nodeOf(m_open.back());
    m_open.pop_back();
    if (++m_popped == m_phaseEnd)
        nextPhase();
    return index;
}

PushSearch::Expansion PushSearch::expand(std::uint32_t index)
{
    SearchNode &node = m_store[index];

    // Step 1. A position queued again (a shorter way reached it) is expanded at its first pop only;
    // a lost one never.
    if (node.flags & (SearchNode::Expanded | SearchNode::Lost))
        return Expansion::Continue;

    // Step 2. In Optimal mode a win counts when it leaves the queue: no cheaper position is left.
    const bool optimal = m_options.mode == SolveMode::Optimal;
    if (optimal && node.items == m_maze.places()) {
        m_goal = index;
        return Expansion::Goal;
    }

    // Step 3. The closer bound of a position queued with the plain one; when it is higher, the
    // position goes back on the queue in its new place.
    Parent parent{index, node.items, node.player, {}, {}, node.pushes + 1};
    if (node.flags & SearchNode::Unrefined) {
        node.flags &= static_cast<std::uint8_t>(~SearchNode::Unrefined);
        const int plain = lowerBound(parent.items, parent.player);
        setRowCells(parent.items);
        parent.paired = true;
        if (const int bound = closerBound(parent.player, plain); bound >= MinCostMatching::Infinite) {
            node.flags |= SearchNode::Lost;
            return Expansion::Continue;
        } else if (bound > node.bound) {
            node.bound = static_cast<std::uint16_t>(std::min(bound, 0xFFFF));
            return queue(index) ? Expansion::Continue : Expansion::Stop;
        }
    }
    node.flags |= SearchNode::Expanded;
    ++m_stats.expanded;

    // Step 4. PI-corral pruning: the pushes worth trying, or none at all.
    parent.reach = reachableFrom(parent.player, m_maze.open() - parent.items);
    parent.only = PiCorral::pushesOf(m_maze, parent.items, parent.reach);
    if (parent.only.lost) {
        node.flags |= SearchNode::Lost;
        return Expansion::Continue;
    }

    // Step 5. Every push the player can make of every item, onto a cell from which a place can
    // still be reached; the rows of the pairing follow the items in cell order.
    std::size_t row = 0;
    for (const CellIndex item : parent.items) {
        for (std::size_t side = 0; side < Steps.size(); ++side) {
            const CellIndex behind = item - Steps[side];
            const CellIndex to = item + Steps[side];
            if (!leveldata::isOnBoard(behind) || !parent.reach.test(behind) || !m_maze.isOpen(to)
                || parent.items.test(to) || m_maze.deadCells().test(to)
                || (parent.only.restricted && !parent.only.items[side].test(item)))
                continue;
            if (const Expansion next = tryPush(parent, item, row, side); next != Expansion::Continue)
                return next;
        }
        ++row;
    }
    return Expansion::Continue;
}

PushSearch::Expansion PushSearch::tryPush(Parent &parent, CellIndex item, std::size_t row, std::size_t side)
{
    const bool optimal = m_options.mode == SolveMode::Optimal;
    const CellIndex to = item + Steps[side];
    ++m_stats.pushes;

    // Step 1. Freeze deadlock of the pushed item.
    CellSet childItems = parent.items;
    childItems.reset(item);
    childItems.set(to);
    if (m_freeze.isDeadlock(childItems, to))
        return Expansion::Continue;

    // Step 2. The position after the push, from the transposition table.
    const CellSet childReach = reachableFrom(item, m_maze.open() - childItems);
    const CellIndex player = childReach.first();
    const auto found = m_store.findOrAdd(childItems, player, keyOf(childItems, player));
    if (!found) {
        m_stop = StopReason::MemoryLimit;
        return Expansion::Stop;
    }
    SearchNode &child = m_store[found->index];

    // Step 3. A known position matters again only when reached by fewer pushes, and only for
    // the fewest pushes; the bound is not consistent, so an expanded position may be opened
    // again. A new one gets its bound, or is lost when it has none or a corral deadlock.
    if (!found->added) {
        if (!optimal || (child.flags & SearchNode::Lost) || child.pushes <= parent.childPushes)
            return Expansion::Continue;
        child.flags &= static_cast<std::uint8_t>(~SearchNode::Expanded);
    } else {
        // The parent's pairing, worked out for its first new child; each child changes it in the
        // row of the item it pushed only, as the player stays on the same side of every other item.
        if (!parent.paired) {
            lowerBound(parent.items, parent.player);
            parent.paired = true;
        }
        m_childCost = m_cost;
        fillCostRow(row, to, player, m_childCost);
        const int bound = m_matching.solveWithRowChanged(static_cast<int>(row), m_childCost);
        if (bound >= MinCostMatching::Infinite || m_corral.isDeadlock(childItems, childReach, to)) {
            child.flags = SearchNode::Lost;
            return Expansion::Continue;
        }
        child.bound = static_cast<std::uint16_t>(std::min(bound, 0xFFFF));
        if (m_placePairs || (m_filledPlaces && childItems.intersects(m_maze.places())))
            child.flags |= SearchNode::Unrefined;
    }

    // Step 4. Link it to its parent; a win counts at once in Fast mode, anything else is queued.
    child.pushes = static_cast<std::uint16_t>(parent.childPushes);
    child.parent = parent.index;
    child.pushedFrom = static_cast<std::uint8_t>(item);
    child.pushSide = static_cast<std::uint8_t>(side);
    if (!optimal && childItems == m_maze.places()) {
        m_goal = found->index;
        return Expansion::Goal;
    }
    return queue(found->index) ? Expansion::Continue : Expansion::Stop;
}

PushSearch::Outcome PushSearch::finish()
{
    reportProgress();
    Outcome outcome;
    if (m_goal != SearchNode::NoParent) {
        outcome.verdict = Verdict::Solved;
        outcome.optimal = m_options.mode == SolveMode::Optimal;
        for (std::uint32_t at = m_goal; m_store[at].parent != SearchNode::NoParent; at = m_store[at].parent)
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
