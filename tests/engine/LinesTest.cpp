#include "BoardBuilders.h"
#include "UFunc.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <utility>
#include <vector>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

using Cells = std::vector<std::pair<int, int>>;  // (row, column)

struct FindLinesCase {
    const char* name;
    std::vector<std::pair<int, Row>> rows;   // (row, its codes), set on the staircase
    std::vector<std::pair<int, int>> cells;  // (column, row), then set to `code`
    ColourCode code;
    Cells emptied;  // the cells of the lines found, in row order
};

class FindLinesShapes : public ::testing::TestWithParam<FindLinesCase> {};

TEST_P(FindLinesShapes, EmptiesExactlyTheLineCells)
{
    GameState state;
    state.board = StaircaseBoard();
    for (const auto& [row, codes] : GetParam().rows)
        SetRow(state.board, row, codes);
    for (auto [column, row] : GetParam().cells)
        state.board.at(column, row) = GetParam().code;
    const Board before = state.board;
    state.LinesFound = true;  // left from an earlier call: every call sets it anew
    FindLines(state);
    EXPECT_EQ(state.LinesFound, !GetParam().emptied.empty());
    Cells expected, changed;  // a run of empty cells is a line too, but emptying it changes nothing
    for (auto [r, c] : GetParam().emptied) {
        EXPECT_EQ(state.board.at(c, r), 0);
        if (before.at(c, r) != 0)
            expected.emplace_back(r, c);
    }
    for (int r = 1; r <= BoardSize; ++r)
        for (int c = 1; c <= BoardSize; ++c)
            if (before.at(c, r) != state.board.at(c, r))
                changed.emplace_back(r, c);
    EXPECT_EQ(changed, expected);
}

// A table laid out by hand.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Lines, FindLinesShapes,
    ::testing::Values(
        FindLinesCase{"NoRun", {}, {}, 0, {}},
        FindLinesCase{"RunOfSix", {{4, {2, 2, 2, 2, 2, 2, 5, 1}}}, {}, 0,
                      {{4, 1}, {4, 2}, {4, 3}, {4, 4}, {4, 5}, {4, 6}}},
        FindLinesCase{"WholeRow", {{8, {6, 6, 6, 6, 6, 6, 6, 6}}}, {}, 0,
                      {{8, 1}, {8, 2}, {8, 3}, {8, 4}, {8, 5}, {8, 6}, {8, 7}, {8, 8}}},
        FindLinesCase{"TwoRunsInOneRow", {{1, {3, 3, 3, 6, 3, 3, 3, 1}}}, {}, 0,
                      {{1, 1}, {1, 2}, {1, 3}, {1, 5}, {1, 6}, {1, 7}}},
        FindLinesCase{"RunsDoNotWrapRows", {{2, {1, 2, 3, 7, 7, 7, 7, 7}}, {3, {7, 7, 4, 5, 6, 8, 1, 2}}}, {}, 0,
                      {{2, 4}, {2, 5}, {2, 6}, {2, 7}, {2, 8}}},
        FindLinesCase{"ColumnAtTheBottomDoesNotWrap", {}, {{3, 6}, {3, 7}, {3, 8}, {4, 1}, {4, 2}}, 5,
                      {{6, 3}, {7, 3}, {8, 3}}},
        FindLinesCase{"Cross", {}, {{4, 2}, {4, 3}, {4, 4}, {3, 3}, {5, 3}}, 5,
                      {{2, 4}, {3, 3}, {3, 4}, {3, 5}, {4, 4}}},
        FindLinesCase{"LShape", {}, {{1, 6}, {2, 6}, {3, 6}, {1, 4}, {1, 5}}, 4,
                      {{4, 1}, {5, 1}, {6, 1}, {6, 2}, {6, 3}}},
        FindLinesCase{"TShape", {{1, {1, 8, 8, 8, 8, 8, 2, 3}}}, {{4, 2}, {4, 3}}, 8,
                      {{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {2, 4}, {3, 4}}},
        FindLinesCase{"GapBreaksTheRun", {{5, {5, 5, 1, 5, 2, 3, 4, 6}}}, {}, 0, {}},
        FindLinesCase{"ThreeEmptyCellsInARow", {}, {{3, 6}, {4, 6}, {5, 6}}, 0, {{6, 3}, {6, 4}, {6, 5}}},
        FindLinesCase{"ThreeEmptyCellsInAColumn", {}, {{6, 3}, {6, 4}, {6, 5}}, 0, {{3, 6}, {4, 6}, {5, 6}}}),
    [](const auto& instance) { return std::string(instance.param.name); });
// clang-format on

// The staircase with three empty cells, which refilling draws for in row order.
Board StaircaseWithThreeHoles()
{
    Board board = StaircaseBoard();
    board.at(1, 1) = board.at(6, 4) = board.at(8, 8) = 0;
    return board;
}

struct DropCase {
    Row before;
    Row after;
};

