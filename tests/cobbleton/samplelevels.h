#pragma once

#include "asciiboard.h"

#include "leveldata/levelfile.h"

#include <string>
#include <vector>

// The levels shipped in levels/: what each file must hold and a recorded way to win it.
// makesamplelevels writes the files from this table; samplelevels_test checks them against it.
struct SampleLevel
{
    std::string fileName;          // inside levels/
    leveldata::LevelInfo info;     // UTF-8
    Art art;                       // all 12 rows
    std::string solution;          // moves: L, R, U, D
};

const std::vector<SampleLevel> &sampleLevels();
