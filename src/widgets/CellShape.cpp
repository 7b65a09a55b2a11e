#include "CellShape.h"

#include <QMouseEvent>
#include <QPainter>

namespace pomrola {

CellShape::CellShape(QWidget* parent) : QWidget(parent) {}

void CellShape::setForm(Form form)
{
    if (form_ != form) {
        form_ = form;
        update();
    }
}

void CellShape::setFillColour(const QColor& colour)
{
    if (fill_ != colour) {
        fill_ = colour;
        update();
    }
}

void CellShape::setOutlineColour(const QColor& colour)
{
    if (outline_ != colour) {
        outline_ = colour;
        update();
    }
}

void CellShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(outline_, 1));
    painter.setBrush(fill_);
    if (form_ == Form::Rectangle) {
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height());
    QRectF square((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    painter.drawEllipse(square.adjusted(0.5, 0.5, -0.5, -0.5));
}

void CellShape::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit pressed(this);
}

}  // namespace pomrola
