#pragma once

#include "GameState.h"

namespace pomrola {

// Whether moving the ball at (column, row) one cell left, right, up or down
// would complete a line of three of its colour through the target cell.
// Only lines the ball itself completes count; the target's code is not read.
bool CheckMove(const GameState& state, int column, int row);

// MovesLeft := the number of balls (not exchanges) that CheckMove accepts.
void CountMoves(GameState& state);

// A fresh, settled board with its move count and Score 0. NewGame does not
// deal again when the settled board has no move.
void NewGame(GameState& state, std::uint32_t utcMillisecondsOfDay);

}  // namespace pomrola
