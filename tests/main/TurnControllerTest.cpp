#include "GameHarness.h"
#include "KeyboardCursor.h"
#include "MoveReport.h"
#include "UFunc.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QWindow>

#include <cmath>
#include <random>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

// Each scenario is played once per input: the mouse, and the keyboard cursor
// with each key that picks.
class TurnController : public OneMoveGame, public ::testing::WithParamInterface<Input> {
protected:
    void SetUp() override
    {
        OneMoveGame::SetUp();
        harness.input = GetParam();
    }

    // Plays the move, asks at the pause of that number to close, and checks that
    // the window stayed up until the move ended and closed then.
    void closeRequestDuringTheMove(std::size_t atPause, const std::function<void()>& request)
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
        EXPECT_TRUE(visibleAfterRequest);
        EXPECT_FALSE(window.isVisible()) << "the close request was dropped";
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
    GameState counted{.board = expected};
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
    harness.press(8, 8);
    EXPECT_TRUE(window.firstPicked());
}

TEST_P(TurnController, CloseRequestWaitsForTheMoveToFinish)
{
    closeRequestDuringTheMove(1, [&] { window.close(); });
}

TEST_P(TurnController, ExitCommandDuringAMoveClosesWhenTheMoveEnds)
{
    closeRequestDuringTheMove(2, [&] { harness.trigger("MnuExit"); });
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

// Whole moves by keyboard are played above, in EveryInput; here is what only
// the keyboard has: its cursor.
class KeyboardPlay : public OneMoveGame {
protected:
    KeyboardCursor* cursor() { return Control<KeyboardCursor>(window, "KeyCursor"); }
    // The cell the cursor frames, or (0, 0) when it is hidden or framing none.
    std::pair<int, int> cursorCell()
    {
        if (!cursor()->isVisibleTo(&window))
            return {0, 0};
        for (int column = 1; column <= 8; ++column)
            for (int row = 1; row <= 8; ++row)
                if (window.cell(column, row)->geometry() == cursor()->geometry())
                    return {column, row};
        return {0, 0};
    }
};

TEST_F(KeyboardPlay, CursorStartsAtTheTopLeftAndStopsAtTheEdges)
{
    EXPECT_EQ(cursorCell(), std::make_pair(0, 0));
    harness.key(Qt::Key_Right);  // only shows where the cursor is
    EXPECT_EQ(cursorCell(), std::make_pair(1, 1));
    harness.key(Qt::Key_Left);
    harness.key(Qt::Key_Up);
    EXPECT_EQ(cursorCell(), std::make_pair(1, 1));
    for (auto [arrow, edge] : {std::pair{Qt::Key_Right, std::pair{8, 1}}, std::pair{Qt::Key_Down, std::pair{8, 8}}}) {
        for (int i = 0; i < 12; ++i)
            harness.key(arrow);
        EXPECT_EQ(cursorCell(), edge);
    }
    harness.key(Qt::Key_Left, Qt::KeypadModifier);  // the keypad's arrows steer as well
    EXPECT_EQ(cursorCell(), std::make_pair(7, 8));
    // With Alt, Ctrl or Shift an arrow is not the board's.
    harness.key(Qt::Key_Left, Qt::AltModifier);
    harness.key(Qt::Key_Up, Qt::ControlModifier);
    harness.key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(cursorCell(), std::make_pair(7, 8));
    EXPECT_EQ(harness.game().board, OneMoveBoard());
    EXPECT_FALSE(window.firstPicked());
}

TEST_F(KeyboardPlay, RandomWalksStayOnTheBoardAndStopAtItsEdges)
{
    const unsigned seed = 20261208;
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    const Qt::Key arrows[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
    harness.key(Qt::Key_Down);
    int column = 1;
    int row = 1;
    for (int step = 0; step < 600; ++step) {
        const int pick = static_cast<int>(random() % 4);
        harness.key(arrows[pick]);
        column = std::clamp(column + (pick == 0 ? -1 : pick == 1 ? 1 : 0), 1, 8);
        row = std::clamp(row + (pick == 2 ? -1 : pick == 3 ? 1 : 0), 1, 8);
        ASSERT_EQ(cursorCell(), std::make_pair(column, row)) << "step " << step;
    }
    EXPECT_EQ(harness.game().board, OneMoveBoard());
}

TEST_F(KeyboardPlay, NoKeyActsBeforeTheFirstArrowAndAHeldKeyActsOnce)
{
    for (Qt::Key k : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_A, Qt::Key_Escape, Qt::Key_Tab})
        harness.key(k);
    EXPECT_FALSE(window.firstPicked());
    EXPECT_EQ(cursorCell(), std::make_pair(0, 0));

    harness.key(Qt::Key_Down);
    QTest::keyPress(&window, Qt::Key_Space);
    for (int i = 0; i < 5; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QCoreApplication::sendEvent(&window, &repeat);
    }
    QTest::keyRelease(&window, Qt::Key_Space);
    EXPECT_TRUE(window.firstPicked());  // picked once, not picked and cancelled in turn
}

TEST_F(KeyboardPlay, MousePressHidesTheCursorWhichComesBackWhereItWas)
{
    harness.steerTo(6, 3);
    harness.click(2, 7);
    EXPECT_EQ(cursorCell(), std::make_pair(0, 0));
    EXPECT_TRUE(window.firstPicked());  // the click played as before
    EXPECT_EQ(harness.game().X1, 2);
    harness.key(Qt::Key_Space);  // no cursor: the key does nothing
    EXPECT_TRUE(window.firstPicked());
    EXPECT_EQ(window.cell(6, 3)->form(), CellShape::Form::Circle);
    harness.key(Qt::Key_Down);
    EXPECT_EQ(cursorCell(), std::make_pair(6, 3));
    harness.key(Qt::Key_Down);
    EXPECT_EQ(cursorCell(), std::make_pair(6, 4));
}

TEST_F(KeyboardPlay, CursorSurvivesAMoveANewGameAndALoad)
{
    harness.game().RandomState = 0;
    harness.steerTo(4, 1);
    harness.key(Qt::Key_Space);
    harness.key(Qt::Key_Left);
    harness.key(Qt::Key_Space);
    EXPECT_EQ(harness.game().board, BoardAfterTheMove());
    EXPECT_EQ(cursorCell(), std::make_pair(3, 1));

    harness.steerTo(5, 6);
    harness.platform.saveAnswers.push_back(harness.path(QStringLiteral("party.sav")));
    harness.trigger("MnuSave");
    const Board saved = harness.game().board;

    harness.platform.clock = 5;
    harness.trigger("MnuNew");
    EXPECT_NE(harness.game().board, saved);
    EXPECT_EQ(cursorCell(), std::make_pair(5, 6));

    harness.platform.openAnswers.push_back(harness.path(QStringLiteral("party.sav")));
    harness.trigger("MnuLoad");
    EXPECT_EQ(harness.game().board, saved);
    EXPECT_EQ(cursorCell(), std::make_pair(5, 6));
    harness.key(Qt::Key_Right);
    EXPECT_EQ(cursorCell(), std::make_pair(6, 6));
}

TEST_F(KeyboardPlay, MenuKeysKeepTheirMeaning)
{
    window.show();
    harness.steerTo(3, 3);
    // A scripted modal window shows and hides itself and keeps the activation;
    // the main window asks for it back before each key.
    for (Qt::Key key : {Qt::Key_F2, Qt::Key_F3, Qt::Key_F5, Qt::Key_F4}) {
        window.windowHandle()->requestActivate();
        QCoreApplication::processEvents();
        QTest::keyClick(&window, key);
    }
    EXPECT_EQ(harness.platform.saveRequests.size(), 1u);
    EXPECT_EQ(harness.platform.openRequests.size(), 1u);
    EXPECT_EQ(harness.platform.modalNames(), (QStringList{QStringLiteral("Form2"), QStringLiteral("ReclamaForm")}));
    EXPECT_EQ(cursorCell(), std::make_pair(3, 3));
}

TEST_F(KeyboardPlay, CtrlXStillCloses)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    harness.steerTo(2, 2);
    harness.key(Qt::Key_Space);
    harness.key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
}

