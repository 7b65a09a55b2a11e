#include "BoardBuilders.h"
#include "CellShape.h"
#include "GameHarness.h"
#include "ShadowLabel.h"
#include "UFunc.h"

#include <QAction>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

// The staircase board has no move. In this top row the 1 in column 4 moving
// left completes 1 1 1 in columns 1 to 3; the bottom row keeps a move for
// later, so that the game does not end.
constexpr Row BottomRowWithAMove = {6, 6, 8, 6, 2, 3, 4, 5};

Board OneMoveBoard()
{
    Board board = StaircaseBoard();
    SetRow(board, 1, {1, 1, 3, 1, 5, 6, 7, 8});
    SetRow(board, 8, BottomRowWithAMove);
    return board;
}

Board BoardAfterTheMove()
{
    Board board = StaircaseBoard();
    SetRow(board, 1, {1, 1, 7, 3, 5, 6, 7, 8});
    SetRow(board, 8, BottomRowWithAMove);
    return board;
}

class TurnController : public ::testing::Test {
protected:
    void SetUp() override
    {
        harness.setBoard(OneMoveBoard());
        CountMoves(harness.game());
        Label(harness.window(), "RxLabel4")->setText(QString::number(harness.game().MovesLeft));
    }

    GameHarness harness;
    TForm1& window = harness.window();
};

TEST_F(TurnController, FirstPressMarksTheCellAndPressingItAgainCancels)
{
    harness.click(2, 5);
    EXPECT_TRUE(window.firstPicked());
    EXPECT_EQ(window.cell(2, 5)->form(), CellShape::Form::Rectangle);
    EXPECT_EQ(harness.game().X1, 2);
    EXPECT_EQ(harness.game().Y1, 5);

    harness.click(2, 5);
    EXPECT_FALSE(window.firstPicked());
    EXPECT_EQ(window.cell(2, 5)->form(), CellShape::Form::Circle);
    EXPECT_EQ(harness.game().board, OneMoveBoard());
    EXPECT_EQ(harness.platform.beeps, 0);
    EXPECT_TRUE(harness.platform.pauses.empty());
}

TEST_F(TurnController, EachPressOfADoubleClickCounts)
{
    // What a widget receives of a double click: press, release, the double-click
    // event in place of the second press, release.
    CellShape* shape = window.cell(6, 6);
    QTest::mouseClick(shape, Qt::LeftButton);
    const QPointF centre(25, 25);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, centre, shape->mapToGlobal(centre), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(shape, &doubleClick);
    QTest::mouseRelease(shape, Qt::LeftButton);
    EXPECT_FALSE(window.firstPicked());  // picked, then cancelled
    EXPECT_EQ(window.cell(6, 6)->form(), CellShape::Form::Circle);
    EXPECT_EQ(harness.platform.beeps, 0);
}

TEST_F(TurnController, DistantOrDiagonalSecondPressSwapsNothing)
{
    for (auto [column, row] : {std::pair{4, 3}, std::pair{3, 2}}) {
        Label(window, "RxLabel4")->setText(QStringLiteral("stale"));
        harness.click(4, 1);
        harness.click(column, row);
        EXPECT_EQ(harness.game().board, OneMoveBoard());
        EXPECT_EQ(harness.platform.beeps, 0);
        EXPECT_FALSE(window.firstPicked());
        EXPECT_EQ(window.cell(4, 1)->form(), CellShape::Form::Circle);
        EXPECT_EQ(window.cell(column, row)->form(), CellShape::Form::Circle);
        EXPECT_EQ(Label(window, "RxLabel4")->text(), QString::number(harness.game().MovesLeft));  // counted again
    }
    EXPECT_TRUE(harness.platform.pauses.empty());
}

TEST_F(TurnController, SwapWithoutALineIsUndoneWithABeep)
{
    harness.game().Score = 25;
    Board seen;
    harness.platform.onPause = [&](int) { seen = harness.game().board; };
    harness.click(1, 1);
    harness.click(1, 2);  // 1 and 4 exchanged: no line
    EXPECT_EQ(harness.game().board, OneMoveBoard());
    EXPECT_EQ(harness.game().Score, 25);
    EXPECT_EQ(harness.platform.beeps, 1);
    EXPECT_EQ(harness.platform.pauses, std::vector<int>{300});
    EXPECT_EQ(seen.at(1, 1), 4);  // the swapped board was shown during the pause
    EXPECT_EQ(seen.at(1, 2), 1);
    EXPECT_EQ(Label(window, "RxLabel3")->text(), QStringLiteral("0"));
}

