#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace pomrola {

// A panel whose lines scroll up one pixel per timer tick while it is active.
// When the last line stands at the top, the next tick starts again from the
// first line. An inactive panel shows only its background. While hidden an
// active panel keeps its place in the cycle by the time that passes, without
// waking the program for every tick.
class ScrollPanel : public QWidget {
    Q_OBJECT
public:
    explicit ScrollPanel(QWidget* parent = nullptr);

    void setLines(const QStringList& lines);
    const QStringList& lines() const { return lines_; }
    void setInterval(int milliseconds) { timer_.setInterval(milliseconds); }
    int interval() const { return timer_.interval(); }

    // Activating an inactive panel puts the text at its start; activating an
    // active one changes nothing.
    void setActive(bool active);
    bool isActive() const { return active_; }

    int offset() const { return offset_; }
    int lineHeight() const;
    void tick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int cycleLength() const;
    void advance(qint64 ticks);

    QStringList lines_;
    QTimer timer_;
    QElapsedTimer hiddenFor_;
    bool active_ = false;
    int offset_ = 0;
};

}  // namespace pomrola
