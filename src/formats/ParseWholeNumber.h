#pragma once

#include <QByteArrayView>

#include <cstdint>

namespace pomrola {

// Whole-number text as the game's files hold it: leading blanks, then decimal
// digits with an optional "+" or "-", or hexadecimal digits of either case
// after "$", "x" or "0x" (taken as 32 bits). Nothing may follow the digits,
// and decimal values must fit in 32 signed bits.
[[nodiscard]] bool ParseWholeNumber(QByteArrayView text, std::int32_t& value);

}  // namespace pomrola
