#pragma once

#include "GameSession.h"
#include "MoveReport.h"

#include <QString>

#include <cstdint>

class QWidget;

namespace pomrola {

class CellShape;
class Platform;

// What a move needs of the window that shows the game.
class TurnView {
public:
    virtual ~TurnView() = default;

    virtual void ShowBoard() = 0;
    virtual void showScore(std::int32_t score) = 0;
    virtual void showMovesLeft(std::int32_t moves) = 0;
    virtual QString scoreText() const = 0;
    virtual void setCaption(const QString& caption) = 0;
    // The records window under its caption, then the advertisement, both modal.
    virtual void showRecords(const QString& caption) = 0;
    virtual void showAdvertisement() = 0;
    // A close that was asked for during a move, carried out now.
    virtual void closeNow() = 0;
    virtual QWidget* dialogParent() = 0;
    // A move has been played out (a game end: before its name box); for a
    // screen reader.
    virtual void reportMove(const MoveResult&) {}
};

// Turns presses on the board into picks and moves: the swap, the staged
// cascade with its pauses, the move count and the end of a game. While a move
// resolves, further presses are ignored and a close request waits for it.
class TurnController {
public:
    TurnController(Platform& platform, GameSession& session, TurnView& view);

    // A press on a cell: the first pick, or the second and the move.
    void press(CellShape& cell);

    bool moveInProgress() const { return resolving_; }
    bool firstPicked() const { return FirstPicked; }

    // Returns true when the close must wait for the move to end; it then
    // happens through TurnView::closeNow.
    bool deferClose();

    // A cell name "s" + column digit + row digit as column and row.
    static void PomrMatr(const QString& name, std::int32_t& column, std::int32_t& row);

private:
    bool playMove();  // false when the swap made no line and was undone
    void gameEnd();
    void WaitWithMessages(int milliseconds);

    Platform& platform_;
    GameSession& session_;
    GameState& game_;
    TurnView& view_;
    bool FirstPicked = false;
    bool resolving_ = false;
    bool closePending_ = false;
};

}  // namespace pomrola
