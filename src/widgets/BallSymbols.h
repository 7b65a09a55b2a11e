#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace pomrola {

// A symbol inside a ball, so that balls can be told apart without seeing
// their colours. Every ball colour has its own shape.
enum class SymbolShape { None, Dot, Ring, Cross, Plus, Square, Triangle, Diamond, Star };

struct BallSymbol {
    SymbolShape shape = SymbolShape::None;
    QColor ink;  // black or white, whichever stands out more from the ball
};

// The symbol of a colour code; codes outside 1..8 have none.
BallSymbol SymbolForCode(int code);

// Paints the symbol centred in `ball`, the ball's bounding square, scaled to
// its size.
void PaintBallSymbol(QPainter& painter, const BallSymbol& symbol, const QRectF& ball);

}  // namespace pomrola
