#include "BoardBuilders.h"
#include "UFunc.h"

#include <gtest/gtest.h>

#include <utility>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

// Whether the ball in that cell is one of three alike in a row or a column.
bool InLine(const Board& board, int row, int column)
{
    const auto same = [&](int r, int c) {
        return r >= 1 && r <= BoardSize && c >= 1 && c <= BoardSize && board.at(c, r) == board.at(column, row);
    };
    for (int k = -2; k <= 0; ++k)
        if ((same(row, column + k) && same(row, column + k + 1) && same(row, column + k + 2)) ||
            (same(row + k, column) && same(row + k + 1, column) && same(row + k + 2, column)))
            return true;
    return false;
}

// Counts balls that complete a line by really swapping them with each neighbour.
int BruteForceMoves(const Board& board)
{
    int moves = 0;
    for (int r = 1; r <= BoardSize; ++r)
        for (int c = 1; c <= BoardSize; ++c)
            for (auto [dr, dc] : {std::pair{0, -1}, std::pair{0, 1}, std::pair{-1, 0}, std::pair{1, 0}}) {
                const int tr = r + dr, tc = c + dc;
                if (tr < 1 || tr > BoardSize || tc < 1 || tc > BoardSize)
                    continue;
                Board swapped = board;
                std::swap(swapped.at(c, r), swapped.at(tc, tr));
                if (InLine(swapped, tr, tc)) {
                    ++moves;
                    break;
                }
            }
    return moves;
}

// None on the staircase; then only a ball whose move completes a line counts,
// and both balls of one exchange can.
TEST(CountMoves, OnlyBallsWhoseMoveCompletesALineCount)
{
    GameState state;
    state.board = StaircaseBoard();
    state.MovesLeft = 99;
    CountMoves(state);
    EXPECT_EQ(state.MovesLeft, 0);

    SetRow(state.board, 1, {1, 1, 3, 1, 5, 6, 7, 8});
    CountMoves(state);
    EXPECT_EQ(state.MovesLeft, 1);
    EXPECT_TRUE(CheckMove(state, 4, 1));   // column first: the 1 moving left
    EXPECT_FALSE(CheckMove(state, 3, 1));  // the 3 moving right completes nothing

    SetRow(state.board, 1, {1, 1, 2, 1, 2, 2, 7, 8});
    state.board.at(7, 2) = 5;
    CountMoves(state);
    EXPECT_EQ(state.MovesLeft, 2);
    EXPECT_TRUE(CheckMove(state, 3, 1));
    EXPECT_TRUE(CheckMove(state, 4, 1));
}

TEST(CheckMove, PatternsOffTheBoardNeverHold)
{
    GameState state;
    state.board = StaircaseBoard();
    // A ball in column 1 whose only matches would lie to its left (off the board)
    // and one in row 8 whose matches would lie below it.
    EXPECT_FALSE(CheckMove(state, 1, 4));
    EXPECT_FALSE(CheckMove(state, 5, 8));
    // Moving left from column 2 into column 1 with matches above and below there.
    state.board.at(1, 3) = state.board.at(1, 5) = state.board.at(2, 4);
    EXPECT_TRUE(CheckMove(state, 2, 4));
}

TEST(CheckMove, EachOfTheSixteenPatterns)
{
    // The two cells (row, column) that complete a line for the ball in row 4, column 4.
    const std::pair<int, int> cases[][2] = {
        {{3, 3}, {5, 3}}, {{2, 3}, {3, 3}}, {{5, 3}, {6, 3}}, {{4, 1}, {4, 2}},  // moving left
        {{3, 5}, {5, 5}}, {{2, 5}, {3, 5}}, {{5, 5}, {6, 5}}, {{4, 6}, {4, 7}},  // moving right
        {{3, 3}, {3, 5}}, {{3, 2}, {3, 3}}, {{3, 5}, {3, 6}}, {{1, 4}, {2, 4}},  // moving up
        {{5, 3}, {5, 5}}, {{5, 2}, {5, 3}}, {{5, 5}, {5, 6}}, {{6, 4}, {7, 4}},  // moving down
    };
    for (const auto& [a, b] : cases) {
        GameState state;
        // A checkerboard of 2 and 3 with the ball as 9: nothing else can match.
        for (int r = 1; r <= BoardSize; ++r)
            for (int col = 1; col <= BoardSize; ++col)
                state.board.at(col, r) = (r + col) % 2 ? 2 : 3;
        state.board.at(4, 4) = 9;
        EXPECT_FALSE(CheckMove(state, 4, 4));
        state.board.at(a.second, a.first) = state.board.at(b.second, b.first) = 9;
        EXPECT_TRUE(CheckMove(state, 4, 4))
            << "cells " << a.first << "," << a.second << " and " << b.first << "," << b.second;
    }
}

TEST(NewGame, DealsASettledBoardWithItsMoveCount)
{
    // Many seeds across the day, including the first and last millisecond.
    for (std::uint32_t i = 0; i < 2000; ++i) {
        const std::uint32_t t = i == 1999 ? MillisecondsPerDay - 1 : i * 43'201;
        GameState state;
        state.Score = 1234;
        NewGame(state, t);
        ASSERT_TRUE(state.board.isFull()) << "t=" << t;
        GameState probe = state;
        FindLines(probe);
        ASSERT_FALSE(probe.LinesFound) << "t=" << t;
        EXPECT_EQ(state.Score, 0);
        ASSERT_EQ(state.MovesLeft, BruteForceMoves(state.board)) << "t=" << t;
    }
}

TEST(CountMoves, AgreesWithCheckMoveOnArbitraryCodes)
{
    // Boards as an edited saved game may bring them: few colours, empty cells,
    // negative and large codes.
    GameState random;
    random.RandomState = 2024;
    const ColourCode palette[] = {0, 1, 2, -1, 300, 11};
    for (int round = 0; round < 500; ++round) {
        GameState state;
        for (auto& row : state.board.cells)
            for (ColourCode& code : row)
                code = palette[RandomBelow(random, round % 2 ? 3 : 6)];
        int expected = 0;
        for (int c = 1; c <= BoardSize; ++c)
            for (int r = 1; r <= BoardSize; ++r)
                expected += CheckMove(state, c, r) ? 1 : 0;
        CountMoves(state);
        ASSERT_EQ(state.MovesLeft, expected) << "round " << round;
    }
}

}  // namespace
