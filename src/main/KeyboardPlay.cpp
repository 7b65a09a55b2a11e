#include "KeyboardPlay.h"

#include "CellBoard.h"
#include "CellShape.h"
#include "KeyboardCursor.h"
#include "TurnController.h"

#include <QKeyEvent>

namespace pomrola {

KeyboardPlay::KeyboardPlay(CellBoard& board, TurnController& turns)
    : board_(board), turns_(turns), frame_(new KeyboardCursor(&board))
{
    frame_->setObjectName(QStringLiteral("KeyCursor"));
    frame_->raise();
}

bool KeyboardPlay::keyPressed(const QKeyEvent& event)
{
    // Arrows from the keypad carry the keypad flag; any other modifier leaves
    // the key to the menu's shortcuts.
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const int key = event.key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Before the first arrow key the board has no cursor to act on.
        if (!cursor_.shown())
            return false;
        // A held key would pick and cancel over and over; a click does not repeat.
        if (!event.isAutoRepeat()) {
            if (CellShape* cell = board_.cellAt(cursor_.column(), cursor_.row()))
                turns_.press(*cell);
        }
        return true;
    }
    const int columns = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
    const int rows = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
    if (columns == 0 && rows == 0)
        return false;
    // The arrow that brings the cursor back shows where it is before moving it.
    if (cursor_.shown())
        cursor_.moveBy(columns, rows);
    showCursor();
    return true;
}

void KeyboardPlay::mousePressed()
{
    cursor_.hide();
    frame_->hide();
    board_.setCurrentCell(nullptr);
}

void KeyboardPlay::showCursor()
{
    cursor_.show();
    CellShape* cell = board_.cellAt(cursor_.column(), cursor_.row());
    if (cell)
        frame_->setGeometry(cell->geometry());
    frame_->show();
    frame_->raise();
    board_.setCurrentCell(cell);
}

}  // namespace pomrola
