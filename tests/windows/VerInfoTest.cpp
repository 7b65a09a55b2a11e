#include "VerInfo.h"
#include "VersionFiles.h"
#include "VersionLibrary.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

class VersionReader : public ::testing::Test {
protected:
    QString fileWith(const VersionData& data) { return WriteFileWithBlock(dir, "with-block.bin", &data); }

    QTemporaryDir dir;
};

std::uint32_t Word(const VersionValue& value, int offset)
{
    return value.data[offset] | (value.data[offset + 1] << 8);
}

std::uint32_t DoubleWord(const VersionValue& value, int offset)
{
    return Word(value, offset) | (Word(value, offset + 2) << 16);
}

template <typename Error>
QString ErrorOf(const QString& path)
{
    try {
        TVerInfoRes reader(path);
    } catch (const Error& error) {
        return error.message();
    } catch (const Exception& other) {
        return QStringLiteral("wrong class: ") + other.message();
    }
    return QStringLiteral("no error");
}

TEST_F(VersionReader, ReadsTheStringsOfTheFirstTranslationAndEmptyTextsForMissingOnes)
{
    TVerInfoRes reader(fileWith(GameVersionData()));
    EXPECT_EQ(reader.GetVersionString(VersionKey::InternalName), QStringLiteral("Помрола 99"));
    EXPECT_EQ(reader.GetVersionString(VersionKey::ProductVersion), QStringLiteral("2.25"));
    EXPECT_EQ(reader.GetVersionString(VersionKey::Comments), QStringLiteral("Game"));
    EXPECT_EQ(reader.GetVersionString(VersionKey::FileDescription), QString());  // present but empty
    EXPECT_EQ(reader.GetOsDescription(), QStringLiteral("Designed for 32-bit Windows"));
    EXPECT_TRUE(reader.FileFlags().isEmpty());

    VersionData only = GameVersionData();
    only.strings = {{"ProductName", "Only"}};
    TVerInfoRes onlyOne(fileWith(only));
    EXPECT_EQ(onlyOne.GetVersionString(VersionKey::ProductName), QStringLiteral("Only"));
    EXPECT_EQ(onlyOne.GetVersionString(VersionKey::CompanyName), QString());  // missing: an empty text
    EXPECT_EQ(onlyOne.GetVersionString(VersionKey::LegalCopyright), QString());
}

TEST_F(VersionReader, QueryPathKeepsLeadingZerosOfLanguageAndCodePage)
{
    VersionData data = GameVersionData();
    data.language = 0x0009;
    data.codePage = 0x04B0;
    TVerInfoRes reader(fileWith(data));
    EXPECT_EQ(reader.GetVersionString(VersionKey::ProductVersion), QStringLiteral("2.25"));
    VersionValue value;
    const std::vector<std::uint8_t> block = BuildVersionBlock(data);
    EXPECT_TRUE(QueryVersionValue(block, "\\StringFileInfo\\000904B0\\ProductVersion", value));
    EXPECT_FALSE(QueryVersionValue(block, "\\StringFileInfo\\904B0\\ProductVersion", value));
}

TEST_F(VersionReader, IncompleteInformationFailsConstructionWithItsOwnError)
{
    EXPECT_EQ(ErrorOf<ENoVerInfoError>(WriteFileWithBlock(dir, "none.bin", nullptr)),
              QStringLiteral("No Version Info Available."));
    EXPECT_EQ(ErrorOf<ENoVerInfoError>(dir.filePath(QStringLiteral("missing.bin"))),
              QStringLiteral("No Version Info Available."));

    VersionData noTranslation = GameVersionData();
    noTranslation.withTranslation = false;
    EXPECT_EQ(ErrorOf<EVerInfoError>(fileWith(noTranslation)), QStringLiteral("No language info."));

    VersionData shortFixed = GameVersionData();
    shortFixed.fixedInfoLength = 48;
    EXPECT_EQ(ErrorOf<eNoFixeVerInfo>(fileWith(shortFixed)), QStringLiteral("No fixed file info"));
}

