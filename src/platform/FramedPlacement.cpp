#include "FramedPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace pomrola {

namespace {

const QString WatcherName = QStringLiteral("pomrolaFrameWatcher");

// How long a window manager may take to frame a new window, and how often we
// look: it frames asynchronously, and not every framing reaches the window as
// a move.
constexpr int LookIntervalMs = 50;
constexpr int LooksBeforeGivingUp = 60;
constexpr int MostCorrections = 3;
constexpr int SteadyLooksToFinish = 4;

// Whether the window manager's frame is known: a frame around the client area.
// While the window is being framed Qt can report a frame of any size.
bool Framed(const QWindow& window)
{
    const QRect frame = window.frameGeometry();
    return frame != window.geometry() && frame.contains(window.geometry());
}

// Waits until the window manager has framed the window, moves the frame to
// where it belongs, and goes away once it stays there.
class FrameWatcher : public QObject {
public:
    FrameWatcher(QWidget& window, FramePlacer place) : QObject(&window), window_(window), place_(std::move(place))
    {
        setObjectName(WatcherName);
        window.installEventFilter(this);
        timer_.setInterval(LookIntervalMs);
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (++looks_ > LooksBeforeGivingUp)
                finish();
            else
                look();
        });
        timer_.start();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window_) {
            if (event->type() == QEvent::Hide)
                finish();
        }
        return false;
    }

private:
    // Asks the native window itself: the widget's copy of the frame margins
    // is not always brought up to date when the window manager frames it.
    void look()
    {
        QWindow* native = window_.windowHandle();
        if (!window_.isVisible() || !native || !Framed(*native))
            return;
        const QPoint wanted = place_(native->frameGeometry().size());
        if (native->framePosition() == wanted) {
            // Qt records a requested move at once and the window manager's
            // answer later: only a place that holds for a while is final.
            if (++steadyLooks_ >= SteadyLooksToFinish)
                finish();
            return;
        }
        steadyLooks_ = 0;
        if (corrections_ >= MostCorrections) {
            finish();
            return;
        }
        ++corrections_;
        // The client area's corner: the frame position is not honoured alike
        // by every window manager for every window.
        native->setPosition(wanted + (native->geometry().topLeft() - native->frameGeometry().topLeft()));
    }

    void finish()
    {
        timer_.stop();
        window_.removeEventFilter(this);
        deleteLater();
    }

    QWidget& window_;
    FramePlacer place_;
    QTimer timer_;
    int looks_ = 0;
    int corrections_ = 0;
    int steadyLooks_ = 0;
};

}  // namespace

void PlaceFrame(QWidget& window, FramePlacer place)
{
    const QSize frame = window.frameGeometry().size();
    window.move(place(frame));
    // A later placement replaces one still waiting for the frame.
    for (QObject* earlier : window.findChildren<QObject*>(WatcherName, Qt::FindDirectChildrenOnly))
        delete earlier;
    if (frame == window.size())  // not framed yet
        new FrameWatcher(window, std::move(place));
}

QScreen* ScreenOf(const QWidget& window)
{
    return window.screen() ? window.screen() : QGuiApplication::primaryScreen();
}

}  // namespace pomrola
