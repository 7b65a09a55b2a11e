#pragma once

#include <cstdint>

namespace pomrola {

// Score and moves are 32-bit two's complement counters: past the largest value
// they wrap to the most negative one, as the game always counted. The sum is
// taken unsigned, where wrapping is defined, and converted back (modulo 2^32).
constexpr std::int32_t WrappingAdd(std::int32_t counter, std::int32_t amount)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(counter) + static_cast<std::uint32_t>(amount));
}

}  // namespace pomrola
