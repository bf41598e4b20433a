// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/freezecheck.h"

namespace levelsolver {

namespace {
constexpr int CallBudget = 4096;
}

bool FreezeCheck::isDeadlock(const CellSet &items, CellIndex cell)
{
    m_items = items;
    m_heldWalls = {};
    m_proof.clear();
    m_budget = CallBudget;
    if (!frozen(cell) || m_budget < 0)
        return false;
    for (CellIndex c : m_proof) {
        if (!m_maze.places().test(c))
            return true;
    }
    return false;
}

bool FreezeCheck::frozen(CellIndex cell)
{
    if (--m_budget < 0)
        return false;
    const std::size_t mark = m_proof.size();
    m_heldWalls.set(cell);
    const bool result = blockedAlong(cell, leveldata::RightStep) && blockedAlong(cell, leveldata::DownStep);
    m_heldWalls.reset(cell);
    if (result)
        m_proof.push_back(cell);
    else
        m_proof.resize(mark);
    return result;
}

bool FreezeCheck::blockedAlong(CellIndex cell, CellIndex step)
{
    const CellIndex a = cell - step;
    const CellIndex b = cell + step;
    const auto wall = [&](CellIndex c) { return !m_maze.isOpen(c) || m_heldWalls.test(c); };
    if (wall(a) || wall(b))
        return true;
    if (m_maze.deadCells().test(a) && m_maze.deadCells().test(b))
        return true;
    return (m_items.test(a) && frozen(a)) || (m_items.test(b) && frozen(b));
}

} // namespace levelsolver