using KeyboardCursorPixels = KeyboardPlay;

TEST_F(KeyboardCursorPixels, WindowWithoutArrowKeysLooksAsItDidBefore)
{
    // A twin from the same clock and board whose cursor is taken off its board
    // from the start stands for a window that never had one; both get the
    // same input.
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    GameHarness twinHarness;
    TForm1& twin = twinHarness.window();
    std::unique_ptr<KeyboardCursor> detached(Control<KeyboardCursor>(twin, "KeyCursor"));
    detached->setParent(nullptr);
    twinHarness.startWith(OneMoveBoard());
    twin.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&twin));
    auto bothAlike = [&](const char* after) {
        EXPECT_TRUE(harness.grabBoard() == twinHarness.grabBoard()) << "after " << after;
    };

    bothAlike("start-up");
    for (Qt::Key k : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        harness.key(k);
        twinHarness.key(k);
    }
    bothAlike("Space and Enter");
    harness.click(4, 4);
    twinHarness.click(4, 4);
    bothAlike("a pick");
}

TEST_F(KeyboardCursorPixels, CursorLeavesTheBallAndThePickMarkerAlone)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // Cells of every colour, picked (a rectangle) and not (a circle).
    for (const auto& [column, row, picked] : {std::tuple{4, 1, true}, std::tuple{1, 1, false}, std::tuple{6, 4, true},
                                              std::tuple{3, 5, false}, std::tuple{8, 8, true}}) {
        SCOPED_TRACE(::testing::Message() << "cell " << column << row << (picked ? " picked" : ""));
        harness.setBoard(OneMoveBoard());
        harness.steerTo(column, row);
        if (picked) {
            harness.key(Qt::Key_Space);
            ASSERT_EQ(window.cell(column, row)->form(), CellShape::Form::Rectangle);
        }
        const QImage shown = harness.grabBoard();
        cursor()->hide();
        const QImage hidden = harness.grabBoard();
        if (picked)
            harness.key(Qt::Key_Space);  // cancel

        const QRect cell = harness.cellRect(column, row);
        EXPECT_EQ(shown.pixelColor(cell.topLeft() + QPoint(25, 25)), window.cell(column, row)->fillColour());
        int changed = 0;
        // The last column's cell is one pixel wider than the picture.
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const bool differs = shown.pixel(x, y) != hidden.pixel(x, y);
                const int inX = x - cell.left(), inY = y - cell.top();
                if (!cell.contains(x, y)) {
                    EXPECT_FALSE(differs) << "pixel " << x << ", " << y << " outside the cell";
                    continue;
                }
                changed += differs;
                const bool onOutline = inX == 0 || inY == 0 || inX == 49 || inY == 49;
                // The circle's outline, antialiased, and the ball inside it.
                const bool onBall = !picked && std::hypot(inX + 0.5 - 25, inY + 0.5 - 25) <= 24.5 + 1.0;
                if ((picked && onOutline) || onBall) {
                    EXPECT_FALSE(differs) << "pixel " << inX << ", " << inY;
                }
            }
        EXPECT_GT(changed, 16) << "the cursor draws nothing";
    }
}

