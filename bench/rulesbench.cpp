// SPDX-License-Identifier: GPL-3.0-or-later
// The game without its window. Moves per second through the rules: step or push, the restore
// pass over the item places, the victory test at every showing of the board, and the step kept
// in the history. A restart late in a long game, and the heap the history of a long game takes.
// Reading a whole level file as each program reads it, and saving a whole level the editor's way
// (one crash-safe replacement of the file, synced to disk).
#include "resultstable.h"

#include "cobbleton/gamestate.h"
#include "leveldata/levelfile.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

using namespace cobbleton;

// On the sample level the player walks to the left of the lower item, then each round pushes it
// right across an item place, down, left and back up into its first cell, and steps back to
// the round's start. Every move of a round is a real step or push, and the level ends the round
// exactly as it began, so rounds can follow each other for as long as the benchmark runs.
constexpr std::string_view LevelFile = LEVELS_DIR "/03-sample.lay";
constexpr std::string_view Approach = "DDDR";
constexpr std::string_view Round = "RRRRRRR"
                                   "URD"
                                   "RDLLLLLLL"
                                   "DLU"
                                   "LU";

CellIndex stepOf(char move)
{
    using namespace leveldata;
    return move == 'L' ? LeftStep : move == 'R' ? RightStep : move == 'U' ? UpStep : DownStep;
}

// Plays `count` moves, going round `moves` as often as needed; false when one was blocked.
bool play(GameState &state, std::string_view moves, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (!move(state, stepOf(moves[i % moves.size()])).moved)
            return false;
    }
    return true;
}

GameState sampleLevel()
{
    GameState state;
    if (!loadLevelFile(state, LevelFile))
        std::fprintf(stderr, "cannot read %s\n", LevelFile.data());
    return state;
}

// Plays `moves` moves on the loaded level, the approach and then the round over and over; false
// when one of them was blocked.
bool playLongGame(GameState &state, std::size_t moves)
{
    return play(state, Approach, Approach.size()) && play(state, Round, moves - Approach.size());
}

constexpr std::size_t LongGame = 100000;
constexpr double ReadLimitNs = 100e3;
constexpr double WriteLimitNs = 2e6;

// The history would grow by one step per iteration; it is dropped at the end of every round
// (clearing keeps its memory), so the benchmark's memory stays flat.
void BM_Move(benchmark::State &st)
{
    GameState state = sampleLevel();
    const bool approached = play(state, Approach, Approach.size());
    const GameState before = state;
    if (!approached || !play(state, Round, Round.size()) || state.board != before.board
        || state.playerCell != before.playerCell) {
        st.SkipWithError("the round on the sample level is blocked or does not come back");
        return;
    }

    std::size_t next = 0;
    bool allMoved = true;
    for (auto _ : st) {
        const MoveResult result = move(state, stepOf(Round[next]));
        benchmark::DoNotOptimize(result.showings.data());
        allMoved &= result.moved;
        next = (next + 1) % Round.size();
        if (next == 0)
            state.history.clear();
    }
    if (!allMoved)
        st.SkipWithError("a move of the round was blocked");
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_Move);

// A restart finds the loaded position by taking back every step on a copy of the board.
void BM_RestartAfterLongGame(benchmark::State &st)
{
    GameState state = sampleLevel();
    if (!playLongGame(state, LongGame)) {
        st.SkipWithError("a move of the long game was blocked");
        return;
    }
    bool allChanged = true;
    for (auto _ : st)
        allChanged &= restart(state).moved && undo(state).moved;
    if (!allChanged)
        st.SkipWithError("a restart or its undo changed nothing");
}
BENCHMARK(BM_RestartAfterLongGame)->Unit(benchmark::kMicrosecond);

template <class Reader>
void BM_Read(benchmark::State &st, Reader read)
{
    for (auto _ : st)
        benchmark::DoNotOptimize(read(LevelFile));
}
BENCHMARK_CAPTURE(BM_Read, game, leveldata::readGameLevel)->UseRealTime();
BENCHMARK_CAPTURE(BM_Read, editor, leveldata::readEditorLevel)->UseRealTime();

// Saves over an existing file, as the editor does from the second save on.
void BM_WriteLevel(benchmark::State &st)
{
    const leveldata::EditorLevel level = leveldata::readEditorLevel(LevelFile);
    const auto target = std::filesystem::temp_directory_path() / ("rulesbench-" + std::to_string(::getpid()));
    bool failed = false;
    for (auto _ : st)
        failed |= static_cast<bool>(leveldata::writeLevel(target, level.board, level.info));
    std::error_code ignored;
    std::filesystem::remove(target, ignored);
    if (failed)
        st.SkipWithError("writeLevel reported a failure");
}
BENCHMARK(BM_WriteLevel)->UseRealTime();

// Bytes glibc's malloc has handed out and not got back, chunk overhead included.
std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void printHistoryMemory()
{
    constexpr double MiB = 1024.0 * 1024.0;
    ResultRow row{"Move history of 100 000 moves (steps and pushes), heap", "n/a", "≤ 4 MiB", "n/a"};
    GameState state = sampleLevel();
    const std::size_t before = heapInUse();
    const bool played = playLongGame(state, LongGame);
    const std::size_t after = heapInUse();
    if (played && after > before) {
        const double bytes = static_cast<double>(after - before);
        row.value =
            fixed(bytes / MiB, 2) + " MiB (" + fixed(bytes / static_cast<double>(LongGame), 1) + " bytes a move)";
        row.verdict = verdict(bytes <= 4 * MiB);
    }
    printRow(row);
}

} // namespace

int main(int argc, char **argv)
{
    const int status = runBenchmarks(
        argc, argv,
        {{"BM_Move", "Move through the game rules (step, push, restore, victory test, history)", 0, "moves/s"},
         {"BM_RestartAfterLongGame", "Restart after 100 000 moves, then its undo", 0, ""},
         {"BM_Read/game", "Level read, game (readGameLevel)", ReadLimitNs, ""},
         {"BM_Read/editor", "Level read, editor (readEditorLevel)", ReadLimitNs, ""},
         {"BM_WriteLevel", "Level write, atomic (writeLevel)", WriteLimitNs, ""}});
    printHistoryMemory();
    return status;
}
