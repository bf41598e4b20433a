// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cobbleton/gamestate.h"
#include "tests/support/boardart.h"

// What the rules do for a command written as a letter: L R U D a move, z or b undo, y or Y redo
// (the letters of the keys that give them), r restart.
inline cobbleton::MoveResult act(cobbleton::GameState &state, char letter)
{
    switch (letter) {
    case 'z':
    case 'b': return cobbleton::undo(state);
    case 'y':
    case 'Y': return cobbleton::redo(state);
    case 'r': return cobbleton::restart(state);
    default: return cobbleton::move(state, testsupport::stepOf(letter));
    }
}
