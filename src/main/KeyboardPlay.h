#pragma once

#include "BoardCursor.h"

class QKeyEvent;
class QWidget;

namespace pomrola {

class CellBoard;
class CellShape;
class KeyboardCursor;
class TurnController;

// Play without the mouse: the arrow keys steer a cursor over the board, and
// Space or Enter presses the cell under it through the turn controller, just
// as a mouse press does. Nothing shows until the first arrow key.
class KeyboardPlay {
public:
    // The cursor becomes a child of `board`, above the cells; the cell under
    // it is the board's current cell, a screen reader's focus.
    KeyboardPlay(CellBoard& board, TurnController& turns);

    // Returns false for keys that are not the board's, which the window then
    // handles as before.
    bool keyPressed(const QKeyEvent& event);
    // A mouse press on the board takes over from the keyboard.
    void mousePressed();

    const BoardCursor& cursor() const { return cursor_; }

private:
    void showCursor();

    CellBoard& board_;
    TurnController& turns_;
    BoardCursor cursor_;
    KeyboardCursor* frame_;
};

}  // namespace pomrola
