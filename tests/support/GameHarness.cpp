#include "GameHarness.h"

#include "Pomr_Rec_U.h"
#include "UAbout.h"
#include "UFunc.h"
#include "UHelp.h"
#include "UReclama.h"

#include <QAction>

namespace pomrola::testing {

GameHarness::GameHarness() : GameHarness(Options{})
{}

GameHarness::GameHarness(Options options)
{
    platform.clock = options.clock;
    QByteArray settings = options.settingsFile;
    if (settings.isEmpty())
        settings = "[Data]\r\nName=User\r\nDirectory=" + dir_.path().toUtf8() + "\r\n";
    EXPECT_TRUE(writeAll(settingsPath(), settings));
    if (options.createRecordsFile) {
        EXPECT_TRUE(writeAll(path(QStringLiteral("Pomrola99.rec")), {}));
    }

    StoragePaths storage{settingsPath(), QStringLiteral("pomrola-tests"), dir_.path().section(QLatin1Char('/'), -1)};
    form1_ = std::make_unique<TForm1>(platform, session, storage);
    form2 = new TForm2(session.records, form1_.get());
    helpForm = new THelpForm(form1_.get());
    reclamaForm = new TReclamaForm(form1_.get());
    aboutForm = new TAboutForm(platform, form1_.get());
    form1_->setCompanions(form2, helpForm, reclamaForm, aboutForm);
}

GameHarness::~GameHarness() = default;

QByteArray GameHarness::settingsText() const
{
    return readAll(settingsPath());
}

bool GameHarness::makeSettingsUnwritable()
{
    QFile::remove(settingsPath());
    return QDir().mkpath(settingsPath());
}

void GameHarness::click(int column, int row, Qt::MouseButton button)
{
    QTest::mouseClick(form1_->cell(column, row), button);
}

void GameHarness::press(int column, int row)
{
    if (input == Input::Mouse)
        return click(column, row);
    steerTo(column, row);
    if (input == Input::KeypadEnter)
        return key(Qt::Key_Enter, Qt::KeypadModifier);
    key(input == Input::Space ? Qt::Key_Space : Qt::Key_Return);
}

void GameHarness::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(form1_.get(), key, modifiers);
}

void GameHarness::steerTo(int column, int row)
{
    key(Qt::Key_Up);
    for (int step = 1; step < BoardSize; ++step) {
        key(Qt::Key_Left);
        key(Qt::Key_Up);
    }
    for (int step = 1; step < column; ++step)
        key(Qt::Key_Right);
    for (int step = 1; step < row; ++step)
        key(Qt::Key_Down);
}

void GameHarness::trigger(const char* name)
{
    Control<QAction>(*form1_, name)->trigger();
}

void GameHarness::setBoard(const Board& board)
{
    session.game.board = board;
    form1_->ShowBoard();
}

void GameHarness::startWith(const Board& board)
{
    setBoard(board);
    CountMoves(session.game);
    Label(*form1_, "RxLabel4")->setText(QString::number(session.game.MovesLeft));
}

void GameHarness::endGame(std::int32_t score)
{
    setBoard(StaircaseBoard());
    session.game.Score = score;
    Label(*form1_, "RxLabel3")->setText(QString::number(score));
    click(5, 5);
    click(5, 5);
}

::testing::AssertionResult GameHarness::showsTheGameDealtAt(std::uint32_t clock)
{
    GameState dealt;
    NewGame(dealt, clock);
    const QString score = Label(*form1_, "RxLabel3")->text();
    const QString moves = Label(*form1_, "RxLabel4")->text();
    if (session.game.board != dealt.board)
        return ::testing::AssertionFailure() << "another board than the one dealt at " << clock;
    if (session.game.Score != 0 || score != QStringLiteral("0"))
        return ::testing::AssertionFailure() << "score " << session.game.Score << ", shown " << score.toStdString();
    if (moves != QString::number(dealt.MovesLeft))
        return ::testing::AssertionFailure() << "moves shown " << moves.toStdString() << ", dealt " << dealt.MovesLeft;
    return ::testing::AssertionSuccess();
}

QImage GameHarness::grabBoard()
{
    return form1_->centralWidget()->grab().toImage();
}

QRect GameHarness::cellRect(int column, int row)
{
    const CellShape* cell = form1_->cell(column, row);
    return QRect(cell->mapTo(form1_->centralWidget(), QPoint(0, 0)), cell->size());
}

}  // namespace pomrola::testing
