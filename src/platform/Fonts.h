#pragma once

#include <QFont>

namespace pomrola {

// Makes the classic Windows families resolve to look-alikes where they are not
// installed: Liberation Serif for Times New Roman, Liberation Sans (of about
// the same widths) for MS Sans Serif, DejaVu Sans for the wide Tahoma.
void InstallFontSubstitutes();

// A font whose letters (without internal leading) are `characterHeight` pixels.
QFont PixelFont(const QString& family, int characterHeight, bool bold = false);

}  // namespace pomrola
