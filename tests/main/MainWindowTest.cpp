#include "BallColours.h"
#include "BoardBuilders.h"
#include "CellShape.h"
#include "GameHarness.h"
#include "Pomr_Rec_U.h"
#include "ShadowLabel.h"
#include "UFunc.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

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
    CountMoves(probe);
    EXPECT_EQ(Label(window, "RxLabel4")->text(), QString::number(probe.MovesLeft));
    // The start board is the one the pinned clock deals.
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

}  // namespace
