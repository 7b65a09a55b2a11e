#include "BallColours.h"
#include "GameHarness.h"
#include "Pomr_Rec_U.h"
#include "UFunc.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

using MainWindow = WindowTest;

TEST(StartUp, ShowsASettledBoardAndTheAnonymousCaption)
{
    GameHarness harness(GameHarness::Options{.settingsFile = "[Data]\r\nName=Маша\r\n"});
    TForm1& window = harness.window();

    EXPECT_EQ(window.windowTitle(), QStringLiteral("Помрола 99      Игрок : (без имени) "));
    EXPECT_EQ(harness.session.PlayerName, QStringLiteral("Маша"));
    EXPECT_TRUE(harness.game().board.isFull());
    GameState probe = harness.game();
    FindLines(probe);
    EXPECT_FALSE(probe.LinesFound);
    // The board the pinned clock deals, its move count shown.
    EXPECT_TRUE(harness.showsTheGameDealtAt(harness.platform.clock));
}

// Each control's place and text is in WindowLayoutTest.
TEST_F(MainWindow, CellsAreMadeInNameOrderOnTheBoardPanel)
{
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);

    const QList<CellShape*> shapes = window.findChildren<CellShape*>();
    ASSERT_EQ(shapes.size(), 64);
    for (int k = 0; k < 64; ++k) {
        const int column = k / 8 + 1, row = k % 8 + 1;
        CellShape* shape = shapes[k];  // creation order: s11, s12, ..., s88
        EXPECT_EQ(shape->objectName(), QStringLiteral("s%1%2").arg(column).arg(row));
        EXPECT_EQ(shape->geometry(), QRect((column - 1) * 50, (row - 1) * 50, 50, 50));
        EXPECT_EQ(shape->parentWidget()->pos(), QPoint(0, 31));
    }
}

TEST_F(MainWindow, MenuKeepsItsOrder)
{
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->menu()->objectName(), QStringLiteral("Game"));  // captions: WindowLayoutTest
    EXPECT_EQ(menus[1]->menu()->objectName(), QStringLiteral("Hlp"));
    // Order within "Игра", separators and the records-file submenu included.
    QStringList order;
    for (QAction* action : menus[0]->menu()->actions())
        order << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(order, (QStringList{QStringLiteral("Заново"), QStringLiteral("Сохранить"), QStringLiteral("Загрузить"),
                                  QStringLiteral("Рекорды"), QStringLiteral("-"), QStringLiteral("Файл рекордов"),
                                  QStringLiteral("-"), QStringLiteral("Вы&ход")}));
}

TEST_F(MainWindow, ShowBoardPaintsCodesAndCarriesTheColourForUnknownCodes)
{
    Board board = StaircaseBoard();
    board.at(1, 1) = 2;   // red
    board.at(1, 2) = 11;  // unknown: the colour painted just before (s11)
    board.at(1, 3) = 0;   // empty: button face
    board.at(1, 4) = -1;  // unknown after an empty cell: button face again
    board.at(8, 8) = 9;   // maroon, carried into the next painting's s11
    window.cell(5, 5)->setForm(CellShape::Form::Rectangle);
    harness.setBoard(board);

    const QColor face = window.palette().color(QPalette::Button);
    EXPECT_EQ(window.cell(1, 1)->fillColour(), QColor(255, 0, 0));
    EXPECT_EQ(window.cell(1, 2)->fillColour(), QColor(255, 0, 0));
    EXPECT_EQ(window.cell(1, 3)->fillColour(), face);
    EXPECT_EQ(window.cell(1, 4)->fillColour(), face);
    EXPECT_EQ(window.cell(8, 8)->fillColour(), QColor(128, 0, 0));
    EXPECT_EQ(window.cell(5, 5)->form(), CellShape::Form::Circle);

    board.at(1, 1) = 300;
    harness.setBoard(board);
    EXPECT_EQ(window.cell(1, 1)->fillColour(), QColor(128, 0, 0));
}

TEST_F(MainWindow, EachCellCentreShowsTheColourOfItsCode)
{
    Board board = StaircaseBoard();
    board.at(1, 8) = 0;
    board.at(2, 8) = 10;
    harness.setBoard(board);
    window.show();
    const QImage image = harness.grabBoard();
    ASSERT_EQ(image.size(), QSize(399, 432));
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 8; ++c) {
            const QPoint centre = harness.cellRect(c, r).topLeft() + QPoint(25, 25);
            const QColor expected =
                board.at(c, r) == 0 ? window.palette().color(QPalette::Button) : BallColour(board.at(c, r));
            EXPECT_EQ(image.pixelColor(centre), expected) << "row " << r << " column " << c;
        }
    window.hide();
}

TEST_F(MainWindow, NewGameShowsTheAdvertisementBeforeDealing)
{
    const Board before = harness.game().board;
    harness.game().Score = 40;
    Label(window, "RxLabel3")->setText(QStringLiteral("40"));
    Board boardDuringAdvertisement;
    harness.platform.onModal = [&](QDialog&) { boardDuringAdvertisement = harness.game().board; };
    harness.platform.clock = 1000;

    harness.trigger("MnuNew");

    EXPECT_EQ(harness.platform.modalNames(), QStringList{QStringLiteral("ReclamaForm")});
    EXPECT_EQ(boardDuringAdvertisement, before);
    EXPECT_TRUE(harness.showsTheGameDealtAt(1000));
}

TEST_F(MainWindow, RecordsCommandAlwaysUsesThePlainCaption)
{
    harness.form2->setWindowTitle(QStringLiteral("Рекорды.  Ваш результат: 90"));
    harness.trigger("MnuRec");
    ASSERT_EQ(harness.platform.modals.size(), 1u);
    EXPECT_EQ(harness.platform.modals[0].objectName, QStringLiteral("Form2"));
    EXPECT_EQ(harness.platform.modals[0].caption, QStringLiteral("Рекорды"));
}

TEST_F(MainWindow, HelpAndAboutOpenModally)
{
    harness.trigger("MnuHelp");
    harness.trigger("MnuAbout");
    EXPECT_EQ(harness.platform.modalNames(), (QStringList{QStringLiteral("HelpForm"), QStringLiteral("AboutForm")}));
}

// F6 shows a symbol inside every ball. Switched off, or never touched, the
// window and the settings file are exactly what they are without the option.

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
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>())
        for (QAction* item : menu->actions())
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
