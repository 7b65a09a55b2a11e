#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QRandomGenerator>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

using namespace pomrola;

namespace {

class Placement : public ::testing::Test {
protected:
    QSettings settings() const
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, store.organization, store.application);
    }

    // A placement as an earlier run saved it, at the screen's own pixels per inch unless told.
    void save(const QString& normPos, int ppi = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch()))
    {
        QSettings saved = settings();
        saved.beginGroup(store.section);
        saved.setValue(QStringLiteral("PixelsPerInch"), QString::number(ppi));
        saved.setValue(QStringLiteral("NormPos"), normPos);
        const QSize screen = QGuiApplication::primaryScreen()->size();
        saved.remove(QStringLiteral("NormPos(%1x%2)").arg(screen.width()).arg(screen.height()));
    }

    QTemporaryDir dir;
    PlacementStore store{QStringLiteral("pomrola-tests"), dir.path().section(QLatin1Char('/'), -1),
                         QStringLiteral("storage/MainForm")};
    QWidget window;
};

TEST_F(Placement, RoundTripKeepsTheTopLeftCorner)
{
    window.setFixedSize(120, 90);
    window.move(210, 130);
    window.show();
    SavePlacement(store, window);
    window.move(0, 0);
    EXPECT_TRUE(RestorePlacement(store, window));
    EXPECT_EQ(window.pos(), QPoint(210, 130));
    EXPECT_EQ(window.size(), QSize(120, 90));

    QSettings saved = settings();
    saved.beginGroup(store.section);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QString sized = QStringLiteral("NormPos(%1x%2)").arg(screen.width()).arg(screen.height());
    EXPECT_EQ(saved.value(sized).toString(), saved.value(QStringLiteral("NormPos")).toString());
    for (const char* name : {"Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos", "NormPos", "Visible"})
        EXPECT_TRUE(saved.contains(QLatin1String(name))) << name;
    EXPECT_EQ(saved.value(QStringLiteral("ShowCmd")).toString(), QStringLiteral("1"));
    window.hide();
}

TEST_F(Placement, OtherPixelsPerInchOrAnEmptyRectangleCentresInstead)
{
    EXPECT_FALSE(RestorePlacement(store, window));  // nothing saved yet

    save(QStringLiteral("10,20,110,120"), 300);
    EXPECT_FALSE(RestorePlacement(store, window));
    save(QStringLiteral("50,20,50,120"));  // left not less than right
    EXPECT_FALSE(RestorePlacement(store, window));
    save(QStringLiteral("50,20,150,120"));
    EXPECT_TRUE(RestorePlacement(store, window));
    EXPECT_EQ(window.pos(), QPoint(50, 20));
}

// Positions saved on a larger or another monitor: whatever the corner, the
// window comes up where the player can reach it, and a corner that leaves a
// reachable piece (32 by 16) on the screen is kept; otherwise the window moves
// the least that puts it whole on the screen.
TEST_F(Placement, PositionOffEveryScreenIsPulledOntoTheNearestScreen)
{
    window.setFixedSize(120, 90);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const quint32 seed = 20261208;
    QRandomGenerator random(seed);
    int kept = 0, pulledIn = 0;
    for (int i = 0; i < 200; ++i) {
        // Every other corner straddles an edge of the screen.
        const bool nearEdge = i % 2;
        const int x =
            nearEdge ? random.bounded(available.left() - 140, available.right() + 20) : random.bounded(-5000, 5000);
        const int y =
            nearEdge ? random.bounded(available.top() - 110, available.bottom() + 20) : random.bounded(-5000, 5000);
        save(QStringLiteral("%1,%2,%3,%4").arg(x).arg(y).arg(x + 120).arg(y + 90));
        ASSERT_TRUE(RestorePlacement(store, window)) << "seed " << seed << " case " << i;
        const QRect placed(window.pos(), window.size());
        const QRect shown = available.intersected(QRect(x, y, 120, 90));
        SCOPED_TRACE(::testing::Message() << "seed " << seed << " case " << i << ": " << x << "," << y << " placed at "
                                          << placed.x() << "," << placed.y());
        if (available.contains(QRect(x, y, 120, 90))) {
            EXPECT_EQ(window.pos(), QPoint(x, y));
        } else if (!available.intersects(QRect(x, y, 120, 90))) {
            EXPECT_TRUE(available.contains(placed));
        } else if (shown.width() >= 32 && shown.height() >= 16) {
            EXPECT_EQ(window.pos(), QPoint(x, y));
            ++kept;
        } else {
            EXPECT_TRUE(available.contains(placed));
            // Only the direction it stuck out in changes, by the overhang alone.
            EXPECT_EQ(window.pos(), QPoint(std::clamp(x, available.left(), available.right() + 1 - 120),
                                           std::clamp(y, available.top(), available.bottom() + 1 - 90)));
            ++pulledIn;
        }
    }
    EXPECT_GT(kept, 0);
    EXPECT_GT(pulledIn, 0);
}

}  // namespace
