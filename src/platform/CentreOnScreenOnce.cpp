#include "CentreOnScreenOnce.h"

#include "FramedPlacement.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace pomrola {

namespace {

FramePlacer CentredIn(const QRect& area)
{
    return [area](const QSize& frame) {
        // Keep the top-left corner on the screen when the window is larger than it.
        return QPoint(std::max(area.left(), area.left() + (area.width() - frame.width()) / 2),
                      std::max(area.top(), area.top() + (area.height() - frame.height()) / 2));
    };
}

class CentreWhenShown : public QObject {
public:
    explicit CentreWhenShown(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            // After the window's own show handling, which sets its size.
            QTimer::singleShot(0, this, [window = QPointer<QWidget>(static_cast<QWidget*>(watched))] {
                if (window && ScreenOf(*window))
                    PlaceFrame(*window, CentredIn(ScreenOf(*window)->availableGeometry()));
            });
        }
        return false;
    }
};

}  // namespace

void CentreOnScreenWhenShown(QWidget& window)
{
    new CentreWhenShown(window);
}

void CentreOnScreenOnce(QWidget& window, bool wholeDesktop)
{
    constexpr auto Centred = "pomrolaCentred";
    if (window.property(Centred).toBool())
        return;
    window.setProperty(Centred, true);
    QScreen* screen = ScreenOf(window);
    if (!screen)
        return;
    const QRect area = wholeDesktop ? screen->virtualGeometry() : screen->geometry();
    window.adjustSize();
    PlaceFrame(window, CentredIn(area));
}

}  // namespace pomrola
