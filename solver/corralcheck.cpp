// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/corralcheck.h"

#include <unordered_set>

namespace levelsolver {

namespace {

constexpr std::size_t KnownLimit = 1 << 15; // results kept, a few MiB

CellSet neighbours(const CellSet &cells)
{
    CellSet r;
    for (CellIndex step : Steps)
        r |= cells.shifted(step);
    return r;
}

} // namespace

std::size_t CorralCheck::PositionHash::operator()(const Position &p) const
{
    std::uint64_t h = static_cast<std::uint64_t>(p.player) * 0x9E3779B97F4A7C15ULL;
    for (int i = 0; i < CellSet::Words; ++i)
        h = (h ^ p.items.word64(i)) * 0xFF51AFD7ED558CCDULL;
    return static_cast<std::size_t>(h ^ (h >> 29));
}

std::size_t CorralCheck::QuestionHash::operator()(const Question &q) const
{
    std::size_t h = PositionHash{}(q.start);
    for (int i = 0; i < CellSet::Words; ++i)
        h = (h ^ q.corral.word64(i)) * 0x9E3779B97F4A7C15ULL;
    return h ^ (h >> 31);
}

CorralCheck::CorralCheck(const Maze &maze, int nodeLimit) : m_maze(maze), m_freeze(maze), m_nodeLimit(nodeLimit)
{ }

bool CorralCheck::isDeadlock(const CellSet &items, const CellSet &reach, CellIndex pushedTo)
{
    const CellSet outside = m_maze.open() - items - reach;
    const CellSet next = neighbours(CellSet::single(pushedTo)) & outside;
    if (!next.any())
        return false;
    const CellSet corral = spreadWithin(next, outside);
    const CellSet fence = neighbours(corral) & items;
    if (m_maze.places().contains(fence) && !corral.intersects(m_maze.places()))
        return false; // nothing left to do there
    const Question question{{fence, (reach & m_maze.open()).first()}, corral};
    if (question.start.player < 0)
        return false;
    if (m_known.size() > KnownLimit)
        m_known.clear();
    const auto found = m_known.find(question);
    if (found != m_known.end())
        return found->second;
    const bool fails = searchFails(question);
    m_known.emplace(question, fails);
    return fails;
}

bool CorralCheck::searchFails(const Question &question)
{
    const Position &start = question.start;
    const CellSet &corral = question.corral;
    const CellSet corralPlaces = corral & m_maze.places();
    std::unordered_set<Position, PositionHash> seen;
    m_queue.clear();
    const auto normalised = [&](const CellSet &items, CellIndex player, CellSet &reach) {
        reach = reachableFrom(player, m_maze.open() - items);
        return Position{items, reach.first()};
    };
    CellSet reach;
    Position first = normalised(start.items, start.player, reach);
    m_queue.push_back(first);
    seen.insert(first);
    for (std::size_t next = 0; next < m_queue.size(); ++next) {
        const Position at = m_queue[next];
        reach = reachableFrom(at.player, m_maze.open() - at.items);
        if (reach.intersects(corral))
            return false;
        for (const CellIndex item : at.items) {
            for (const CellIndex step : Steps) {
                const CellIndex behind = item - step;
                const CellIndex to = item + step;
                if (!leveldata::isOnBoard(behind) || !reach.test(behind) || !m_maze.isOpen(to) || at.items.test(to)
                    || m_maze.deadCells().test(to))
                    continue;
                CellSet items = at.items;
                items.reset(item);
                items.set(to);
                if (m_freeze.isDeadlock(items, to))
                    continue;
                if (m_maze.places().contains(items) && items.contains(corralPlaces))
                    return false; // the kept items are home
                CellSet childReach;
                const Position child = normalised(items, item, childReach);
                if (seen.insert(child).second) {
                    if (static_cast<int>(seen.size()) > m_nodeLimit)
                        return false; // given up
                    m_queue.push_back(child);
                }
            }
        }
    }
    return true;
}

std::size_t CorralCheck::memoryBytes() const
{
    // Each map entry: the position, the flag and about three pointers of the node and bucket.
    return m_known.size() * (sizeof(Question) + 4 * sizeof(void *)) + m_queue.capacity() * sizeof(Position);
}

} // namespace levelsolver
