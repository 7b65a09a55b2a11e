#include "Lines.h"

#include "Counter.h"
#include "Random.h"

namespace pomrola {

namespace {

bool hasEmptyCell(const Board& board, int column)
{
    for (int row = 1; row <= BoardSize; ++row)
        if (board.at(column, row) == 0)
            return true;
    return false;
}

}  // namespace

void FindLines(GameState& state)
{
    Board& board = state.board;
    bool marked[BoardSize][BoardSize] = {};
    state.LinesFound = false;

    for (int row = 0; row < BoardSize; ++row) {
        for (int c = 0; c + 2 < BoardSize; ++c) {
            const ColourCode code = board.cells[row][c];
            if (board.cells[row][c + 1] == code && board.cells[row][c + 2] == code) {
                marked[row][c] = marked[row][c + 1] = marked[row][c + 2] = true;
                state.LinesFound = true;
            }
        }
    }
    for (int column = 0; column < BoardSize; ++column) {
        for (int r = 0; r + 2 < BoardSize; ++r) {
            const ColourCode code = board.cells[r][column];
            if (board.cells[r + 1][column] == code && board.cells[r + 2][column] == code) {
                marked[r][column] = marked[r + 1][column] = marked[r + 2][column] = true;
                state.LinesFound = true;
            }
        }
    }
    if (!state.LinesFound)
        return;
    for (int row = 0; row < BoardSize; ++row)
        for (int column = 0; column < BoardSize; ++column)
            if (marked[row][column])
                board.cells[row][column] = 0;
}

void DropBalls(GameState& state)
{
    Board& board = state.board;
    for (int column = 1; column <= BoardSize; ++column) {
        if (!hasEmptyCell(board, column))
            continue;  // passes would change nothing
        for (int passes = 0; passes < BoardSize && board.at(column, 1) != 0; ++passes) {
            for (int row = 2; row <= BoardSize; ++row) {
                if (board.at(column, row) == 0) {
                    board.at(column, row) = board.at(column, row - 1);
                    board.at(column, row - 1) = 0;
                }
            }
        }
    }
}

void RefillBoard(GameState& state)
{
    for (int row = 1; row <= BoardSize; ++row) {
        for (int column = 1; column <= BoardSize; ++column) {
            ColourCode& cell = state.board.at(column, row);
            if (cell == 0) {
                cell = RandomBelow(state, 8) + 1;
                state.Score = WrappingAdd(state.Score, 5);
            }
        }
    }
}

void SettleBoard(GameState& state)
{
    do {
        FindLines(state);
        DropBalls(state);
        RefillBoard(state);
    } while (state.LinesFound);
}

}  // namespace pomrola
