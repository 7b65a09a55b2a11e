#include "BevelPanel.h"

#include <QPainter>

namespace pomrola {

BevelPanel::BevelPanel(QWidget* parent) : QWidget(parent)
{}

void BevelPanel::setFill(const QColor& colour)
{
    fill_ = colour;
    update();
}

void BevelPanel::setBevels(Bevel outer, Bevel inner)
{
    outer_ = outer;
    inner_ = inner;
    update();
}

int BevelPanel::bevelWidth() const
{
    return (outer_ != Bevel::None ? 1 : 0) + (inner_ != Bevel::None ? 1 : 0);
}

void BevelPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (fill_.isValid())
        painter.fillRect(rect(), fill_);
    QRect frame = rect();
    for (Bevel bevel : {outer_, inner_}) {
        if (bevel == Bevel::None)
            continue;
        const QColor dark = palette().color(QPalette::Dark);
        const QColor light = palette().color(QPalette::Light);
        const QColor topLeft = bevel == Bevel::Lowered ? dark : light;
        const QColor bottomRight = bevel == Bevel::Lowered ? light : dark;
        painter.setPen(topLeft);
        painter.drawLine(frame.topLeft(), frame.topRight());
        painter.drawLine(frame.topLeft(), frame.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(frame.bottomLeft(), frame.bottomRight());
        painter.drawLine(frame.topRight(), frame.bottomRight());
        frame.adjust(1, 1, -1, -1);
    }
}

}  // namespace pomrola
