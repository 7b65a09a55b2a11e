#pragma once

#include "GameState.h"

#include <array>
#include <initializer_list>

namespace pomrola::testing {

using Row = std::array<ColourCode, BoardSize>;

// Every row a shifted copy of 1..8: a full board without lines and without moves.
inline Board StaircaseBoard()
{
    Board board;
    for (int r = 1; r <= BoardSize; ++r)
        for (int c = 1; c <= BoardSize; ++c)
            board.at(c, r) = ((r - 1) * 3 + (c - 1)) % 8 + 1;
    return board;
}

inline void SetRow(Board& board, int row, const Row& codes)
{
    for (int c = 1; c <= BoardSize; ++c)
        board.at(c, row) = codes[static_cast<std::size_t>(c - 1)];
}

inline void SetColumn(Board& board, int column, const Row& codes)
{
    for (int r = 1; r <= BoardSize; ++r)
        board.at(column, r) = codes[static_cast<std::size_t>(r - 1)];
}

inline Row ColumnOf(const Board& board, int column)
{
    Row codes{};
    for (int r = 1; r <= BoardSize; ++r)
        codes[static_cast<std::size_t>(r - 1)] = board.at(column, r);
    return codes;
}

inline Row RowOf(const Board& board, int row)
{
    Row codes{};
    for (int c = 1; c <= BoardSize; ++c)
        codes[static_cast<std::size_t>(c - 1)] = board.at(c, row);
    return codes;
}

// The staircase with one move: in the top row the 1 in column 4 moving left
// completes 1 1 1 in columns 1 to 3; the bottom row keeps a move for later, so
// that the game does not end.
inline constexpr Row BottomRowWithAMove = {6, 6, 8, 6, 2, 3, 4, 5};

inline Board OneMoveBoard()
{
    Board board = StaircaseBoard();
    SetRow(board, 1, {1, 1, 3, 1, 5, 6, 7, 8});
    SetRow(board, 8, BottomRowWithAMove);
    return board;
}

// OneMoveBoard after that move from RandomState 0, whose next draws 1, 1, 7
// refill the emptied cells (nothing above them can fall).
inline Board BoardAfterTheMove()
{
    Board board = StaircaseBoard();
    SetRow(board, 1, {1, 1, 7, 3, 5, 6, 7, 8});
    SetRow(board, 8, BottomRowWithAMove);
    return board;
}

}  // namespace pomrola::testing
