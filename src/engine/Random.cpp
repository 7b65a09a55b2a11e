#include "Random.h"

namespace pomrola {

void ReseedRandom(GameState& state, std::uint32_t utcMillisecondsOfDay)
{
    state.RandomState = utcMillisecondsOfDay;
}

std::int32_t RandomBelow(GameState& state, std::int32_t n)
{
    state.RandomState = state.RandomState * 134775813u + 1u;
    const std::uint64_t product = std::uint64_t{state.RandomState} * static_cast<std::uint32_t>(n);
    return static_cast<std::int32_t>(product >> 32);
}

}  // namespace pomrola
