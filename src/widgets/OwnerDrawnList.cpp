#include "OwnerDrawnList.h"

#include <QPainter>

namespace pomrola {

OwnerDrawnList::OwnerDrawnList(QWidget* parent) : QWidget(parent)
{}

void OwnerDrawnList::setColours(const QColor& background, const QColor& text)
{
    background_ = background;
    text_ = text;
    update();
}

void OwnerDrawnList::setRowHeight(int pixels)
{
    rowHeight_ = pixels;
    update();
}

void OwnerDrawnList::clear()
{
    items_.clear();
    update();
}

void OwnerDrawnList::addItem(const QString& text)
{
    items_.append(text);
    update();
}

void OwnerDrawnList::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    painter.setFont(font());
    painter.setPen(text_);
    constexpr int TextIndent = 2;
    for (int row = 0; row < items_.size(); ++row) {
        const QRect cell(0, row * rowHeight_, width(), rowHeight_);
        painter.drawText(cell.adjusted(TextIndent, 0, 0, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, items_[row]);
    }
}

}  // namespace pomrola
