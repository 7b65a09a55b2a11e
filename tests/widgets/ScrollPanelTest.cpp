#include "ScrollPanel.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace pomrola;

namespace {

TEST(ScrollPanel, CyclesWhenTheLastLineReachesTheTop)
{
    ScrollPanel panel;
    panel.setLines({"a", "b", "c"});
    panel.setActive(true);
    const int cycle = 2 * panel.lineHeight();
    for (int i = 0; i < cycle; ++i)
        panel.tick();
    EXPECT_EQ(panel.offset(), cycle);
    panel.tick();
    EXPECT_EQ(panel.offset(), 0);
    panel.tick();
    panel.setActive(true);  // already active: nothing changes
    EXPECT_EQ(panel.offset(), 1);
}

TEST(ScrollPanel, HiddenPanelKeepsItsPlaceByTheClockWithoutTicking)
{
    ScrollPanel panel;
    panel.setLines({"a", "b", "c", "d"});
    panel.setInterval(10);
    panel.setActive(true);  // while hidden
    QTest::qWait(120);
    EXPECT_EQ(panel.offset(), 0);  // no timer ran
    panel.show();
    EXPECT_GE(panel.offset(), 10);  // caught up on showing
    EXPECT_LT(panel.offset(), 3 * panel.lineHeight() + 1);
    panel.setActive(false);
    panel.hide();
}

}  // namespace
