#include "Cp1251.h"
#include "ProfileFile.h"
#include "TestFiles.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pomrola;

namespace {

class Profile : public ::testing::Test {
protected:
    void write(const QByteArray& bytes) const { ASSERT_TRUE(pomrola::testing::writeAll(path, bytes)); }
    QByteArray read() const { return pomrola::testing::readAll(path); }
    std::optional<QString> name() const { return ProfileFile::Read(path).value("Data", "Name"); }

    // The bytes of the file once read, given these keys in [Data] and written back.
    QByteArray rewritten(std::initializer_list<std::pair<const char*, QString>> data) const
    {
        ProfileFile profile = ProfileFile::Read(path);
        for (const auto& [key, value] : data)
            profile.setValue("Data", key, value);
        EXPECT_EQ(profile.write(path), std::nullopt);
        return read();
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("pomrola99.INI"));
};

TEST_F(Profile, MissingFileOrKeyHasNoValue)
{
    EXPECT_EQ(name(), std::nullopt);
    write("[Data]\r\nOther=1\r\n[More]\r\nName=elsewhere\r\n");
    EXPECT_EQ(name(), std::nullopt);
}

TEST_F(Profile, ValuesAreTrimmedAndNamesCompareWithoutCase)
{
    write("; comment\r\n[data]\r\nNAME =  Пётр  \r\nDirectory=\r\nQuoted=\" spaced \"\r\n");
    const ProfileFile profile = ProfileFile::Read(path);
    EXPECT_EQ(profile.value("Data", "Name"), QStringLiteral("Пётр"));
    EXPECT_EQ(profile.value("DATA", "directory"), QString());  // present and empty
    EXPECT_EQ(profile.value("Data", "Quoted"), QStringLiteral(" spaced "));
}

TEST_F(Profile, LongValuesAreCutAt2047Characters)
{
    write("[Data]\nName=" + QByteArray(3000, 'x') + "\n");
    EXPECT_EQ(name()->size(), 2047);
}

TEST_F(Profile, CodePage1251FilesStillRead)
{
    write("[Data]\r\nName=" + ToCp1251(QStringLiteral("Жора")) + "\r\n");
    EXPECT_EQ(name(), QStringLiteral("Жора"));
}

TEST_F(Profile, WritingChangesOnlyItsKeysAndKeepsEverythingElse)
{
    write("; settings\r\n[Other]\r\nkey=value ; kept\r\n\r\n[Data]\r\nName=Old\r\nExtra=1\r\n\r\n[Last]\nunix=line\n");
    EXPECT_EQ(rewritten({{"Name", QStringLiteral("Вася")}, {"Directory", QStringLiteral("/srv/records")}}),
              "; settings\r\n[Other]\r\nkey=value ; kept\r\n\r\n[Data]\r\nName=Вася\r\nExtra=1\r\n"
              "Directory=/srv/records\r\n\r\n[Last]\nunix=line\n");
}

TEST_F(Profile, WritingCreatesTheFileAndTheSection)
{
    EXPECT_EQ(rewritten({{"Name", QStringLiteral("User")}, {"Directory", QString()}}),
              "[Data]\r\nName=User\r\nDirectory=\r\n");
    write("[Other]\r\nx=1");  // no line end at the end of the file
    EXPECT_EQ(rewritten({{"Name", QStringLiteral("U")}}), "[Other]\r\nx=1\r\n[Data]\r\nName=U\r\n");
}

TEST_F(Profile, ByteOrderMarkIsAcceptedAndKept)
{
    write("\xEF\xBB\xBF[Data]\r\nName=Анна\r\nDirectory=/r\r\n");
    EXPECT_EQ(name(), QStringLiteral("Анна"));
    EXPECT_EQ(rewritten({{"Name", QStringLiteral("Bob")}}), "\xEF\xBB\xBF[Data]\r\nName=Bob\r\nDirectory=/r\r\n");
    write("\xEF\xBB\xBF");  // a mark alone is an empty file
    ProfileFile profile = ProfileFile::Read(path);
    profile.setValue("Data", "Name", QStringLiteral("Bob"));
    EXPECT_EQ(profile.contents(), QByteArray("\xEF\xBB\xBF[Data]\r\nName=Bob\r\n"));
}

TEST_F(Profile, WrittenValuesNeverBreakTheLine)
{
    const QByteArray bytes = rewritten(
        {{"Name", QStringLiteral("Bob\nDirectory=/x")}, {"Directory", QStringLiteral("/r\r\n[Other]\rKey=1")}});
    EXPECT_EQ(bytes.count('\n'), 3);  // the header and two keys
    const ProfileFile back = ProfileFile::Read(path);
    EXPECT_EQ(back.value("Data", "Name"), QStringLiteral("Bob Directory=/x"));
    EXPECT_EQ(back.value("Data", "Directory"), QStringLiteral("/r  [Other] Key=1"));
    EXPECT_EQ(back.value("Other", "Key"), std::nullopt);
}

// A settings file is a few lines; a huge one is read only as far as a saved
// game would be, instead of keeping one object per line of it.
TEST_F(Profile, OnlyTheFirstMebibyteIsRead)
{
    QByteArray bytes = "[Data]\r\nName=Bob\r\n";
    bytes += QByteArray(32 << 20, '\n');
    bytes += "Directory=/far\r\n";
    bytes.insert((1 << 20) - 3, "Key=cut by the limit");
    write(bytes);
    QElapsedTimer timer;
    timer.start();
    const ProfileFile profile = ProfileFile::Read(path);
    const qint64 elapsed = timer.elapsed();
    EXPECT_EQ(profile.value("Data", "Name"), QStringLiteral("Bob"));
    EXPECT_EQ(profile.value("Data", "Directory"), std::nullopt);
    EXPECT_LE(profile.contents().size(), 1 << 20);
    EXPECT_FALSE(profile.contents().contains("Key="));
    RecordProperty("read_ms", static_cast<int>(elapsed));
}

TEST_F(Profile, UnwritableFileReportsItsName)
{
    ProfileFile profile;
    profile.setValue("Data", "Name", QStringLiteral("x"));
    const QString blocked = dir.filePath(QStringLiteral("file-in-the-way"));
    ASSERT_TRUE(pomrola::testing::writeAll(blocked, {}));
    const std::optional<QString> error = profile.write(blocked + QStringLiteral("/pomrola99.INI"));
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->startsWith(QStringLiteral("Unable to write to ")));
    EXPECT_TRUE(error->endsWith(QStringLiteral("pomrola99.INI")));
}

}  // namespace
