#pragma once

#include "GameState.h"

namespace pomrola {

// Colour references laid out as 0x00BBGGRR. Code 0 holds a reference to the
// system button-face colour, which the painter resolves from the palette.
constexpr std::uint32_t SystemButtonFace = 0x8000000F;
constexpr int ColourTableSize = 11;
extern const std::uint32_t ColourTable[ColourTableSize];

// The colour for a code, or false for codes outside the table: the painter
// then keeps the colour it used last.
bool LookUpColour(ColourCode code, std::uint32_t& colour);

// Reseeds, then fills all 64 cells with codes 1..8 in row order.
void FillBoard(GameState& state, std::uint32_t utcMillisecondsOfDay);

// Exchanges the picked cells. The second cell receives only the low 8 bits of
// the first one's code, so two calls restore any board of the game's codes.
void SwapCells(GameState& state);

}  // namespace pomrola
