// Writes the sample levels into the folder given as the only argument (normally levels/), the way
// the editor saves a level. Run by hand after changing the table; the tests check the result.
#include "samplelevels.h"

#include <filesystem>
#include <iostream>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: makesamplelevels <levels folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    int failures = 0;
    for (const SampleLevel &level : sampleLevels()) {
        const std::filesystem::path path = folder / level.fileName;
        // The editor updates an existing file key by key; a fresh file gives the clean section order.
        std::filesystem::remove(path);
        leveldata::Board board = boardFromArt(level.art);
        if (const std::error_code error = leveldata::writeLevel(path, board, leveldata::Floor, level.info)) {
            std::cerr << path << ": " << error.message() << '\n';
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
