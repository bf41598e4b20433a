// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/advisor.h"

#include <cctype>

namespace cobbleton {

using Clock = std::chrono::steady_clock;

Position positionOf(const GameState &state)
{
    return {state.board, state.playerCell, state.underTile};
}

void Advisor::startLevel(const std::vector<CellIndex> &placeList)
{
    m_placeList = placeList;
    m_winnable.clear();
    m_solution.clear();
}

Winnable Advisor::known(const PositionKey &key) const
{
    const auto found = m_winnable.find(key);
    return found == m_winnable.end() ? Winnable::Unknown : found->second ? Winnable::Yes : Winnable::No;
}

std::optional<std::string> Advisor::nextPush(const GameState &state) const
{
    const PositionKey key = positionKeyOf(state.board, state.playerCell);
    for (auto push = m_solution.rbegin(); push != m_solution.rend(); ++push) {
        if (push->before != key)
            continue;
        std::optional<std::string> steps =
            walkOf(state.board, state.playerCell, push->item - stepOfLetter(push->letter));
        if (steps)
            steps->push_back(push->letter);
        return steps;
    }
    return std::nullopt;
}

void Advisor::learn(const Position &from, const PositionVerdict &verdict)
{
    if (verdict.winnable == Winnable::Unknown)
        return;
    m_winnable[positionKeyOf(from.board, from.playerCell)] = verdict.winnable == Winnable::Yes;
    if (verdict.winnable != Winnable::Yes || verdict.moves.empty())
        return;

    GameState state;
    state.board = from.board;
    state.placeList = m_placeList;
    state.playerCell = from.playerCell;
    state.underTile = from.underTile;
    std::vector<Push> solution;
    for (const char letter : verdict.moves) {
        const bool push = std::isupper(static_cast<unsigned char>(letter));
        const CellIndex step = stepOfLetter(letter);
        if (push)
            solution.push_back({positionKeyOf(state.board, state.playerCell), state.playerCell + step, letter});
        const std::size_t before = state.history.undoableCount();
        if (!move(state, step).moved || state.history.undoableCount() != before + 1
            || state.history.names().back() != letter)
            return; // not the solution it claims to be: keep nothing of it
    }
    if (!isWon(state))
        return;
    m_solution = std::move(solution);
    for (const Push &push : m_solution)
        m_winnable[push.before] = true;
}

Advisor::Assessment Advisor::assess(const GameState &state) const
{
    // Step 1. The segments, newest first, back to the newest one known to be winnable or to the
    // start (the last restart brought the start back).
    std::vector<Segment> segments;
    Position at = positionOf(state);
    MoveHistory history = state.history;
    std::size_t undos = 0;
    const auto add = [&] {
        const PositionKey key = positionKeyOf(at.board, at.playerCell);
        segments.push_back({at, key, undos, known(key)});
        return segments.back().known != Winnable::Yes;
    };
    bool reachedStart = add();
    for (std::size_t step = history.undoableCount(); reachedStart && step > 0; --step) {
        const char name = history.names()[step - 1];
        if (name == RestartStepName)
            break;
        static_cast<void>(history.undo(at.board, at.playerCell, at.underTile));
        ++undos;
        if (std::isupper(static_cast<unsigned char>(name)))
            reachedStart = add();
    }

    // Step 2. What they tell: the count is known when the newest winnable segment has a lost one
    // just after it.
    Assessment assessment;
    assessment.current = segments.front().known;
    if (assessment.current == Winnable::Yes)
        return assessment;
    if (assessment.current == Winnable::No) {
        const Segment &oldest = segments.back();
        if (oldest.known == Winnable::Yes && segments[segments.size() - 2].known == Winnable::No) {
            assessment.undos = oldest.undos;
            return assessment;
        }
        if (reachedStart && oldest.known == Winnable::No)
            return assessment; // nothing since the start can be won
    }
    assessment.check = LostCheck{std::move(segments), m_placeList};
    return assessment;
}

std::vector<Advisor::Finding> Advisor::runLostCheck(LostCheck check, std::chrono::milliseconds timeLimit,
                                                    std::stop_token stop)
{
    const Clock::time_point deadline = Clock::now() + timeLimit;
    std::vector<Finding> findings;
    std::vector<Segment> &segments = check.segments;
    const auto verdictAt = [&](std::size_t i) {
        Segment &segment = segments[i];
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (segment.known != Winnable::Unknown || left.count() <= 0 || stop.stop_requested())
            return segment.known;
        const Position &at = segment.position;
        PositionVerdict verdict =
            searchPosition(solverPositionOf(at.board, at.playerCell, check.placeList), left, stop);
        segment.known = verdict.winnable;
        findings.push_back({at, std::move(verdict)});
        return segment.known;
    };
    if (segments.front().known == Winnable::Unknown) {
        static_cast<void>(verdictAt(0));
        return findings;
    }

    // The newest winnable segment lies after `lost` (the oldest known lost) and at or before
    // `won` (the newest known winnable; segments.size() for none). Most often it is the one just
    // before the push that lost, so that one comes first; then halves.
    std::size_t lost = 0, won = segments.size();
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (segments[i].known == Winnable::No)
            lost = i;
        else if (segments[i].known == Winnable::Yes && won == segments.size())
            won = i;
    }
    for (bool first = true; lost + 1 < won; first = false) {
        const std::size_t probe = first ? lost + 1 : lost + (won - lost) / 2;
        switch (verdictAt(probe)) {
        case Winnable::Yes: won = probe; break;
        case Winnable::No: lost = probe; break;
        case Winnable::Unknown: return findings;
        }
    }
    return findings;
}

} // namespace cobbleton
