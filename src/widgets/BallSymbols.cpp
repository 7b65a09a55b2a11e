#include "BallSymbols.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace pomrola {

namespace {

// Ink per colour: the one whose weakest luminance contrast with the ball, in
// normal vision and the three kinds of colour blindness, is the larger.
const std::array<BallSymbol, 8> Symbols = {{
    {SymbolShape::Dot, Qt::white},       // 1 blue
    {SymbolShape::Ring, Qt::black},      // 2 red
    {SymbolShape::Cross, Qt::white},     // 3 green
    {SymbolShape::Plus, Qt::white},      // 4 black
    {SymbolShape::Square, Qt::black},    // 5 yellow
    {SymbolShape::Triangle, Qt::black},  // 6 aqua
    {SymbolShape::Diamond, Qt::black},   // 7 gray
    {SymbolShape::Star, Qt::black},      // 8 fuchsia
}};

QPolygonF Star(QPointF centre, qreal outer, qreal inner)
{
    QPolygonF star;
    for (int k = 0; k < 10; ++k) {
        const qreal radius = k % 2 == 0 ? outer : inner;
        const qreal angle = -std::numbers::pi / 2 + k * std::numbers::pi / 5;
        star << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return star;
}

}  // namespace

BallSymbol SymbolForCode(int code)
{
    if (code < 1 || code > static_cast<int>(Symbols.size()))
        return {};
    return Symbols[static_cast<std::size_t>(code - 1)];
}

void PaintBallSymbol(QPainter& painter, const BallSymbol& symbol, const QRectF& ball)
{
    if (symbol.shape == SymbolShape::None)
        return;
    // The symbol fills a square of 44% of the ball, well inside its edge.
    const QPointF c = ball.center();
    const qreal h = ball.width() * 0.22;  // half the symbol's side
    const qreal stroke = std::max<qreal>(1.5, ball.width() * 0.07);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(symbol.ink, stroke, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(Qt::NoPen);
    painter.setBrush(symbol.ink);
    switch (symbol.shape) {
    case SymbolShape::None: break;
    case SymbolShape::Dot: painter.drawEllipse(c, h * 0.5, h * 0.5); break;
    case SymbolShape::Ring:
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(c, h - stroke / 2, h - stroke / 2);
        break;
    case SymbolShape::Cross:
        painter.setPen(pen);
        painter.drawLine(c + QPointF(-h, -h) * 0.85, c + QPointF(h, h) * 0.85);
        painter.drawLine(c + QPointF(-h, h) * 0.85, c + QPointF(h, -h) * 0.85);
        break;
    case SymbolShape::Plus:
        painter.setPen(pen);
        painter.drawLine(c + QPointF(-h, 0), c + QPointF(h, 0));
        painter.drawLine(c + QPointF(0, -h), c + QPointF(0, h));
        break;
    case SymbolShape::Square: {
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        // Smaller than the ring, so that the two outlines barely cross.
        const qreal half = h * 0.6 - stroke / 2;
        painter.drawRect(QRectF(c - QPointF(half, half), c + QPointF(half, half)));
        break;
    }
    case SymbolShape::Triangle:
        painter.drawPolygon(QPolygonF{c + QPointF(0, -h), c + QPointF(h, h * 0.8), c + QPointF(-h, h * 0.8)});
        break;
    case SymbolShape::Diamond:
        painter.drawPolygon(QPolygonF{c + QPointF(0, -h), c + QPointF(h, 0), c + QPointF(0, h), c + QPointF(-h, 0)});
        break;
    case SymbolShape::Star: painter.drawPolygon(Star(c, h * 1.1, h * 0.45)); break;
    }
    painter.restore();
}

}  // namespace pomrola
