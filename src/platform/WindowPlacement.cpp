#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace pomrola {

namespace {

constexpr int ShowNormal = 1;
constexpr int ShowMinimized = 2;
constexpr int ShowMaximized = 3;

QScreen* ScreenOf(const QWidget& window)
{
    return window.screen() ? window.screen() : QGuiApplication::primaryScreen();
}

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

}  // namespace

void SavePlacement(const PlacementStore& store, const QWidget& window)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, store.organization, store.application);
    settings.beginGroup(store.section);
    const QRect frame = window.frameGeometry();
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
    // The window keeps its own size: only the top-left corner is used.
    window.move(normal->topLeft());
    if (settings.value(QStringLiteral("ShowCmd")).toString().toInt() == ShowMinimized)
        window.setWindowState(window.windowState() | Qt::WindowMinimized);
    return true;
}

}  // namespace pomrola
