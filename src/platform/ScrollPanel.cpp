#include "ScrollPanel.h"

#include <QPainter>

namespace pomrola {

namespace {

constexpr int InsetLeft = 6;
constexpr int Inset = 3;

}  // namespace

ScrollPanel::ScrollPanel(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &ScrollPanel::tick);
}

void ScrollPanel::setLines(const QStringList& lines)
{
    lines_ = lines;
    offset_ = 0;
    update();
}

int ScrollPanel::lineHeight() const
{
    // The character height plus the font's external leading.
    return fontMetrics().height() + fontMetrics().leading();
}

void ScrollPanel::setActive(bool active)
{
    if (active == isActive())
        return;
    if (active) {
        offset_ = 0;
        timer_.start();
    } else {
        timer_.stop();
    }
    update();
}

void ScrollPanel::tick()
{
    const int cycle = std::max(0, static_cast<int>(lines_.size()) - 1) * lineHeight();
    offset_ = offset_ >= cycle ? 0 : offset_ + 1;
    update();
}

void ScrollPanel::paintEvent(QPaintEvent*)
{
    if (!isActive())
        return;
    QPainter painter(this);
    const QRect area = rect().adjusted(InsetLeft, Inset, -Inset, -Inset);
    painter.setClipRect(area);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const int height = lineHeight();
    for (int i = 0; i < lines_.size(); ++i) {
        const int top = area.top() + i * height - offset_;
        if (top + height < area.top() || top > area.bottom())
            continue;
        painter.drawText(QRect(area.left(), top, area.width(), height), Qt::AlignLeft | Qt::AlignVCenter, lines_[i]);
    }
}

}  // namespace pomrola
