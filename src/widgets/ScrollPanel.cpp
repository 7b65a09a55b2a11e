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
    if (active == active_)
        return;
    active_ = active;
    if (active) {
        offset_ = 0;
        if (isVisible())
            timer_.start();
        else
            hiddenFor_.start();
    } else {
        timer_.stop();
    }
    update();
}

int ScrollPanel::cycleLength() const
{
    // The last line reaches the top after this many ticks; the next one restarts.
    return std::max(0, static_cast<int>(lines_.size()) - 1) * lineHeight() + 1;
}

void ScrollPanel::advance(qint64 ticks)
{
    offset_ = static_cast<int>((offset_ + ticks) % cycleLength());
}

void ScrollPanel::tick()
{
    advance(1);
    update();
}

void ScrollPanel::showEvent(QShowEvent* event)
{
    if (active_ && !timer_.isActive()) {
        if (hiddenFor_.isValid() && timer_.interval() > 0)
            advance(hiddenFor_.elapsed() / timer_.interval());
        timer_.start();
    }
    QWidget::showEvent(event);
}

void ScrollPanel::hideEvent(QHideEvent* event)
{
    if (active_) {
        timer_.stop();
        hiddenFor_.start();
    }
    QWidget::hideEvent(event);
}

void ScrollPanel::paintEvent(QPaintEvent*)
{
    if (!active_)
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
