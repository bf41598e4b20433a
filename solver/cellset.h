// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leveldata/board.h"

#include <array>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace levelsolver {

using leveldata::CellIndex;

// A set of board cells, one bit per CellIndex 0 .. 179: bit i of word i / 64 for cell i, the bits
// of word 2 above cell 179 always clear. Shifting the set by a step moves every cell by that step
// in index order, exactly as the game's moves do: a cell shifted past 0 or 179 leaves the set (off
// the board is Wall), and a shift by one crosses from column 14 into column 0 of the next row, as
// a step right does in the game.
//
// Every function that takes a cell wants one on the board (leveldata::isOnBoard); callers check
// computed cells first.
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

    bool test(CellIndex cell) const
    {
        assert(leveldata::isOnBoard(cell));
        return (m_w[word(cell)] >> bit(cell)) & 1U;
    }
    void set(CellIndex cell)
    {
        assert(leveldata::isOnBoard(cell));
        m_w[word(cell)] |= 1ULL << bit(cell);
    }
    void reset(CellIndex cell)
    {
        assert(leveldata::isOnBoard(cell));
        m_w[word(cell)] &= ~(1ULL << bit(cell));
    }

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

    // The cells in ascending order: `for (CellIndex cell : set)`. The loop walks a copy taken
    // when it starts, so it may change the set.
    class Iterator
    {
    public:
        explicit Iterator(const std::array<std::uint64_t, Words> &words) : m_bits(words[0]), m_later{words[1], words[2]}
        {
            skipEmptyWords();
        }

        CellIndex operator*() const { return m_base + std::countr_zero(m_bits); }
        Iterator &operator++()
        {
            m_bits &= m_bits - 1;
            skipEmptyWords();
            return *this;
        }
        bool operator==(std::default_sentinel_t) const { return m_bits == 0; }

    private:
        // The words move down through m_later rather than being indexed, so that the compiler
        // can keep them all in registers.
        void skipEmptyWords()
        {
            while (m_bits == 0 && (m_later[0] | m_later[1]) != 0) {
                m_bits = m_later[0];
                m_later[0] = m_later[1];
                m_later[1] = 0;
                m_base += 64;
            }
        }

        std::uint64_t m_bits;                 // the cells not walked yet of the word at m_base
        std::array<std::uint64_t, 2> m_later; // the words above it
        CellIndex m_base = 0;                 // the cell of bit 0 of m_bits
    };
    Iterator begin() const { return Iterator(m_w); }
    std::default_sentinel_t end() const { return {}; }

    // Every cell moved by `step` (any of the four steps, or another offset of less than 64).
    CellSet shifted(CellIndex step) const
    {
        assert(step > -64 && step < 64);
        return step >= 0 ? up(step) : down(-step);
    }

    CellSet operator|(const CellSet &o) const
    {
        return combine(o, [](auto a, auto b) { return a | b; });
    }
    CellSet operator&(const CellSet &o) const
    {
        return combine(o, [](auto a, auto b) { return a & b; });
    }
    CellSet operator-(const CellSet &o) const
    {
        return combine(o, [](auto a, auto b) { return a & ~b; });
    }
    // The sum of the two sets read as 180-bit numbers, cell 0 the lowest bit; a carry out of cell
    // 179 is lost. Adding a subset s of a set o clears each run of consecutive cells of o from
    // the lowest cell of s in it upwards, which lets a spread run along a row in one step.
    CellSet plus(const CellSet &o) const
    {
        CellSet r;
        unsigned carry = 0;
        for (std::size_t i = 0; i < Words; ++i) {
            const std::uint64_t sum = m_w[i] + o.m_w[i];
            const unsigned overflow = sum < m_w[i];
            r.m_w[i] = sum + carry;
            carry = overflow | (r.m_w[i] < sum);
        }
        r.m_w[2] &= TopMask;
        return r;
    }
    CellSet &operator|=(const CellSet &o) { return *this = *this | o; }
    CellSet &operator-=(const CellSet &o) { return *this = *this - o; }
    bool operator==(const CellSet &) const = default;

    // Whether the two sets share a cell.
    bool intersects(const CellSet &o) const
    {
        return ((m_w[0] & o.m_w[0]) | (m_w[1] & o.m_w[1]) | (m_w[2] & o.m_w[2])) != 0;
    }
    bool contains(const CellSet &o) const { return (o - *this).any() == false; }

    std::uint64_t word64(int i) const
    {
        assert(i >= 0 && i < Words);
        return m_w[static_cast<std::size_t>(i)];
    }

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

    CellSet up(int k) const // towards higher cells; 0 <= k < 64
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
