#include "WindowPlacement.h"

#include "FramedPlacement.h"

#include <QGuiApplication>
#include <QList>

#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace pomrola {

namespace {

constexpr int ShowNormal = 1;
constexpr int ShowMinimized = 2;
constexpr int ShowMaximized = 3;

QString ScreenSuffix(const QWidget& window)
{
    const QSize size = ScreenOf(window) ? ScreenOf(window)->size() : QSize();
    return QStringLiteral("(%1x%2)").arg(size.width()).arg(size.height());
}

int PixelsPerInch(const QWidget& window)
{
    return ScreenOf(window) ? qRound(ScreenOf(window)->logicalDotsPerInch()) : 96;
}

QString FourNumbers(int a, int b, int c, int d)
{
    return QStringLiteral("%1,%2,%3,%4").arg(a).arg(b).arg(c).arg(d);
}

std::optional<QRect> ParseRect(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return QRect(QPoint(v[0], v[1]), QPoint(v[2] - 1, v[3] - 1));
}

// The smallest piece of a window that must show on some screen for the player
// to reach it.
constexpr int ReachableWidth = 32;
constexpr int ReachableHeight = 16;

int DistanceBetween(const QRect& a, const QRect& b)
{
    const int dx = std::max({0, a.left() - b.right(), b.left() - a.right()});
    const int dy = std::max({0, a.top() - b.bottom(), b.top() - a.bottom()});
    return dx + dy;
}

}  // namespace

QPoint PulledOntoScreen(const QRect& frame)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return frame.topLeft();
    QRect nearest = screens.front()->availableGeometry();
    for (QScreen* screen : screens) {
        const QRect area = screen->availableGeometry();
        const QRect shown = area.intersected(frame);
        if (shown.width() >= std::min(ReachableWidth, frame.width()) &&
            shown.height() >= std::min(ReachableHeight, frame.height()))
            return frame.topLeft();
        if (DistanceBetween(area, frame) < DistanceBetween(nearest, frame))
            nearest = area;
    }
    // The whole window on the nearest screen; a window larger than the screen
    // keeps its top-left corner there.
    const int x = std::max(nearest.left(), std::min(frame.left(), nearest.right() + 1 - frame.width()));
    const int y = std::max(nearest.top(), std::min(frame.top(), nearest.bottom() + 1 - frame.height()));
    return QPoint(x, y);
}

void SavePlacement(const PlacementStore& store, const QWidget& window)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, store.organization, store.application);
    settings.beginGroup(store.section);
    // Where the window system has the client area now (Qt's own record can lag
    // behind the window manager's last move), less the frame's margins.
    const QPoint frameMargin = window.geometry().topLeft() - window.frameGeometry().topLeft();
    const QRect frame(window.mapToGlobal(QPoint(0, 0)) - frameMargin, window.frameGeometry().size());
    const int showCmd = window.isMinimized() ? ShowMinimized : window.isMaximized() ? ShowMaximized : ShowNormal;
    const QString normPos = FourNumbers(frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1);
    const QString minMaxPos = FourNumbers(-1, -1, -1, -1);
    settings.setValue(QStringLiteral("Flags"), QStringLiteral("0"));
    settings.setValue(QStringLiteral("ShowCmd"), QString::number(showCmd));
    settings.setValue(QStringLiteral("PixelsPerInch"), QString::number(PixelsPerInch(window)));
    settings.setValue(QStringLiteral("MinMaxPos"), minMaxPos);
    settings.setValue(QStringLiteral("NormPos"), normPos);
    settings.setValue(QStringLiteral("MinMaxPos") + ScreenSuffix(window), minMaxPos);
    settings.setValue(QStringLiteral("NormPos") + ScreenSuffix(window), normPos);
    settings.setValue(QStringLiteral("Visible"), window.isVisible() ? QStringLiteral("1") : QStringLiteral("0"));
}

bool RestorePlacement(const PlacementStore& store, QWidget& window)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, store.organization, store.application);
    settings.beginGroup(store.section);
    bool ppiOk = false;
    const int ppi = settings.value(QStringLiteral("PixelsPerInch")).toString().toInt(&ppiOk);
    if (!ppiOk || ppi != PixelsPerInch(window))
        return false;
    QString normPos = settings.value(QStringLiteral("NormPos") + ScreenSuffix(window)).toString();
    if (normPos.isEmpty())
        normPos = settings.value(QStringLiteral("NormPos")).toString();
    const std::optional<QRect> normal = ParseRect(normPos);
    if (!normal || normal->left() >= normal->right() + 1)
        return false;
    // The window keeps its own size: only the top-left corner of its frame is
    // used, the corner that SavePlacement stored.
    const QPoint corner = normal->topLeft();
    PlaceFrame(window, [corner](const QSize& frame) { return PulledOntoScreen(QRect(corner, frame)); });
    if (settings.value(QStringLiteral("ShowCmd")).toString().toInt() == ShowMinimized)
        window.setWindowState(window.windowState() | Qt::WindowMinimized);
    return true;
}

}  // namespace pomrola
