#include "CellShape.h"
#include "KeyboardCursor.h"
#include "MoveReport.h"
#include "OneMoveGame.h"
#include "ShadowLabel.h"

#include <QAccessible>
#include <QAction>
#include <QImage>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

// Whole moves by keyboard are played in TurnControllerTest; here is what only
// the keyboard has: its cursor.
class KeyboardPlay : public OneMoveGame {
protected:
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { harness.key(key, modifiers); }
    void keys(Qt::Key key, int times)
    {
        for (int i = 0; i < times; ++i)
            harness.key(key);
    }

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
    key(Qt::Key_Right);  // only shows where the cursor is
    EXPECT_EQ(cursorCell(), std::make_pair(1, 1));
    key(Qt::Key_Left);
    key(Qt::Key_Up);
    EXPECT_EQ(cursorCell(), std::make_pair(1, 1));
    keys(Qt::Key_Right, 12);
    EXPECT_EQ(cursorCell(), std::make_pair(8, 1));
    keys(Qt::Key_Down, 12);
    EXPECT_EQ(cursorCell(), std::make_pair(8, 8));
    key(Qt::Key_Left, Qt::KeypadModifier);  // the keypad's arrows steer as well
    EXPECT_EQ(cursorCell(), std::make_pair(7, 8));
    // With Alt, Ctrl or Shift an arrow is not the board's.
    key(Qt::Key_Left, Qt::AltModifier);
    key(Qt::Key_Up, Qt::ControlModifier);
    key(Qt::Key_Up, Qt::ShiftModifier);
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
    key(Qt::Key_Down);
    int column = 1;
    int row = 1;
    for (int step = 0; step < 600; ++step) {
        const int pick = static_cast<int>(random() % 4);
        key(arrows[pick]);
        column = std::clamp(column + (pick == 0 ? -1 : pick == 1 ? 1 : 0), 1, 8);
        row = std::clamp(row + (pick == 2 ? -1 : pick == 3 ? 1 : 0), 1, 8);
        ASSERT_EQ(cursorCell(), std::make_pair(column, row)) << "step " << step;
    }
    EXPECT_EQ(harness.game().board, OneMoveBoard());
}

TEST_F(KeyboardPlay, NoKeyActsBeforeTheFirstArrowAndAHeldKeyActsOnce)
{
    for (Qt::Key k : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_A, Qt::Key_Escape, Qt::Key_Tab})
        key(k);
    EXPECT_FALSE(window.firstPicked());
    EXPECT_EQ(cursorCell(), std::make_pair(0, 0));

    key(Qt::Key_Down);
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
    key(Qt::Key_Space);  // no cursor: the key does nothing
    EXPECT_TRUE(window.firstPicked());
    EXPECT_EQ(window.cell(6, 3)->form(), CellShape::Form::Circle);
    key(Qt::Key_Down);
    EXPECT_EQ(cursorCell(), std::make_pair(6, 3));
    key(Qt::Key_Down);
    EXPECT_EQ(cursorCell(), std::make_pair(6, 4));
}

TEST_F(KeyboardPlay, CursorSurvivesAMoveANewGameAndALoad)
{
    harness.game().RandomState = 0;
    harness.steerTo(4, 1);
    key(Qt::Key_Space);
    key(Qt::Key_Left);
    key(Qt::Key_Space);
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
    key(Qt::Key_Right);
    EXPECT_EQ(cursorCell(), std::make_pair(6, 6));
}

TEST_F(KeyboardPlay, MenuKeysKeepTheirMeaning)
{
    window.show();
    harness.steerTo(3, 3);
    // A scripted modal window shows and hides itself and keeps the activation;
    // the main window asks for it back before each key.
    auto shortcut = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        window.windowHandle()->requestActivate();
        QCoreApplication::processEvents();
        QTest::keyClick(&window, key, modifiers);
    };

    shortcut(Qt::Key_F2);
    shortcut(Qt::Key_F3);
    shortcut(Qt::Key_F5);
    shortcut(Qt::Key_F4);
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
    key(Qt::Key_Space);
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
}

// Pixels -----------------------------------------------------------------