TEST_F(TurnController, AcceptedSwapClearsFallsRefillsAndScores)
{
    // From RandomState 0 the next draws are 1, 1, 7: they refill row 1's
    // columns 1 to 3, which the line emptied (nothing above them can fall).
    harness.game().RandomState = 0;
    std::vector<QString> scoreTexts;
    harness.platform.onPause = [&](int) { scoreTexts.push_back(Label(window, "RxLabel3")->text()); };

    harness.click(4, 1, Qt::RightButton);  // any button picks
    harness.click(3, 1, Qt::MiddleButton);

    const Board expected = BoardAfterTheMove();
    EXPECT_EQ(harness.game().board, expected);
    EXPECT_EQ(harness.game().Score, 15);
    EXPECT_EQ(Label(window, "RxLabel3")->text(), QStringLiteral("15"));
    EXPECT_EQ(harness.platform.beeps, 0);
    // The swap, then two passes of three pauses; the score shows after each pass.
    EXPECT_EQ(harness.platform.pauses, (std::vector<int>{300, 200, 200, 200, 200, 200, 200}));
    EXPECT_EQ(scoreTexts, (std::vector<QString>{"0", "0", "0", "0", "15", "15", "15"}));
    GameState counted;
    counted.board = expected;
    CountMoves(counted);
    EXPECT_EQ(Label(window, "RxLabel4")->text(), QString::number(counted.MovesLeft));
    EXPECT_FALSE(window.firstPicked());
}

TEST_F(TurnController, PressesAndCommandsDuringAPauseAreIgnored)
{
    harness.game().RandomState = 0;
    int pauseCount = 0;
    harness.platform.onPause = [&](int) {
        if (++pauseCount == 2) {
            EXPECT_TRUE(window.moveInProgress());
            harness.click(8, 8);
            harness.click(7, 8);
            window.findChild<QAction*>(QStringLiteral("MnuNew"))->trigger();
        }
    };
    harness.click(4, 1);
    harness.click(3, 1);

    EXPECT_EQ(harness.game().board, BoardAfterTheMove());
    EXPECT_TRUE(harness.platform.modals.empty());
    EXPECT_EQ(harness.platform.pauses.size(), 7u);
    EXPECT_FALSE(window.firstPicked());
    EXPECT_FALSE(window.moveInProgress());
    // The next press is a first pick again.
    harness.click(8, 8);
    EXPECT_TRUE(window.firstPicked());
}

TEST_F(TurnController, CloseRequestWaitsForTheMoveToFinish)
{
    window.show();
    harness.game().RandomState = 0;
    bool visibleAfterRequest = false;
    harness.platform.onPause = [&](int) {
        if (harness.platform.pauses.size() == 1) {
            window.close();
            visibleAfterRequest = window.isVisible();
        }
    };
    harness.click(4, 1);
    harness.click(3, 1);
    EXPECT_TRUE(visibleAfterRequest);
    EXPECT_EQ(harness.platform.pauses.size(), 7u);  // the move played out
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(harness.game().Score, 15);
}

TEST_F(TurnController, ExitCommandDuringAMoveClosesWhenTheMoveEnds)
{
    window.show();
    harness.game().RandomState = 0;
    bool visibleAfterRequest = false;
    harness.platform.onPause = [&](int) {
        if (harness.platform.pauses.size() == 2) {
            window.findChild<QAction*>(QStringLiteral("MnuExit"))->trigger();
            visibleAfterRequest = window.isVisible();
        }
    };
    harness.click(4, 1);
    harness.click(3, 1);
    EXPECT_TRUE(visibleAfterRequest);
    EXPECT_EQ(harness.platform.pauses.size(), 7u);  // the move played out
    EXPECT_EQ(harness.game().Score, 15);
    EXPECT_FALSE(window.isVisible()) << "the exit command was dropped";
}

TEST_F(TurnController, PendingPickSurvivesMenuCommands)
{
    harness.click(4, 1);
    window.findChild<QAction*>(QStringLiteral("MnuRec"))->trigger();
    EXPECT_TRUE(window.firstPicked());
    harness.setBoard(OneMoveBoard());  // as a loaded game would
    EXPECT_EQ(window.cell(4, 1)->form(), CellShape::Form::Circle);
    harness.game().RandomState = 0;
    harness.click(3, 1);  // still the second press of the pending pair
    EXPECT_EQ(harness.game().Score, 15);
}

TEST(PomrMatr, ReadsColumnThenRowFromTheCellName)
{
    std::int32_t column = 0, row = 0;
    pomrola::TurnController::PomrMatr(QStringLiteral("s38"), column, row);
    EXPECT_EQ(column, 3);
    EXPECT_EQ(row, 8);
}

}  // namespace
