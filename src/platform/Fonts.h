#pragma once

#include <QFont>

namespace pomrola {

// Makes the classic Windows families resolve to metric look-alikes where they
// are not installed (Liberation Serif for Times New Roman, DejaVu Sans for the
// sans-serif ones).
void InstallFontSubstitutes();

// A font whose letters (without internal leading) are `characterHeight` pixels.
QFont PixelFont(const QString& family, int characterHeight, bool bold = false);

}  // namespace pomrola