class KeyboardCursorPixels : public KeyboardPlay {
protected:
    void SetUp() override
    {
        KeyboardPlay::SetUp();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
};

TEST_F(KeyboardCursorPixels, WindowWithoutArrowKeysLooksAsItDidBefore)
{
    // A twin from the same clock and board whose cursor is taken off its board
    // from the start stands for a window that never had one; both get the
    // same input.
    GameHarness twinHarness;
    TForm1& twin = twinHarness.window();
    std::unique_ptr<KeyboardCursor> detached(Control<KeyboardCursor>(twin, "KeyCursor"));
    detached->setParent(nullptr);
    twinHarness.setBoard(OneMoveBoard());
    Label(twin, "RxLabel4")->setText(Label(window, "RxLabel4")->text());
    twin.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&twin));
    auto bothAlike = [&](const char* after) {
        EXPECT_TRUE(harness.grabBoard() == twinHarness.grabBoard()) << "after " << after;
    };

    bothAlike("start-up");
    for (Qt::Key k : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        key(k);
        QTest::keyClick(&twin, k);
    }
    bothAlike("Space and Enter");
    harness.click(4, 4);
    twinHarness.click(4, 4);
    bothAlike("a pick");
}

TEST_F(KeyboardCursorPixels, CursorLeavesTheBallAndThePickMarkerAlone)
{
    // Cells of every colour, picked (a rectangle) and not (a circle).
    for (const auto& [column, row, picked] : {std::tuple{4, 1, true}, std::tuple{1, 1, false}, std::tuple{6, 4, true},
                                              std::tuple{3, 5, false}, std::tuple{8, 8, true}}) {
        SCOPED_TRACE(::testing::Message() << "cell " << column << row << (picked ? " picked" : ""));
        harness.setBoard(OneMoveBoard());
        harness.steerTo(column, row);
        if (picked) {
            key(Qt::Key_Space);
            ASSERT_EQ(window.cell(column, row)->form(), CellShape::Form::Rectangle);
        }
        const QImage shown = harness.grabBoard();
        cursor()->hide();
        const QImage hidden = harness.grabBoard();
        if (picked)
            key(Qt::Key_Space);  // cancel

        const QPoint origin = harness.cellRect(column, row).topLeft();
        const QColor fill = window.cell(column, row)->fillColour();
        EXPECT_EQ(shown.pixelColor(origin + QPoint(25, 25)), fill);
        int changed = 0;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 50; ++x) {
                const QPoint p = origin + QPoint(x, y);
                if (!shown.rect().contains(p))
                    continue;  // the last column is one pixel wider than the window
                const bool differs = shown.pixel(p) != hidden.pixel(p);
                changed += differs;
                const bool onOutline = x == 0 || y == 0 || x == 49 || y == 49;
                const double fromCentre = std::hypot(x + 0.5 - 25, y + 0.5 - 25);
                // The circle's outline, antialiased, and the ball inside it.
                const bool onBall = !picked && fromCentre <= 24.5 + 1.0;
                if ((picked && onOutline) || onBall) {
                    EXPECT_FALSE(differs) << "pixel " << x << ", " << y;
                }
            }
        EXPECT_GT(changed, 16) << "the cursor draws nothing";
        // Nothing outside the cell changes.
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (!harness.cellRect(column, row).contains(x, y) && shown.pixel(x, y) != hidden.pixel(x, y)) {
                    ADD_FAILURE() << "pixel " << x << ", " << y << " outside the cell";
                }
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
    key(Qt::Key_Space);
    QAccessibleInterface* picked = table->cellAt(0, 3);
    EXPECT_TRUE(picked->state().selected && picked->state().focused);
    window.findChild<QAction*>(QStringLiteral("ActSymbols"))->trigger();  // F6
    EXPECT_EQ(picked->text(QAccessible::Name), QStringLiteral("синий, точка, D1"));
    key(Qt::Key_Left);
    EXPECT_FALSE(picked->state().focused);
    key(Qt::Key_Space);
    EXPECT_FALSE(picked->state().selected);
    // The last move's report tells the game end in its place of the moves left.
    EXPECT_EQ(MoveReportText({MoveResult::Outcome::Refused, 0, 40, 0, true}),
              QStringLiteral("Ход отменён: линии нет. Игра окончена, счёт: 40."));
    EXPECT_EQ(MoveReportText({MoveResult::Outcome::Cancelled, 0, 40, 7, false}),
              QStringLiteral("Выбор снят. Осталось ходов: 7."));
}

}  // namespace
