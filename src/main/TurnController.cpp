// The turn controller of the main window: picks, moves with their staged
// pauses, and the end of a game.
#include "Pomrola99_U1.h"

#include "CellShape.h"
#include "Cp1251.h"
#include "Platform.h"
#include "Pomr_Rec_U.h"
#include "ShadowLabel.h"
#include "UFunc.h"
#include "UReclama.h"

namespace pomrola {

namespace {

constexpr int SwapPauseMs = 300;
constexpr int StagePauseMs = 200;

bool AreNeighbours(const GameState& game)
{
    const int dx = game.X2 - game.X1;
    const int dy = game.Y2 - game.Y1;
    return (dy == 0 && (dx == 1 || dx == -1)) || (dx == 0 && (dy == 1 || dy == -1));
}

// Clears the busy flag however the move ends.
class MoveInProgress {
public:
    explicit MoveInProgress(bool& flag) : flag_(flag) { flag_ = true; }
    ~MoveInProgress() { flag_ = false; }
    MoveInProgress(const MoveInProgress&) = delete;
    MoveInProgress& operator=(const MoveInProgress&) = delete;

private:
    bool& flag_;
};

}  // namespace

void TForm1::PomrMatr(const QString& name, std::int32_t& column, std::int32_t& row)
{
    column = name.at(1).digitValue();
    row = name.at(2).digitValue();
}

void TForm1::WaitWithMessages(int milliseconds)
{
    platform_.pause(milliseconds);
}

void TForm1::ShapeMouseDown(CellShape* cell)
{
    // Presses that arrive while a move resolves are ignored: nothing re-enters the cascade.
    if (resolving_)
        return;
    cell->setForm(cell->form() == CellShape::Form::Circle ? CellShape::Form::Rectangle : CellShape::Form::Circle);
    if (!FirstPicked) {
        PomrMatr(cell->objectName(), game_.X1, game_.Y1);
        FirstPicked = true;
        return;
    }
    PomrMatr(cell->objectName(), game_.X2, game_.Y2);
    {
        MoveInProgress busy(resolving_);
        if (AreNeighbours(game_))
            playMove();
        CountMoves(game_);
        if (game_.MovesLeft != 0)
            RxLabel4->setText(QString::number(game_.MovesLeft));
        else
            gameEnd();
        ShowBoard();
        FirstPicked = false;
    }
    if (closePending_) {
        closePending_ = false;
        close();
    }
}

void TForm1::playMove()
{
    SwapCells(game_);
    ShowBoard();
    WaitWithMessages(SwapPauseMs);
    FindLines(game_);
    if (!game_.LinesFound) {
        SwapCells(game_);
        platform_.beep();
        return;
    }
    // The first pass always runs a second one: its FindLines sees the cells
    // just emptied as lines of empty cells.
    while (game_.LinesFound) {
        ShowBoard();
        WaitWithMessages(StagePauseMs);
        FindLines(game_);
        ShowBoard();
        WaitWithMessages(StagePauseMs);
        DropBalls(game_);
        ShowBoard();
        WaitWithMessages(StagePauseMs);
        RefillBoard(game_);
        RxLabel3->setText(QString::number(game_.Score));
    }
}

void TForm1::gameEnd()
{
    session_.PlayerName = platform_.inputBox(this, QStringLiteral("Ваше имя ?"),
                                             QStringLiteral("Введите пожалуйста Ваше имя."), session_.PlayerName);
    setWindowTitle(GameTitle + QStringLiteral("      Игрок : ") + session_.PlayerName);
    RxLabel4->setText(QStringLiteral("0"));
    // A records file that cannot be written is reported; the result stays in
    // the table and the game end goes on.
    if (const auto error =
            AddRecord(session_.records, session_.RecordsDir, ToCp1251(session_.PlayerName), game_.Score))
        platform_.showMessage(this, *error);
    ShowBoard();
    if (Form2) {
        Form2->setWindowTitle(QStringLiteral("Рекорды.  Ваш результат: ") + RxLabel3->text());
        platform_.showModal(*Form2);
    }
    if (ReclamaForm)
        platform_.showModal(*ReclamaForm);
    RxLabel3->setText(QStringLiteral("0"));
    NewGame(game_, platform_.utcMillisecondsOfDay());
    RxLabel4->setText(QString::number(game_.MovesLeft));
}

}  // namespace pomrola
