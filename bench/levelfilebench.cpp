// Reading a whole level file as each program reads it, and saving a whole level the editor's way
// (one crash-safe replacement of the file, synced to disk).
#include "resultstable.h"

#include "leveldata/levelfile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const fs::path LevelFile = LEVELS_DIR "/03-sample.lay";

constexpr double ReadLimitNs = 100e3;
constexpr double WriteLimitNs = 2e6;

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
    const fs::path target = fs::temp_directory_path() / ("levelfilebench-" + std::to_string(::getpid()));
    bool failed = false;
    for (auto _ : st)
        failed |= static_cast<bool>(leveldata::writeLevel(target, level.board, level.info));
    std::error_code ignored;
    fs::remove(target, ignored);
    if (failed)
        st.SkipWithError("writeLevel reported a failure");
}
BENCHMARK(BM_WriteLevel)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv,
                         {{"BM_Read/game", "Level read, game (readGameLevel)", ReadLimitNs, ""},
                          {"BM_Read/editor", "Level read, editor (readEditorLevel)", ReadLimitNs, ""},
                          {"BM_WriteLevel", "Level write, atomic (writeLevel)", WriteLimitNs, ""}});
}
