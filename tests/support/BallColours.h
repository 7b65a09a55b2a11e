#pragma once

#include "Board.h"

#include <QColor>

namespace pomrola::testing {

// The colour of ball code 1..10 from the program's colour table (0x00BBGGRR).
inline QColor BallColour(ColourCode code)
{
    std::uint32_t reference = 0;
    LookUpColour(code, reference);
    return QColor(static_cast<int>(reference & 0xFF), static_cast<int>((reference >> 8) & 0xFF),
                  static_cast<int>((reference >> 16) & 0xFF));
}

}  // namespace pomrola::testing
