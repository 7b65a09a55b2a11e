#include "CentredOnce.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace pomrola {

void CentreOnScreenOnce(QWidget& window, bool wholeDesktop)
{
    constexpr auto Centred = "pomrolaCentred";
    if (window.property(Centred).toBool())
        return;
    window.setProperty(Centred, true);
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = wholeDesktop ? screen->virtualGeometry() : screen->geometry();
    window.adjustSize();
    const QSize frame = window.frameGeometry().size();
    // Keep the top-left corner on the screen when the window is larger than it.
    const int x = std::max(area.left(), area.left() + (area.width() - frame.width()) / 2);
    const int y = std::max(area.top(), area.top() + (area.height() - frame.height()) / 2);
    window.move(x, y);
}

}  // namespace pomrola
