#include "CellShape.h"

#include "BallSymbols.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

namespace pomrola {

CellShape::CellShape(QWidget* parent) : QWidget(parent)
{}

void CellShape::setPlace(int column, int row)
{
    column_ = column;
    row_ = row;
}

void CellShape::notifyAccessible(bool nameChanged)
{
    if (!QAccessible::isActive())
        return;
    if (nameChanged) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessible::State changed;
        changed.selected = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void CellShape::setForm(Form form)
{
    if (form_ != form) {
        form_ = form;
        update();
        notifyAccessible(false);
    }
}

void CellShape::setFillColour(const QColor& colour)
{
    if (fill_ != colour) {
        fill_ = colour;
        update();
        notifyAccessible(true);
    }
}

void CellShape::setOutlineColour(const QColor& colour)
{
    if (outline_ != colour) {
        outline_ = colour;
        update();
        notifyAccessible(true);
    }
}

void CellShape::setSymbolCode(int code)
{
    if (symbolCode_ != code) {
        symbolCode_ = code;
        if (showSymbol_) {
            update();
            notifyAccessible(true);
        }
    }
}

void CellShape::setShowSymbol(bool show)
{
    if (showSymbol_ != show) {
        showSymbol_ = show;
        update();
        notifyAccessible(true);
    }
}

void CellShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(outline_, 1));
    painter.setBrush(fill_);
    const int side = std::min(width(), height());
    const QRectF square((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    if (form_ == Form::Rectangle) {
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    } else {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawEllipse(square.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    if (showSymbol_)
        PaintBallSymbol(painter, SymbolForCode(symbolCode_), square);
}

void CellShape::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit pressed(this);
}

}  // namespace pomrola
