#pragma once

#include "GameState.h"

namespace pomrola {

// Empties every cell of a horizontal or vertical run of three or more equal
// codes and sets LinesFound. Empty cells compare like any code, so a run of
// three empty cells counts as a line.
void FindLines(GameState& state);

// Lets balls fall into empty cells, column by column, one pass at a time until
// the top cell is empty (or 8 passes were made). Separate runs of empty cells
// can stay between balls; RefillBoard fills them in place.
void DropBalls(GameState& state);

// Fills every empty cell with a new random ball and adds 5 points for each.
void RefillBoard(GameState& state);

// FindLines, DropBalls and RefillBoard until no line is left.
void SettleBoard(GameState& state);

}  // namespace pomrola
