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

void PressF6(TForm1& window)
{
    QTest::keyClick(&window, Qt::Key_F6);
}

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

QImage GrabBoard(TForm1& window)
{
    return window.centralWidget()->grab().toImage();
}

// The inside of a cell; the client area cuts the last column's right edge.
QImage CellOf(const QImage& board, int column, int row)
{
    return board.copy((column - 1) * 50 + 1, 31 + (row - 1) * 50 + 1, 48, 48);
}

TEST(Symbols, F6SwitchesThemOnAndOffWithoutTouchingTheMenu)
{
    GameHarness harness;
    TForm1& window = harness.window();
    const Board board = StaircaseBoard();
    harness.setBoard(board);
    ShowActive(window);
    const QImage plain = GrabBoard(window);

    PressF6(window);
    EXPECT_EQ(CellsShowingSymbols(window), 64);
    const QImage withSymbols = GrabBoard(window);
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            EXPECT_NE(CellOf(withSymbols, c, r), CellOf(plain, c, r)) << "column " << c << " row " << r;

    PressF6(window);
    EXPECT_EQ(CellsShowingSymbols(window), 0);
    const QImage off = GrabBoard(window);
    EXPECT_EQ(off, plain);
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            EXPECT_EQ(off.pixelColor((c - 1) * 50 + 25, 31 + (r - 1) * 50 + 25), BallColour(board.at(c, r)));

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
TEST(Symbols, FollowTheBoardAndThePickedCell)
{
    GameHarness harness;
    TForm1& window = harness.window();
    ShowActive(window);
    PressF6(window);
    Board board = StaircaseBoard();
    board.at(3, 3) = 0;  // empty: no symbol to draw
    harness.setBoard(board);
    const QImage shown = GrabBoard(window);
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r) {
            if (board.at(c, r) == board.at(1, 1) && !(c == 1 && r == 1)) {
                EXPECT_EQ(CellOf(shown, c, r), CellOf(shown, 1, 1)) << "column " << c << " row " << r;
            }
        }
    PressF6(window);
    EXPECT_EQ(CellOf(GrabBoard(window), 3, 3), CellOf(shown, 3, 3));
    PressF6(window);

    harness.click(2, 2);  // picked: drawn as a rectangle, symbol kept
    ASSERT_EQ(window.cell(2, 2)->form(), CellShape::Form::Rectangle);
    const QImage picked = CellOf(GrabBoard(window), 2, 2);
    EXPECT_EQ(picked.pixelColor(2, 2), BallColour(board.at(2, 2)));
    PressF6(window);
    EXPECT_NE(CellOf(GrabBoard(window), 2, 2), picked);
    window.hide();
}

TEST(Symbols, AreRememberedAcrossARestart)
{
    QByteArray file;  // at first the harness's own
    QByteArray dataLines;
    for (const QByteArray remembered : {"1", "0"}) {
        GameHarness harness(GameHarness::Options{.settingsFile = file});
        if (dataLines.isEmpty())
            dataLines = harness.settingsText();
        EXPECT_EQ(CellsShowingSymbols(harness.window()), file.isEmpty() ? 0 : 64);
        ShowActive(harness.window());
        PressF6(harness.window());
        harness.window().close();
        file = harness.settingsText();
        // The section [Data] stays as it was; the option follows it.
        EXPECT_EQ(file, dataLines + "[Options]\r\nSymbols=" + remembered + "\r\n");
    }
    GameHarness third(GameHarness::Options{.settingsFile = file});
    EXPECT_EQ(CellsShowingSymbols(third.window()), 0);
}

// A player who never pressed F6 gets back the very file he had, also when
// its option holds something this program does not write.
TEST(Symbols, UntouchedOptionLeavesTheSettingsFileAsItWas)
{
    GameHarness plain;
    const QByteArray before = plain.settingsText();
    plain.window().show();
    plain.window().close();
    EXPECT_EQ(plain.settingsText(), before);
    EXPECT_FALSE(before.contains("Options"));

    for (const QByteArray& value : {QByteArray("yes"), QByteArray(""), QByteArray("2")}) {
        GameHarness::Options options;
        options.settingsFile = "[Options]\r\nSymbols=" + value + "\r\n[Data]\r\nName=User\r\nDirectory=/records\r\n";
        GameHarness harness(options);
        EXPECT_EQ(CellsShowingSymbols(harness.window()), 0) << value.constData();
        harness.window().show();
        harness.window().close();
        EXPECT_EQ(harness.settingsText(), options.settingsFile) << value.constData();
    }
}

}  // namespace
