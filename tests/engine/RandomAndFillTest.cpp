#include "BoardBuilders.h"
#include "UFunc.h"

#include <gtest/gtest.h>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

TEST(RandomAndFill, GeneratorFollowsTheCongruentialSequence)
{
    GameState state;
    ReseedRandom(state, 0);
    EXPECT_EQ(RandomBelow(state, 8), 0);
    EXPECT_EQ(state.RandomState, 1u);
    EXPECT_EQ(RandomBelow(state, 8), 0);
    EXPECT_EQ(state.RandomState, 134775814u);
    // The draw is the high half of state * n, not state mod n.
    state.RandomState = 0xFFFFFFFFu;  // next state: 0xFFFFFFFF * 134775813 + 1
    const std::uint32_t next = 0xFFFFFFFFu * 134775813u + 1u;
    EXPECT_EQ(RandomBelow(state, 1000), static_cast<std::int32_t>((std::uint64_t{next} * 1000) >> 32));
}

TEST(RandomAndFill, FillAtMidnightAndAtHalfPastTwelveGivesTheKnownRows)
{
    GameState midnight, halfPastTwelve;
    FillBoard(midnight, 0);
    FillBoard(halfPastTwelve, 45'296'789);  // 12:34:56.789, in milliseconds
    EXPECT_EQ(RowOf(midnight.board, 1), (Row{1, 1, 7, 2, 3, 6, 3, 2}));
    EXPECT_EQ(RowOf(midnight.board, 2), (Row{3, 4, 1, 4, 1, 7, 1, 3}));
    EXPECT_EQ(RowOf(halfPastTwelve.board, 1), (Row{4, 3, 3, 1, 6, 4, 1, 5}));
}

TEST(RandomAndFill, EveryFillHoldsOnlyBallCodesAndDependsOnlyOnTheMillisecond)
{
    for (std::uint32_t t : {0u, 1u, 999u, 43'200'000u, MillisecondsPerDay - 1}) {
        GameState first, second;
        second.RandomState = 12345;  // whatever came before is forgotten
        FillBoard(first, t);
        FillBoard(second, t);
        EXPECT_EQ(first.board, second.board);
        for (const auto& row : first.board.cells)
            for (ColourCode code : row)
                EXPECT_TRUE(code >= 1 && code <= 8) << code;
    }
}

TEST(RandomAndFill, SwapCellsExchangesAndRestoresPassingOnlyTheLowByte)
{
    GameState state;
    state.board.at(3, 2) = 3;
    state.board.at(4, 2) = 7;
    state.X1 = 3, state.Y1 = 2, state.X2 = 4, state.Y2 = 2;
    SwapCells(state);
    EXPECT_EQ(state.board.at(3, 2), 7);
    EXPECT_EQ(state.board.at(4, 2), 3);
    SwapCells(state);
    EXPECT_EQ(state.board.at(3, 2), 3);
    EXPECT_EQ(state.board.at(4, 2), 7);

    // Only the low byte of the first cell's code passes to the second.
    state.board.at(5, 5) = 300;
    state.board.at(5, 6) = -1;
    state.X1 = 5, state.Y1 = 5, state.X2 = 5, state.Y2 = 6;
    SwapCells(state);
    EXPECT_EQ(state.board.at(5, 5), -1);
    EXPECT_EQ(state.board.at(5, 6), 44);
}

TEST(RandomAndFill, ColourTableCoversCodesZeroToTenOnly)
{
    // As 0x00BBGGRR: button face, blue, red, green, black, yellow, aqua, gray, fuchsia, maroon, lime.
    const std::uint32_t expected[] = {SystemButtonFace, 0xFF0000u, 0x0000FFu, 0x008000u, 0x000000u, 0x00FFFFu,
                                      0xFFFF00u,        0x808080u, 0xFF00FFu, 0x000080u, 0x00FF00u};
    std::uint32_t colour = 0x123456;
    for (ColourCode code = 0; code <= 10; ++code) {
        ASSERT_TRUE(LookUpColour(code, colour));
        EXPECT_EQ(colour, expected[code]) << code;
    }
    colour = 0x123456;
    EXPECT_FALSE(LookUpColour(11, colour));
    EXPECT_FALSE(LookUpColour(-1, colour));
    EXPECT_EQ(colour, 0x123456u);
}

}  // namespace
