// Each scenario is played once per input: the mouse, and the keyboard cursor
// with each key that picks.
#include "CellShape.h"
#include "OneMoveGame.h"
#include "ShadowLabel.h"
#include "UFunc.h"

#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

class TurnController : public OneMoveGame, public ::testing::WithParamInterface<Input> {
protected:
    void SetUp() override
    {
        OneMoveGame::SetUp();
        harness.input = GetParam();
    }

    // Plays the move, asks at the pause of that number to close, and tells
    // whether the window was still shown right after the request.
    bool closeRequestDuringTheMove(std::size_t atPause, const std::function<void()>& request)
    {
        window.show();
        harness.game().RandomState = 0;
        bool visibleAfterRequest = false;
        harness.platform.onPause = [&](int) {
            if (harness.platform.pauses.size() == atPause) {
                request();
                visibleAfterRequest = window.isVisible();
            }
        };
        harness.press(4, 1);
        harness.press(3, 1);
        EXPECT_EQ(harness.platform.pauses.size(), 7u);  // the move played out
        EXPECT_EQ(harness.game().Score, 15);
        return visibleAfterRequest;
    }
};

std::string InputName(const ::testing::TestParamInfo<Input>& input)
{
    const char* names[] = {"Mouse", "Space", "Return", "KeypadEnter"};
    return names[static_cast<int>(input.param)];
}

INSTANTIATE_TEST_SUITE_P(EveryInput, TurnController,
                         ::testing::Values(Input::Mouse, Input::Space, Input::Return, Input::KeypadEnter), InputName);

TEST_P(TurnController, FirstPressMarksTheCellAndPressingItAgainCancels)
{
    harness.press(2, 5);
    EXPECT_TRUE(window.firstPicked());
    EXPECT_EQ(window.cell(2, 5)->form(), CellShape::Form::Rectangle);
    EXPECT_EQ(harness.game().X1, 2);
    EXPECT_EQ(harness.game().Y1, 5);

    harness.press(2, 5);
    EXPECT_FALSE(window.firstPicked());
    EXPECT_EQ(window.cell(2, 5)->form(), CellShape::Form::Circle);
    EXPECT_EQ(harness.game().board, OneMoveBoard());
    EXPECT_EQ(harness.platform.beeps, 0);
    EXPECT_TRUE(harness.platform.pauses.empty());
}

TEST_P(TurnController, DistantOrDiagonalSecondPressSwapsNothing)
{
    for (auto [column, row] : {std::pair{4, 3}, std::pair{3, 2}, std::pair{6, 1}}) {
        Label(window, "RxLabel4")->setText(QStringLiteral("stale"));
        harness.press(4, 1);
        harness.press(column, row);
        EXPECT_EQ(harness.game().board, OneMoveBoard());
        EXPECT_EQ(harness.platform.beeps, 0);
        EXPECT_FALSE(window.firstPicked());
        EXPECT_EQ(window.cell(4, 1)->form(), CellShape::Form::Circle);
        EXPECT_EQ(window.cell(column, row)->form(), CellShape::Form::Circle);
        EXPECT_EQ(Label(window, "RxLabel4")->text(), QString::number(harness.game().MovesLeft));  // counted again
    }
    EXPECT_TRUE(harness.platform.pauses.empty());
}

TEST_P(TurnController, SwapWithoutALineIsUndoneWithABeep)
{
    harness.game().Score = 25;
    Board seen;
    harness.platform.onPause = [&](int) { seen = harness.game().board; };
    harness.press(1, 1);
    harness.press(1, 2);  // 1 and 4 exchanged: no line
    EXPECT_EQ(harness.game().board, OneMoveBoard());
    EXPECT_EQ(harness.game().Score, 25);
    EXPECT_EQ(harness.platform.beeps, 1);
    EXPECT_EQ(harness.platform.pauses, std::vector<int>{300});
    EXPECT_EQ(seen.at(1, 1), 4);  // the swapped board was shown during the pause
    EXPECT_EQ(seen.at(1, 2), 1);
    EXPECT_EQ(Label(window, "RxLabel3")->text(), QStringLiteral("0"));
    EXPECT_FALSE(window.firstPicked());
    EXPECT_EQ(window.cell(1, 1)->form(), CellShape::Form::Circle);
}

