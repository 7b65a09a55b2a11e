#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace pomrola {

// A colour reference 0x00BBGGRR; 0x8000000F names the system button face,
// taken from the palette.
QColor ColourFromReference(std::uint32_t reference, const QPalette& palette);

}  // namespace pomrola
