// The game's executable carries its version data where the version library
// finds it: on Windows the compiled resource, read through the system's
// library; elsewhere the embedded block. Both give the same values.
#include "FindControl.h"
#include "ScriptedPlatform.h"
#include "UAbout.h"
#include "VersionLibrary.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

std::uint32_t Word(const VersionValue& value, int offset)
{
    return value.data[offset] | (value.data[offset + 1] << 8);
}

std::uint32_t DoubleWord(const VersionValue& value, int offset)
{
    return Word(value, offset) | (Word(value, offset + 2) << 16);
}

TEST(GameVersion, TranslationAndFixedRecordThroughTheVersionLibrary)
{
    const QString exe = QStringLiteral(POMROLA_EXECUTABLE);
    std::uint32_t handle = 0;
    const std::uint32_t size = GetFileVersionInfoSize(exe, handle);
    ASSERT_GT(size, 0u);
    std::vector<std::uint8_t> block;
    ASSERT_TRUE(GetFileVersionInfo(exe, handle, size, block));

    VersionValue translation;
    ASSERT_TRUE(VerQueryValue(block, QStringLiteral("\\VarFileInfo\\Translation"), translation));
    ASSERT_GE(translation.length, 4u);
    EXPECT_EQ(Word(translation, 0), 0x0419u);  // Russian
    EXPECT_EQ(Word(translation, 2), 0x04E3u);  // code page 1251

    VersionValue fixed;
    ASSERT_TRUE(VerQueryValue(block, QStringLiteral("\\"), fixed));
    ASSERT_GE(fixed.length, 52u);
    EXPECT_EQ(DoubleWord(fixed, 0), 0xFEEF04BDu);  // the record's signature
    EXPECT_EQ(DoubleWord(fixed, 8), 0x00020002u);  // file version 2.2.5.0
    EXPECT_EQ(DoubleWord(fixed, 12), 0x00050000u);
    EXPECT_EQ(DoubleWord(fixed, 16), 0x00020002u);  // product version 2.2.5.0
    EXPECT_EQ(DoubleWord(fixed, 20), 0x00050000u);
    EXPECT_EQ(DoubleWord(fixed, 24), 0x3Fu);  // dwFileFlagsMask
    EXPECT_EQ(DoubleWord(fixed, 28), 0u);     // dwFileFlags
    EXPECT_EQ(DoubleWord(fixed, 32), 4u);     // dwFileOS: 32-bit Windows

    VersionValue missing;
    EXPECT_FALSE(VerQueryValue(block, QStringLiteral("\\StringFileInfo\\040904B0\\ProductVersion"), missing));
}

TEST(GameVersion, AboutWindowNamesTheRunningSystem)
{
    ScriptedPlatform platform;
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