// What a screen reader reads (offscreen Qt has no accessibility bus, so the
// events themselves are checked on a real one by ScreenReaderUnderXvfb).
TEST_F(KeyboardPlay, AScreenReaderReadsEveryCellItsPickAndTheCursor)
{
    const char* colours[] = {"синий", "красный", "зелёный", "чёрный", "жёлтый", "голубой", "серый", "пурпурный"};
    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(window.cell(1, 1))->parent()->tableInterface();
    ASSERT_TRUE(table);
    ASSERT_EQ(std::make_pair(table->rowCount(), table->columnCount()), std::make_pair(8, 8));
    for (unsigned seed : {1u, 2u, 20261208u}) {
        std::mt19937 random(seed);
        Board board;
        for (int c = 1; c <= 8; ++c)
            for (int r = 1; r <= 8; ++r)
                board.at(c, r) = static_cast<ColourCode>(random() % 8 + 1);
        harness.setBoard(board);
        for (int c = 1; c <= 8; ++c)
            for (int r = 1; r <= 8; ++r)
                ASSERT_EQ(
                    table->cellAt(r - 1, c - 1)->text(QAccessible::Name),
                    QString::fromUtf8(colours[board.at(c, r) - 1]) + ", " + QChar(u'A' + c - 1) + QString::number(r))
                    << "seed " << seed;
    }
    harness.setBoard(OneMoveBoard());
    harness.steerTo(4, 1);
    harness.key(Qt::Key_Space);
    QAccessibleInterface* picked = table->cellAt(0, 3);
    EXPECT_TRUE(picked->state().selected && picked->state().focused);
    harness.trigger("ActSymbols");  // F6
    EXPECT_EQ(picked->text(QAccessible::Name), QStringLiteral("синий, точка, D1"));
    harness.key(Qt::Key_Left);
    EXPECT_FALSE(picked->state().focused);
    harness.key(Qt::Key_Space);
    EXPECT_FALSE(picked->state().selected);
    // The last move's report tells the game end in its place of the moves left.
    EXPECT_EQ(MoveReportText({MoveResult::Outcome::Refused, 0, 40, 0, true}),
              QStringLiteral("Ход отменён: линии нет. Игра окончена, счёт: 40."));
    EXPECT_EQ(MoveReportText({MoveResult::Outcome::Cancelled, 0, 40, 7, false}),
              QStringLiteral("Выбор снят. Осталось ходов: 7."));
}

}  // namespace
