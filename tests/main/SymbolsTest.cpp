// F6 shows a symbol inside every ball. Switched off, or never touched, the
// window and the settings file are exactly what they are without the option.
#include "BallColours.h"
#include "BoardBuilders.h"
#include "CellShape.h"
#include "GameHarness.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

// Shows the window and makes it the active one, as the player's keys need.
void ShowActive(TForm1& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

int CellsShowingSymbols(TForm1& window)
{
    int showing = 0;
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            showing += window.cell(c, r)->showsSymbol();
    return showing;
}

// The inside of a cell; the client area cuts the last column's right edge.
QImage CellOf(const QImage& board, int column, int row)
{
    return board.copy((column - 1) * 50 + 1, 31 + (row - 1) * 50 + 1, 48, 48);
}

using Symbols = WindowTest;

TEST_F(Symbols, F6SwitchesThemOnAndOffWithoutTouchingTheMenu)
{
    const Board board = StaircaseBoard();
    harness.setBoard(board);
    ShowActive(window);
    const QImage plain = harness.grabBoard();

    harness.key(Qt::Key_F6);
    EXPECT_EQ(CellsShowingSymbols(window), 64);
    const QImage withSymbols = harness.grabBoard();
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            EXPECT_NE(CellOf(withSymbols, c, r), CellOf(plain, c, r)) << "column " << c << " row " << r;

    harness.key(Qt::Key_F6);
    EXPECT_EQ(CellsShowingSymbols(window), 0);
    const QImage off = harness.grabBoard();
    EXPECT_EQ(off, plain);
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            EXPECT_EQ(off.pixelColor(harness.cellRect(c, r).topLeft() + QPoint(25, 25)), BallColour(board.at(c, r)));

    // The key belongs to the window; no menu shows it.
    QList<QAction*> menuItems;
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>())
        menuItems += menu->actions();
    for (QAction* item : menuItems)
        EXPECT_NE(item->shortcut(), QKeySequence(Qt::Key_F6)) << item->text().toStdString();
    EXPECT_EQ(window.menuBar()->actions().size(), 2);
    window.hide();
}

// Cells of one colour carry one symbol; an empty cell none; a picked one keeps it.
TEST_F(Symbols, FollowTheBoardAndThePickedCell)
{
    ShowActive(window);
    harness.key(Qt::Key_F6);
    Board board = StaircaseBoard();
    board.at(3, 3) = 0;  // empty: no symbol to draw
    harness.setBoard(board);
    const QImage shown = harness.grabBoard();
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r) {
            if (board.at(c, r) == board.at(1, 1) && !(c == 1 && r == 1)) {
                EXPECT_EQ(CellOf(shown, c, r), CellOf(shown, 1, 1)) << "column " << c << " row " << r;
            }
        }
    harness.key(Qt::Key_F6);
    EXPECT_EQ(CellOf(harness.grabBoard(), 3, 3), CellOf(shown, 3, 3));
    harness.key(Qt::Key_F6);

    harness.click(2, 2);  // picked: drawn as a rectangle, symbol kept
    ASSERT_EQ(window.cell(2, 2)->form(), CellShape::Form::Rectangle);
    const QImage picked = CellOf(harness.grabBoard(), 2, 2);
    EXPECT_EQ(picked.pixelColor(2, 2), BallColour(board.at(2, 2)));
    harness.key(Qt::Key_F6);
    EXPECT_NE(CellOf(harness.grabBoard(), 2, 2), picked);
    window.hide();
}

TEST_F(Symbols, AreRememberedAcrossARestart)
{
    QByteArray file;  // at first the harness's own
    QByteArray dataLines;
    for (const QByteArray remembered : {"1", "0"}) {
        GameHarness run(GameHarness::Options{.settingsFile = file});
        if (dataLines.isEmpty())
            dataLines = run.settingsText();
        EXPECT_EQ(CellsShowingSymbols(run.window()), file.isEmpty() ? 0 : 64);
        ShowActive(run.window());
        run.key(Qt::Key_F6);
        run.window().close();
        file = run.settingsText();
        // The section [Data] stays as it was; the option follows it.
        EXPECT_EQ(file, dataLines + "[Options]\r\nSymbols=" + remembered + "\r\n");
    }
    GameHarness third(GameHarness::Options{.settingsFile = file});
    EXPECT_EQ(CellsShowingSymbols(third.window()), 0);
}

// A player who never pressed F6 gets back the very file he had, also when
// its option holds something this program does not write.
TEST_F(Symbols, UntouchedOptionLeavesTheSettingsFileAsItWas)
{
    const QByteArray before = harness.settingsText();
    window.show();
    window.close();
    EXPECT_EQ(harness.settingsText(), before);
    EXPECT_FALSE(before.contains("Options"));

    for (const QByteArray& value : {QByteArray("yes"), QByteArray(""), QByteArray("2")}) {
        const QByteArray file = "[Options]\r\nSymbols=" + value + "\r\n[Data]\r\nName=User\r\nDirectory=/records\r\n";
        GameHarness withOption(GameHarness::Options{.settingsFile = file});
        EXPECT_EQ(CellsShowingSymbols(withOption.window()), 0) << value.constData();
        withOption.window().show();
        withOption.window().close();
        EXPECT_EQ(withOption.settingsText(), file) << value.constData();
    }
}

}  // namespace