// Damaged blocks whose last value is cut short: the reader stays inside the
// block and gives empty texts (the sanitizer build checks every byte read).
TEST_F(VersionReader, ValuesCutShortAtTheEndOfTheBlockReadNothingBeyondIt)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "on Windows the system's version library walks the block, not ours";
#endif
    for (int bytes = 0; bytes < 4; ++bytes) {
        VersionData shortTranslation = GameVersionData();
        shortTranslation.translationBytes = static_cast<std::uint16_t>(bytes);
        TVerInfoRes reader(fileWith(shortTranslation));
        EXPECT_EQ(reader.GetVersionString(VersionKey::InternalName), QString()) << bytes << " bytes of translation";
        EXPECT_EQ(reader.GetOsDescription(), QStringLiteral("Designed for 32-bit Windows"));
    }

    VersionData binaryStrings = GameVersionData();
    binaryStrings.stringsAsBinary = true;
    binaryStrings.stringsLast = true;
    binaryStrings.strings = {{"ProductVersion", "2.25"}, {"InternalName", "Помрола 99"}};
    TVerInfoRes reader(fileWith(binaryStrings));
    EXPECT_EQ(reader.GetVersionString(VersionKey::InternalName), QStringLiteral("Помрола 99"));
}

TEST_F(VersionReader, FlagsFollowMaskAndFlagsInTheirListedOrder)
{
    const std::tuple<std::uint32_t, std::uint32_t, QStringList> cases[] = {
        {0x2B, 0x2B, {"Pre-release", "Private build", "Special build", "Debug"}},
        {0x01, 0x2B, {"Debug"}},  // only Debug is in the mask
        {0x3F, 0x04 | 0x10, {}},  // bits without a text
    };
    VersionData data = GameVersionData();
    for (const auto& [mask, flags, expected] : cases) {
        data.fileFlagsMask = mask;
        data.fileFlags = flags;
        EXPECT_EQ(TVerInfoRes(fileWith(data)).FileFlags(), expected) << std::hex << mask << " " << flags;
    }
}

TEST_F(VersionReader, EveryTargetSystemValue)
{
    const std::pair<std::uint32_t, const char*> table[] = {
        {0x0, "Unknown"},
        {0x1, "Designed for 16-bit Windows"},
        {0x2, "Designed for 16-bit PM"},
        {0x3, "Designed for 32-bit PM"},
        {0x4, "Designed for 32-bit Windows"},
        {0x10000, "Designed for MS-DOS"},
        {0x10001, "Designed for 16-bit Windows, running on MS-DOS"},
        {0x10004, "Designed for Win32 API, running on MS-DOS"},
        {0x20000, "Designed for 16-bit OS/2"},
        {0x20002, "Designed for 16-bit PM, running on 16-bit OS/2"},
        {0x30000, "Designed for 32-bit OS/2"},
        {0x30003, "Designed for 32-bit PM, running on 32-bit OS/2"},
        {0x40000, "Designed for Windows NT"},
        {0x40004, "Designed for Win32 API, running on Windows/NT"},
        {0x5, "Unknown"},
        {0x40001, "Unknown"},
    };
    for (const auto& [os, text] : table) {
        VersionData data = GameVersionData();
        data.fileOS = os;
        EXPECT_EQ(TVerInfoRes(fileWith(data)).GetOsDescription(), QString::fromLatin1(text)) << std::hex << os;
    }
}

TEST(EmbeddedVersion, TheGameExecutableCarriesItsVersionBlock)
{
    TVerInfoRes reader(QStringLiteral(POMROLA_EXECUTABLE));
    EXPECT_EQ(reader.GetVersionString(VersionKey::InternalName), QStringLiteral("Помрола 99"));
    EXPECT_EQ(reader.GetVersionString(VersionKey::ProductVersion), QStringLiteral("2.25"));
    EXPECT_EQ(reader.GetVersionString(VersionKey::FileVersion), QStringLiteral("2.2.5.0"));
    EXPECT_EQ(reader.GetVersionString(VersionKey::ProductName), QStringLiteral("Pomrola99"));
    EXPECT_EQ(reader.GetOsDescription(), QStringLiteral("Designed for 32-bit Windows"));
    EXPECT_TRUE(reader.FileFlags().isEmpty());

    // Its translation and fixed record through the version library: on Windows
    // the compiled resource, read by the system; elsewhere the embedded block.
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

}  // namespace
