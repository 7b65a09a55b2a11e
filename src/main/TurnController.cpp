#include "TurnController.h"

#include "CellShape.h"
#include "Cp1251.h"
#include "Platform.h"
#include "Translated.h"
#include "UFunc.h"

#include <QCoreApplication>

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

TurnController::TurnController(Platform& platform, GameSession& session, TurnView& view)
    : platform_(platform), session_(session), game_(session.game), view_(view)
{}

void TurnController::PomrMatr(const QString& name, std::int32_t& column, std::int32_t& row)
{
    column = name.at(1).digitValue();
    row = name.at(2).digitValue();
}

void TurnController::WaitWithMessages(int milliseconds)
{
    platform_.pause(milliseconds);
}

bool TurnController::deferClose()
{
    if (resolving_)
        closePending_ = true;
    return resolving_;
}

void TurnController::press(CellShape& cell)
{
    // Presses that arrive while a move resolves are ignored: nothing re-enters the cascade.
    if (resolving_)
        return;
    cell.setForm(cell.form() == CellShape::Form::Circle ? CellShape::Form::Rectangle : CellShape::Form::Circle);
    if (!FirstPicked) {
        PomrMatr(cell.objectName(), game_.X1, game_.Y1);
        FirstPicked = true;
        return;
    }
    PomrMatr(cell.objectName(), game_.X2, game_.Y2);
    MoveResult result;
    {
        MoveInProgress busy(resolving_);
        const std::int32_t scoreBefore = game_.Score;
        if (AreNeighbours(game_))
            result.outcome = playMove() ? MoveResult::Outcome::Accepted : MoveResult::Outcome::Refused;
        else if (game_.X1 == game_.X2 && game_.Y1 == game_.Y2)
            result.outcome = MoveResult::Outcome::Cancelled;
        CountMoves(game_);
        // The counters wrap as 32-bit numbers (change 12), so does the difference.
        result.pointsGained = static_cast<std::int32_t>(static_cast<std::uint32_t>(game_.Score) -
                                                        static_cast<std::uint32_t>(scoreBefore));
        result.score = game_.Score;
        result.movesLeft = game_.MovesLeft;
        if (game_.MovesLeft != 0) {
            view_.showMovesLeft(game_.MovesLeft);
        } else {
            result.gameOver = true;
            view_.reportMove(result);
            gameEnd();
        }
        view_.ShowBoard();
        FirstPicked = false;
    }
    if (!result.gameOver)
        view_.reportMove(result);
    if (closePending_) {
        closePending_ = false;
        view_.closeNow();
    }
}

bool TurnController::playMove()
{
    SwapCells(game_);
    view_.ShowBoard();
    WaitWithMessages(SwapPauseMs);
    FindLines(game_);
    if (!game_.LinesFound) {
        SwapCells(game_);
        platform_.beep();
        return false;
    }
    // The first pass always runs a second one: its FindLines sees the cells
    // just emptied as lines of empty cells.
    while (game_.LinesFound) {
        view_.ShowBoard();
        WaitWithMessages(StagePauseMs);
        FindLines(game_);
        view_.ShowBoard();
        WaitWithMessages(StagePauseMs);
        DropBalls(game_);
        view_.ShowBoard();
        WaitWithMessages(StagePauseMs);
        RefillBoard(game_);
        view_.showScore(game_.Score);
    }
    return true;
}

void TurnController::gameEnd()
{
    session_.PlayerName = platform_.inputBox(
        view_.dialogParent(), QCoreApplication::translate("TurnController", "Ваше имя ?"),
        QCoreApplication::translate("TurnController", "Введите пожалуйста Ваше имя."), session_.PlayerName);
    view_.setCaption(Translated("GameSession", GameTitle) +
                     QCoreApplication::translate("TurnController", "      Игрок : ") + session_.PlayerName);
    view_.showMovesLeft(0);
    // A records file that cannot be written is reported; the result stays in
    // the table and the game end goes on.
    // The file work runs aside: a slow share never freezes the window.
    std::optional<QString> error;
    platform_.runAside(
        [&] { error = AddRecord(session_.records, session_.RecordsDir, ToCp1251(session_.PlayerName), game_.Score); });
    if (error)
        platform_.showMessage(view_.dialogParent(), *error);
    view_.ShowBoard();
    view_.showRecords(QCoreApplication::translate("TurnController", "Рекорды.  Ваш результат: ") + view_.scoreText());
    view_.showAdvertisement();
    view_.showScore(0);
    NewGame(game_, platform_.utcMillisecondsOfDay());
    view_.showMovesLeft(game_.MovesLeft);
}

}  // namespace pomrola
