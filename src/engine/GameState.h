#pragma once

#include <cstdint>

namespace pomrola {

constexpr int BoardSize = 8;

// Colour codes: 0 is an empty cell, 1..8 are the ball colours. Other values
// can only arrive from an edited saved game and are kept as they are.
using ColourCode = std::int32_t;

// The 8 by 8 board, stored row by row. Cells are named column first, 1-based,
// as everywhere in the program.
struct Board {
    ColourCode cells[BoardSize][BoardSize] = {};

    ColourCode& at(int column, int row) { return cells[row - 1][column - 1]; }
    ColourCode at(int column, int row) const { return cells[row - 1][column - 1]; }

    bool isFull() const;
    friend bool operator==(const Board&, const Board&) = default;
};

// Everything the engine reads and changes. The program owns one; tests build
// their own, so no operation depends on hidden globals.
struct GameState {
    Board board;
    std::uint32_t RandomState = 0;
    std::int32_t Score = 0;
    std::int32_t MovesLeft = 0;
    bool LinesFound = false;
    // Picked cells: X is the column, Y the row.
    std::int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

}  // namespace pomrola
