#pragma once

#include "leveldata/levelfile.h"
#include "tests/support/boardart.h"

#include <string>
#include <vector>

// The levels shipped in levels/ and a recorded way to win each. The files are the levels
// themselves: change one with the editor, then record its new solution here.
struct SampleLevel
{
    std::string fileName;        // inside levels/
    std::string solution;        // moves: L, R, U, D
    leveldata::LevelInfo info{};   // as read from the file
};

// Every shipped level, easiest first.
const std::vector<SampleLevel> &sampleLevels();

// For the game window test, which draws boards with these names.
using Art = testsupport::Art;
using testsupport::boardFromArt;
