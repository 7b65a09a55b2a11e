#pragma once

#include "GameState.h"

namespace pomrola {

constexpr std::uint32_t MillisecondsPerDay = 86'400'000;

// Seeds the generator from the UTC time of day in milliseconds (0..86,399,999),
// which the caller reads from its own clock.
void ReseedRandom(GameState& state, std::uint32_t utcMillisecondsOfDay);

// A draw from 0..n-1 (n > 0) of the linear congruential generator
// state = state * 134775813 + 1 (mod 2^32), taking the high bits of state * n.
std::int32_t RandomBelow(GameState& state, std::int32_t n);

}  // namespace pomrola
