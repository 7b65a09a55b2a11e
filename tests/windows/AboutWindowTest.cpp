#include "FindControl.h"
#include "ScriptedPlatform.h"
#include "ScrollPanel.h"
#include "UAbout.h"
#include "VersionFiles.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

class AboutWindow : public ::testing::Test {
protected:
    QString gameFile()
    {
        const VersionData data = GameVersionData();
        return WriteFileWithBlock(dir, "game.bin", &data);
    }

    QTemporaryDir dir;
    ScriptedPlatform platform;
};

TEST_F(AboutWindow, ShowingFillsTheLabelsFromTheVersionInformation)
{
    TAboutForm window(platform, nullptr, gameFile());
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(Control<QLabel>(window, "LName")->text(), QStringLiteral("Internal Name"));  // design texts until shown
    platform.pinnedPlatformId = 2;
    window.show();
    EXPECT_EQ(Control<QLabel>(window, "LName")->text(), QStringLiteral("Помрола 99"));
    EXPECT_EQ(Control<QLabel>(window, "LVersion")->text(), QStringLiteral("Version 2.25"));
    EXPECT_EQ(Control<QLabel>(window, "LCopy")->text(), QStringLiteral("(c) Maker"));
    EXPECT_EQ(Control<QLabel>(window, "LOs")->text(), QStringLiteral("Designed for 32-bit Windows"));
    EXPECT_EQ(Control<QLabel>(window, "LSystem")->text(), QStringLiteral("System is Windows NT."));
    EXPECT_EQ(Control<QLabel>(window, "LSystem")->geometry().right() + 1, 282);
    EXPECT_EQ(Control<QLabel>(window, "Image1")->pixmap().size(), QSize(85, 84));  // places: WindowLayoutTest
    EXPECT_EQ(Control<ScrollPanel>(window, "SP")->interval(), 60);
    EXPECT_EQ(Control<ScrollPanel>(window, "SP")->lines().size(), 20);
    window.hide();
}

TEST_F(AboutWindow, PlatformIdentifierChoosesTheSystemText)
{
    TAboutForm window(platform, nullptr, gameFile());
    // From 3 on the text of the last known identifier is kept.
    const std::pair<int, const char*> cases[] = {
        {0, "Win32s"}, {1, "Windows 95/98"}, {2, "Windows NT"}, {3, "Windows NT"}, {7, "Windows NT"}};
    for (const auto& [id, system] : cases) {
        platform.pinnedPlatformId = id;
        window.show();
        EXPECT_EQ(Control<QLabel>(window, "LSystem")->text(), QStringLiteral("System is %1.").arg(system)) << id;
        window.hide();
    }
    TAboutForm fresh(platform, nullptr, gameFile());
    platform.pinnedPlatformId = 3;
    fresh.show();
    EXPECT_EQ(Control<QLabel>(fresh, "LSystem")->text(), QStringLiteral("LSystem"));
    fresh.hide();
}

TEST_F(AboutWindow, ScrollsFromCreationClosesOnlyByItsButtonAndRestartsAfterAClose)
{
    TAboutForm window(platform, nullptr, gameFile());
    ScrollPanel* panel = Control<ScrollPanel>(window, "SP");
    EXPECT_TRUE(panel->isActive());
    for (int i = 0; i < 30; ++i)
        panel->tick();
    window.show();
    EXPECT_GE(panel->offset(), 30);  // the first showing does not restart it
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        QTest::keyClick(&window, key);
        EXPECT_TRUE(window.isVisible()) << "closed by key " << key;
    }
    QTest::mouseClick(Control<QToolButton>(window, "SpeedButton1"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(panel->isActive());
    window.show();
    EXPECT_TRUE(panel->isActive());
    EXPECT_EQ(panel->offset(), 0);
    window.hide();
}

TEST_F(AboutWindow, MissingVersionInformationIsReportedOnceAndTheWindowStillShows)
{
    TAboutForm window(platform, nullptr, WriteFileWithBlock(dir, "plain.bin", nullptr));
    EXPECT_EQ(platform.messages, QStringList{QStringLiteral("No Version Info Available.")});
    EXPECT_FALSE(window.hasVersionReader());
    window.show();
    EXPECT_EQ(Control<QLabel>(window, "LName")->text(), QStringLiteral("Помрола 99"));
    EXPECT_FALSE(Control<QLabel>(window, "LOs")->text().isEmpty());
    EXPECT_TRUE(Control<ScrollPanel>(window, "SP")->isActive());
    window.hide();
    EXPECT_EQ(platform.messages.size(), 1);
}

TEST_F(AboutWindow, NamesTheRunningSystemFromTheGamesOwnVersion)
{
    TAboutForm window(platform, nullptr, QStringLiteral(POMROLA_EXECUTABLE));
    window.show();
#ifdef Q_OS_WIN
    EXPECT_EQ(PlatformId(), 2);
    EXPECT_EQ(Control<QLabel>(window, "LSystem")->text(), QStringLiteral("System is Windows NT."));
#else
    EXPECT_EQ(PlatformId(), 3);  // none of the Win32 platforms: the design text stays
    EXPECT_EQ(Control<QLabel>(window, "LSystem")->text(), QStringLiteral("LSystem"));
#endif
    EXPECT_EQ(Control<QLabel>(window, "LName")->text(), QStringLiteral("Помрола 99"));
    EXPECT_EQ(Control<QLabel>(window, "LVersion")->text(), QStringLiteral("Version 2.25"));
    EXPECT_EQ(Control<QLabel>(window, "LOs")->text(), QStringLiteral("Designed for 32-bit Windows"));
    EXPECT_TRUE(platform.messages.isEmpty());
    window.hide();
}

}  // namespace
