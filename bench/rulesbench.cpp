// Moves per second through the game's rules: step or push, the restore pass over the item
// places, and the victory test at every showing of the board.
#include "resultstable.h"

#include "cobbleton/gamestate.h"

#include <benchmark/benchmark.h>

#include <string_view>

namespace {

using namespace cobbleton;

// On the sample level the player walks to the left of the lower item, then each round pushes it
// right across an item place, down, left and back up into its first cell, and steps back to
// the round's start. Every move of a round is a real step or push, and the level ends the round
// exactly as it began, so rounds can follow each other for as long as the benchmark runs.
constexpr std::string_view LevelFile = LEVELS_DIR "/03-sample.lay";
constexpr std::string_view Approach = "DDDR";
constexpr std::string_view Round = "RRRRRRR" "URD" "RDLLLLLLL" "DLU" "LU";

CellIndex stepOf(char move)
{
    switch (move) {
    case 'L': return leveldata::LeftStep;
    case 'R': return leveldata::RightStep;
    case 'U': return leveldata::UpStep;
    default: return leveldata::DownStep;
    }
}

bool play(GameState &state, std::string_view moves)
{
    for (char m : moves) {
        if (!move(state, stepOf(m)).moved)
            return false;
    }
    return true;
}

void BM_Move(benchmark::State &st)
{
    GameState state;
    loadLevelFile(state, LevelFile);

    const bool approached = play(state, Approach);
    const GameState before = state;
    if (!approached || !play(state, Round) || state.board != before.board
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
        next = next + 1 == Round.size() ? 0 : next + 1;
    }
    if (!allMoved)
        st.SkipWithError("a move of the round was blocked");
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_Move);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv,
                         {{"BM_Move", "Move through the game rules (step, push, restore, victory test)",
                           0, "moves/s"}});
}
