#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace pomrola {

// The text of a saved game: 66 whole numbers (score, moves left, the 64 cells),
// one decimal number per CR LF line.
constexpr int SavedGameValueCount = 66;

QByteArray EncodeSavedGameValues(const std::vector<std::int32_t>& values);

struct SavedGameValues {
    std::vector<std::int32_t> values;  // in file order, up to the first failure
    bool complete = false;             // all 66 were read
};

// Reads as a text reader does: the first two numbers after blanks and empty
// lines (the rest of their line skipped, the end of the file reading as 0),
// then one cell per whole line. The first value that is not a whole number,
// or a file that ends before the last cell, stops the reading.
SavedGameValues DecodeSavedGameValues(const QByteArray& file);

}  // namespace pomrola
