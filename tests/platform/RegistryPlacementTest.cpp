// The main window's placement in the registry of the current user, under the
// game's own key. tests/platform/registry_placement.sh reads the same values
// back with Wine's reg tool.
#include "WindowPlacement.h"

#include <QRegularExpression>
#include <QSettings>
#include <QWidget>

#include <gtest/gtest.h>

using namespace pomrola;

namespace {

TEST(RegistryPlacement, SavedUnderTheGamesKeyAsText)
{
    const PlacementStore store{QStringLiteral("trumvex"), QStringLiteral("pomrola"),
                               QStringLiteral("storage/MainForm")};
    // Values saved earlier, on another screen size, would stay beside the new ones.
    QSettings(QSettings::NativeFormat, QSettings::UserScope, store.organization, store.application)
        .remove(store.section);
    QWidget window;
    window.setFixedSize(120, 90);
    window.move(123, 45);
    window.show();
    SavePlacement(store, window);

    QSettings key(QStringLiteral("HKEY_CURRENT_USER\\Software\\trumvex\\pomrola\\storage\\MainForm"),
                  QSettings::NativeFormat);
    QStringList names = key.childKeys();
    names.sort();
    ASSERT_EQ(names.size(), 8) << qPrintable(names.join(QLatin1Char(' ')));
    EXPECT_EQ(names.filter(QRegularExpression(QStringLiteral("^(MinMaxPos|NormPos)\\(\\d+x\\d+\\)$"))).size(), 2);
    for (const char* name : {"Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos", "NormPos", "Visible"})
        EXPECT_TRUE(names.contains(QLatin1String(name))) << name;
    EXPECT_EQ(key.value(QStringLiteral("ShowCmd")).toString(), QStringLiteral("1"));
    EXPECT_TRUE(key.value(QStringLiteral("NormPos")).toString().startsWith(QStringLiteral("123,45,")));

    window.move(0, 0);
    EXPECT_TRUE(RestorePlacement(store, window));
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(123, 45));
}

}  // namespace
