// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/board.h"

#include <array>
#include <bit>
#include <cstdint>

namespace levelsolver {

using leveldata::CellIndex;

// A set of board cells, one bit per CellIndex 0 .. 179. Shifting the set by a step moves every
// cell by that step in index order, exactly as the game's moves do: a cell shifted past 0 or 179
// leaves the set (off the board is Wall), and a shift by one crosses from column 14 into column 0
// of the next row, as a step right does in the game.
class CellSet
{
public:
    static constexpr int Words = 3;

    constexpr CellSet() = default;

    static CellSet single(CellIndex cell)
    {
        CellSet s;
        s.set(cell);
        return s;
    }
    static CellSet all()
    {
        CellSet s;
        s.m_w = {~0ULL, ~0ULL, TopMask};
        return s;
    }

    bool test(CellIndex cell) const { return (m_w[word(cell)] >> bit(cell)) & 1U; }
    void set(CellIndex cell) { m_w[word(cell)] |= 1ULL << bit(cell); }
    void reset(CellIndex cell) { m_w[word(cell)] &= ~(1ULL << bit(cell)); }

    bool any() const { return (m_w[0] | m_w[1] | m_w[2]) != 0; }
    int count() const { return std::popcount(m_w[0]) + std::popcount(m_w[1]) + std::popcount(m_w[2]); }

    // The lowest cell of the set, or -1 when it is empty.
    CellIndex first() const
    {
        for (int i = 0; i < Words; ++i) {
            if (m_w[static_cast<std::size_t>(i)] != 0)
                return i * 64 + std::countr_zero(m_w[static_cast<std::size_t>(i)]);
        }
        return -1;
    }

    // Calls f(cell) for every cell in ascending order.
    template <typename F>
    void forEach(F &&f) const
    {
        for (std::size_t i = 0; i < Words; ++i) {
            for (std::uint64_t w = m_w[i]; w != 0; w &= w - 1)
                f(static_cast<CellIndex>(i * 64 + static_cast<std::size_t>(std::countr_zero(w))));
        }
    }

    // Every cell moved by `step` (any of the four steps, or another small offset up to 63).
    CellSet shifted(CellIndex step) const { return step >= 0 ? up(step) : down(-step); }

    CellSet operator|(const CellSet &o) const
    {
        return combine(o, [](auto a, auto b) { return a | b; });
    }
    CellSet operator&(const CellSet &o) const
    {
        return combine(o, [](auto a, auto b) { return a & b; });
    }
    CellSet operator^(const CellSet &o) const
    {
        return combine(o, [](auto a, auto b) { return a ^ b; });
    }
    CellSet operator-(const CellSet &o) const
    {
        return combine(o, [](auto a, auto b) { return a & ~b; });
    }
    CellSet &operator|=(const CellSet &o) { return *this = *this | o; }
    CellSet &operator&=(const CellSet &o) { return *this = *this & o; }
    CellSet &operator-=(const CellSet &o) { return *this = *this - o; }
    bool operator==(const CellSet &) const = default;

    // Whether the two sets share a cell.
    bool intersects(const CellSet &o) const
    {
        return ((m_w[0] & o.m_w[0]) | (m_w[1] & o.m_w[1]) | (m_w[2] & o.m_w[2])) != 0;
    }
    bool contains(const CellSet &o) const { return (o - *this).any() == false; }

    std::uint64_t word64(int i) const { return m_w[static_cast<std::size_t>(i)]; }

private:
    static constexpr std::uint64_t TopMask = (1ULL << (leveldata::CellCount - 128)) - 1;

    static std::size_t word(CellIndex cell) { return static_cast<std::size_t>(cell) >> 6; }
    static unsigned bit(CellIndex cell) { return static_cast<unsigned>(cell) & 63U; }

    template <typename Op>
    CellSet combine(const CellSet &o, Op op) const
    {
        CellSet r;
        for (std::size_t i = 0; i < Words; ++i)
            r.m_w[i] = op(m_w[i], o.m_w[i]);
        return r;
    }

    CellSet up(int k) const // towards higher cells; 0 < k < 64
    {
        CellSet r;
        if (k == 0)
            return *this;
        r.m_w[0] = m_w[0] << k;
        r.m_w[1] = (m_w[1] << k) | (m_w[0] >> (64 - k));
        r.m_w[2] = ((m_w[2] << k) | (m_w[1] >> (64 - k))) & TopMask;
        return r;
    }
    CellSet down(int k) const // towards lower cells; 0 < k < 64
    {
        CellSet r;
        r.m_w[0] = (m_w[0] >> k) | (m_w[1] << (64 - k));
        r.m_w[1] = (m_w[1] >> k) | (m_w[2] << (64 - k));
        r.m_w[2] = m_w[2] >> k;
        return r;
    }

    std::array<std::uint64_t, Words> m_w{};
};

// The four steps of the game, in the order the move letters l, r, u, d name them.
inline constexpr std::array<CellIndex, 4> Steps{leveldata::LeftStep, leveldata::RightStep, leveldata::UpStep,
                                                leveldata::DownStep};

// Every cell of `open` that the player can walk to from `from` (included when open) in steps
// through `open`. Empty when `from` is off the board or not in `open`.
CellSet reachableFrom(CellIndex from, const CellSet &open);

// Like reachableFrom, starting from every cell of `seeds` that lies in `open`.
CellSet spreadWithin(CellSet seeds, const CellSet &open);

} // namespace levelsolver
