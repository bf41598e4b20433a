// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/corralcheck.h"
#include "solver/filledplacebound.h"
#include "solver/freezecheck.h"
#include "solver/matching.h"
#include "solver/maze.h"
#include "solver/nodestore.h"
#include "solver/picorral.h"
#include "solver/placepairbound.h"
#include "solver/solver.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace levelsolver {

// One push of a solution: the item on `from` is pushed by Steps[side].
struct Push
{
    CellIndex from;
    int side;
};

// The search over pushes. Positions are the items' cells plus the lowest cell the player can walk
// to; every position is kept once in a transposition table. Pushes onto dead cells, pushes that
// freeze an item off a place, and positions with a corral deadlock or without any pairing of
// items to places are dropped, and a PI-corral limits the pushes tried (PiCorral); the rest are
// ordered by their pushes so far and the lower bound, the cheapest pairing of items to places by
// push distance (MinCostMatching). Nothing dropped could have led to a win, so a search that
// runs out of positions proves there is none, and the first win taken from the queue in Optimal
// mode has the fewest pushes.
//
// The maze must have at least one item, as many items as places, and a player.
class PushSearch
{
public:
    // The order among positions of equal priority (see openEntry()). Neither changes what is
    // found, only how soon: Varied does best on most levels, NewestFirst on some where the other
    // wanders (two searches may race with both).
    enum class TieOrder {
        Varied,      // the same item's next push first, then newest-first and drawn orders in turn
        NewestFirst, // the newest position first, and nothing else
    };

    PushSearch(const Maze &maze, const SolveOptions &options, TieOrder order = TieOrder::Varied);

    struct Outcome
    {
        Verdict verdict = Verdict::Unknown; // Solved, NoSolution or Unknown
        StopReason stopReason = StopReason::None;
        std::vector<Push> pushes; // the solution, first push first
        bool optimal = false;
        SearchStats stats;
    };

    // Searches until a win, a limit or the end of the positions; call once.
    [[nodiscard]] Outcome run();

private:
    // What one step of the search tells the loop.
    enum class Expansion {
        Continue, // go on with the next position of the queue
        Goal,     // m_goal is a won position
        Stop,     // a limit was reached or a stop requested; m_stop says which
    };

    // The position whose pushes are being tried, as each push needs it.
    struct Parent
    {
        std::uint32_t index;
        CellSet items;
        CellIndex player; // the lowest cell the player can walk to
        CellSet reach;    // every cell the player can walk to
        PiCorral::Pushes only;
        int childPushes;
        bool paired = false; // m_cost and m_matching hold its pairing of items and places
    };

    Expansion seedRoot();
    std::uint32_t popBest();
    Expansion expand(std::uint32_t index);
    // The push of `item` (row `row` of the pairing) by Steps[side], which the player can make.
    Expansion tryPush(Parent &parent, CellIndex item, std::size_t row, std::size_t side);
    Outcome finish();

    std::uint64_t keyOf(const CellSet &items, CellIndex player) const;
    // The cheapest pairing of items and places (also kept in m_cost and m_matching).
    int lowerBound(const CellSet &items, CellIndex player);
    void setRowCells(const CellSet &items); // m_rowCells in the rows of lowerBound's pairing
    // The closer bounds of the position of the last lowerBound and setRowCells, from its `plain` one.
    int closerBound(CellIndex player, int plain);
    void fillCostRow(std::size_t row, CellIndex cell, CellIndex player, std::vector<int> &cost) const;
    // Puts the node on the queue; false (with m_stop set) when the queue may not grow.
    [[nodiscard]] bool queue(std::uint32_t node);
    std::uint64_t openEntry(std::uint32_t node) const;
    static std::uint32_t nodeOf(std::uint64_t entry);
    void nextPhase(); // the next order among equal priorities, and the open list sorted by it
    std::size_t memoryBytes() const;
    // Whether the search must stop now (m_stop then says why); also reports the progress.
    [[nodiscard]] bool outOfTime();
    void reportProgress() const;

    const Maze &m_maze;
    const SolveOptions &m_options;
    const TieOrder m_order;
    std::chrono::steady_clock::time_point m_start;
    NodeStore m_store;
    FreezeCheck m_freeze;
    CorralCheck m_corral;
    MinCostMatching m_matching;
    std::optional<FilledPlaceBound> m_filledPlaces; // Optimal mode only
    std::optional<PlacePairBound> m_placePairs;     // Optimal mode only, and only with such pairs
    std::vector<CellIndex> m_rowCells;              // the items of a position being refined, in the rows of its pairing
    std::vector<int> m_cost, m_childCost;
    // Min-heap of entries: bits 48..63 the priority (at most 0xFFFF), 40..47 the bound (at most
    // 255), 32..39 the order among equals (openEntry()), 0..31 NoParent - node (newest first).
    std::vector<std::uint64_t> m_open;
    std::uint64_t m_popped = 0, m_phaseEnd = 0; // entries taken from m_open, and when the phase ends
    unsigned m_phase = 0;
    std::uint32_t m_goal = SearchNode::NoParent;
    StopReason m_stop = StopReason::None;
    SearchStats m_stats;
};

} // namespace levelsolver
