// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/leveltool/fuzz/textimportcheck.h"

#include "leveltool/levelconvert.h"
#include "leveltool/textformat.h"
#include "solver/levelproblems.h"
#include "solver/solver.h"

#include <cstdlib>
#include <string>

namespace leveltool {

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

void checkTextImport(std::string_view bytes, bool solve)
{
    using namespace levelsolver;
    bool searched = !solve;
    for (const TextLevel &level : parseTextLevels(bytes)) {
        check(!level.rows.empty() && level.line >= 1);
        const Conversion conversion = convertTextLevel(level);
        if (conversion.skip != SkipReason::None)
            continue;
        check(levelProblems(conversion.level.board, conversion.level.coveredPlaces).empty());

        TextLevel exported;
        std::string error;
        check(textLevelOf(conversion.level, exported, error));
        const auto again = parseTextLevels(formatTextLevel(exported));
        check(again.size() == 1);
        const Conversion reimported = convertTextLevel(again.front());
        TextLevel exportedAgain;
        check(reimported.skip == SkipReason::None && textLevelOf(reimported.level, exportedAgain, error));
        check(exportedAgain == exported);

        if (!searched) {
            searched = true;
            SolveOptions options;
            options.timeLimit = std::chrono::milliseconds(5);
            options.memoryLimitBytes = std::size_t{16} << 20;
            const leveldata::EditorLevel &imported = conversion.level;
            const SolveResult result = solveBoard(imported.board, imported.coveredPlaces, options);
            check(result.verdict != Verdict::Invalid);
            check(result.verdict != Verdict::Solved
                  || replaySolution(imported.board, imported.coveredPlaces, result.moves));
        }
    }
}

} // namespace leveltool
