#pragma once

#include <QString>

namespace pomrola {

class CellShape;

// What a screen reader says for a cell, in the interface's language: the
// colour it is painted in, its symbol while symbols are shown, and its place
// ("синий, C5", "blue, star, C5"). Columns are the letters A to H from the
// left, rows the numbers 1 to 8 from the top, as the cells s11..s88 count
// them: A1 is the top-left cell, where the keyboard cursor first appears.
QString CellPlaceName(int column, int row);
QString CellColourName(const CellShape& cell);
QString CellName(const CellShape& cell);

}  // namespace pomrola