TEST(DropBalls, ColumnsFallByThePassRule)
{
    // A table laid out by hand.
    // clang-format off
    const DropCase cases[] = {
        {{5, 0, 2, 0, 7, 1, 4, 6}, {0, 5, 0, 2, 7, 1, 4, 6}},
        {{3, 8, 0, 0, 0, 6, 2, 5}, {0, 0, 0, 3, 8, 6, 2, 5}},
        {{1, 2, 3, 4, 5, 6, 7, 0}, {0, 1, 2, 3, 4, 5, 6, 7}},
        {{6, 0, 0, 1, 0, 2, 3, 4}, {0, 0, 6, 0, 1, 2, 3, 4}},
        {{0, 4, 0, 0, 0, 1, 2, 3}, {0, 4, 0, 0, 0, 1, 2, 3}},
        {{1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    // clang-format on
    // Every column of one board at once: columns never affect each other.
    GameState state;
    for (int c = 1; c <= 6; ++c)
        SetColumn(state.board, c, cases[c - 1].before);
    SetColumn(state.board, 7, {0, 0, 0, 0, 0, 0, 0, 0});
    SetColumn(state.board, 8, {9, 0, 0, 0, 0, 0, 0, 0});
    DropBalls(state);
    for (int c = 1; c <= 6; ++c)
        EXPECT_EQ(ColumnOf(state.board, c), cases[c - 1].after) << "column " << c;
    EXPECT_EQ(ColumnOf(state.board, 7), (Row{0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ColumnOf(state.board, 8), (Row{0, 0, 0, 0, 0, 0, 0, 9}));
}

TEST(RefillBoard, FillsEveryEmptyCellScoringFivePerCellAndAFullBoardDrawsNothing)
{
    GameState state;
    state.board = StaircaseWithThreeHoles();
    state.board.at(2, 2) = -1;  // not empty: kept
    state.Score = 10;
    state.RandomState = 77;
    RefillBoard(state);
    EXPECT_EQ(state.Score, 25);
    EXPECT_EQ(state.board.at(2, 2), -1);
    GameState expected;
    expected.RandomState = 77;
    for (auto [column, row] : {std::pair{1, 1}, std::pair{6, 4}, std::pair{8, 8}})
        EXPECT_EQ(state.board.at(column, row), RandomBelow(expected, 8) + 1) << column << ", " << row;
    EXPECT_EQ(state.RandomState, expected.RandomState);

    GameState full;  // draws nothing
    full.board = StaircaseBoard();
    full.RandomState = 5;
    full.Score = 40;
    RefillBoard(full);
    EXPECT_EQ(full.RandomState, 5u);
    EXPECT_EQ(full.Score, 40);
    EXPECT_EQ(full.board, StaircaseBoard());
}

TEST(Collapse, LineInTheTopRowIsRefilledInPlace)
{
    GameState state;
    state.board = StaircaseBoard();
    state.board.at(2, 1) = state.board.at(3, 1) = 1;  // row 1: 1 1 1 4 ...
    FindLines(state);
    ASSERT_TRUE(state.LinesFound);
    const Board emptied = state.board;
    DropBalls(state);
    EXPECT_EQ(state.board, emptied);
    RefillBoard(state);
    EXPECT_EQ(state.Score, 15);
    EXPECT_TRUE(state.board.isFull());
}

TEST(Collapse, SettleLeavesAFullBoardWithoutLines)
{
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        GameState state;
        FillBoard(state, seed * 4099);
        SettleBoard(state);
        EXPECT_TRUE(state.board.isFull());
        GameState probe = state;
        FindLines(probe);
        EXPECT_FALSE(probe.LinesFound) << "seed " << seed;
    }
}

// A saved game may carry any score: refilling near the top of the 32-bit range
// wraps around to the negative end instead of overflowing.
TEST(RefillBoard, ScoreWrapsAtTheTopOfItsRange)
{
    GameState state;
    state.board = StaircaseWithThreeHoles();
    state.Score = std::numeric_limits<std::int32_t>::max() - 7;
    RefillBoard(state);
    EXPECT_EQ(state.Score, std::numeric_limits<std::int32_t>::min() + 7);

    const unsigned seed = 4242;
    std::mt19937 random(seed);
    for (int round = 0; round < 2000; ++round) {
        GameState game;
        game.board = StaircaseBoard();
        unsigned empty = 0;
        for (int r = 1; r <= BoardSize; ++r)
            for (int c = 1; c <= BoardSize; ++c)
                if (random() % 3 == 0)
                    game.board.at(c, r) = 0, ++empty;
        const auto start = static_cast<std::int32_t>(random());
        game.Score = start;
        game.RandomState = static_cast<std::uint32_t>(random());
        SettleBoard(game);
        const std::uint32_t gained = static_cast<std::uint32_t>(game.Score) - static_cast<std::uint32_t>(start);
        ASSERT_EQ(gained % 5, 0u) << "seed " << seed << " round " << round;
        ASSERT_GE(gained, 5u * empty) << "seed " << seed << " round " << round;
    }
}

}  // namespace