TEST_P(TurnController, AcceptedSwapClearsFallsRefillsAndScores)
{
    harness.game().RandomState = 0;
    std::vector<QString> scoreTexts;
    harness.platform.onPause = [&](int) { scoreTexts.push_back(Label(window, "RxLabel3")->text()); };

    harness.press(4, 1);
    harness.press(3, 1);

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

TEST_P(TurnController, PressesKeysAndCommandsDuringAPauseAreIgnored)
{
    harness.game().RandomState = 0;
    int pauseCount = 0;
    harness.platform.onPause = [&](int) {
        if (++pauseCount == 2) {
            EXPECT_TRUE(window.moveInProgress());
            harness.press(8, 8);
            harness.press(7, 8);
            harness.key(Qt::Key_F4);
            harness.trigger("MnuNew");
        }
    };
    harness.press(4, 1);
    harness.press(3, 1);

    EXPECT_EQ(harness.game().board, BoardAfterTheMove());
    EXPECT_TRUE(harness.platform.modals.empty());
    EXPECT_EQ(harness.platform.pauses.size(), 7u);
    EXPECT_FALSE(window.firstPicked());
    EXPECT_FALSE(window.moveInProgress());
    // The next press is a first pick again.
    harness.press(8, 8);
    EXPECT_TRUE(window.firstPicked());
}

TEST_P(TurnController, CloseRequestWaitsForTheMoveToFinish)
{
    EXPECT_TRUE(closeRequestDuringTheMove(1, [&] { window.close(); }));
    EXPECT_FALSE(window.isVisible());
}

TEST_P(TurnController, ExitCommandDuringAMoveClosesWhenTheMoveEnds)
{
    EXPECT_TRUE(closeRequestDuringTheMove(2, [&] { harness.trigger("MnuExit"); }));
    EXPECT_FALSE(window.isVisible()) << "the exit command was dropped";
}

TEST_P(TurnController, PendingPickSurvivesMenuCommands)
{
    harness.press(4, 1);
    harness.trigger("MnuRec");
    EXPECT_TRUE(window.firstPicked());
    harness.setBoard(OneMoveBoard());  // as a loaded game would
    EXPECT_EQ(window.cell(4, 1)->form(), CellShape::Form::Circle);
    harness.game().RandomState = 0;
    harness.press(3, 1);  // still the second press of the pending pair
    EXPECT_EQ(harness.game().Score, 15);
}

using MouseTurn = OneMoveGame;

TEST_F(MouseTurn, AnyButtonPicks)
{
    harness.game().RandomState = 0;
    harness.click(4, 1, Qt::RightButton);
    harness.click(3, 1, Qt::MiddleButton);
    EXPECT_EQ(harness.game().board, BoardAfterTheMove());
    EXPECT_EQ(harness.game().Score, 15);
}

TEST_F(MouseTurn, EachPressOfADoubleClickCounts)
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

// A press reaches the game as the column and row its cell's name carries.
TEST_F(MouseTurn, EveryCellPicksItsOwnColumnAndRow)
{
    for (int column = 1; column <= BoardSize; ++column)
        for (int row = 1; row <= BoardSize; ++row) {
            const QString name = QStringLiteral("s%1%2").arg(column).arg(row);
            QTest::mouseClick(Control<CellShape>(window, name.toLatin1().constData()), Qt::LeftButton);
            EXPECT_EQ(harness.game().X1, column) << name.toStdString();
            EXPECT_EQ(harness.game().Y1, row) << name.toStdString();
            harness.click(column, row);  // cancel
        }
}

}  // namespace
