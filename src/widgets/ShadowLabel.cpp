#include "ShadowLabel.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

namespace pomrola {

ShadowLabel::ShadowLabel(const QString& text, QWidget* parent) : QWidget(parent), text_(text)
{}

void ShadowLabel::setText(const QString& text)
{
    if (text_ != text) {
        text_ = text;
        updateGeometry();
        update();
        if (QAccessible::isActive()) {
            QAccessibleEvent event(this, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
    }
}

void ShadowLabel::setTextColour(const QColor& colour)
{
    textColour_ = colour;
    update();
}

void ShadowLabel::setShadow(const QColor& colour, QPoint offset)
{
    shadowColour_ = colour;
    shadowOffset_ = offset;
    update();
}

void ShadowLabel::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    update();
}

void ShadowLabel::setWordWrap(bool on)
{
    wordWrap_ = on;
    update();
}

int ShadowLabel::textFlags() const
{
    return int(alignment_) | (wordWrap_ ? Qt::TextWordWrap : 0);
}

QSize ShadowLabel::sizeHint() const
{
    const QRect bounds = fontMetrics().boundingRect(QRect(0, 0, 10000, 10000), textFlags(), text_);
    return bounds.size() + QSize(1, 1);
}

void ShadowLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    if (!shadowOffset_.isNull()) {
        painter.setPen(shadowColour_);
        painter.drawText(rect().translated(shadowOffset_), textFlags(), text_);
    }
    painter.setPen(textColour_);
    painter.drawText(rect(), textFlags(), text_);
}

void ShadowLabel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit clicked();
}

}  // namespace pomrola
