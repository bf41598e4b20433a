// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the text level reader and converts every level found. Besides crashes
// it checks that each converted level is one the editor could save (one player, as many items as
// places, a closed ring, nothing unreachable), that exporting, importing and exporting it again
// gives the same text, and that a solution found in a short search wins in the game.
#include "leveltool/levelconvert.h"
#include "leveltool/textformat.h"
#include "solver/levelproblems.h"
#include "solver/solver.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace levelsolver;
    using namespace leveltool;
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    int solved = 0;
    for (const TextLevel &level : parseTextLevels(bytes)) {
        check(!level.rows.empty() && level.line >= 1);
        const Conversion conversion = convertTextLevel(level);
        if (conversion.skip != SkipReason::None)
            continue;
        check(levelProblems(conversion.level.board).empty());

        TextLevel exported;
        std::string error;
        check(textLevelOf(conversion.level, exported, error));
        const auto again = parseTextLevels(formatTextLevel(exported));
        check(again.size() == 1);
        const Conversion reimported = convertTextLevel(again.front());
        TextLevel exportedAgain;
        check(reimported.skip == SkipReason::None && textLevelOf(reimported.level, exportedAgain, error));
        check(exportedAgain == exported);

        if (solved++ == 0) {
            SolveOptions options;
            options.timeLimit = std::chrono::milliseconds(5);
            options.memoryLimitBytes = std::size_t{16} << 20;
            const SolveResult result = solveBoard(conversion.level.board, options);
            check(result.verdict != Verdict::Invalid);
            check(result.verdict != Verdict::Solved || replaySolution(conversion.level.board, result.moves));
        }
    }
    return 0;
}
