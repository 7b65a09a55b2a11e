// Where the settings file lives: the user's configuration folder of each
// system, and on Windows the one-time read of an older installation's file
// from the Windows folder.
#include "SettingsFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace pomrola;
using pomrola::testing::readAll;
using pomrola::testing::writeAll;

namespace {

QString ConfigurationFolder()
{
#ifdef Q_OS_WIN
    return QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA"));
#else
    return QDir::fromNativeSeparators(qEnvironmentVariable("XDG_CONFIG_HOME"));  // set by the test main
#endif
}

// The first run's settings land there, under the program's name with ".INI".
TEST(SettingsLocation, TheProgramsNameWithIniInTheUsersConfigurationFolder)
{
    ASSERT_FALSE(ConfigurationFolder().isEmpty());
    const QString expected = ConfigurationFolder() + QStringLiteral("/main_tests.INI");
    EXPECT_EQ(QDir::fromNativeSeparators(DefaultSettingsPath()), expected);
    QFile::remove(expected);
    ASSERT_EQ(WriteSettings(DefaultSettingsPath(), ReadSettings(DefaultSettingsPath())), std::nullopt);
    EXPECT_TRUE(QFileInfo::exists(expected));
    EXPECT_EQ(ReadSettings(expected).name, QStringLiteral("User"));
    QFile::remove(expected);
}

#ifdef Q_OS_WIN

class OlderInstallation : public ::testing::Test {
protected:
    void SetUp() override { removeBoth(); }
    void TearDown() override { removeBoth(); }
    void removeBoth()
    {
        QFile::remove(path);
        QFile::remove(legacy);
    }
    const QString path = DefaultSettingsPath();
    const QString legacy = QDir(qEnvironmentVariable("WINDIR")).filePath(QFileInfo(path).fileName());
};

TEST_F(OlderInstallation, WindowsFolderFileIsReadUntilTheProgramWritesItsOwn)
{
    // As an older version left it: code page 1251, in the Windows folder, with
    // lines of the player's own.
    const QByteArray old =
        "; mine\r\n[Data]\r\nName=\xD1\xF2\xE0\xF0\xFB\xE9\r\nDirectory=C:\\Games\r\nSpeed=2\r\n[Sound]\r\nOn=1\r\n";
    ASSERT_TRUE(writeAll(legacy, old)) << qPrintable(legacy);
    ASSERT_FALSE(QFile::exists(path));
    const PlayerSettings first = ReadSettings(path);
    EXPECT_EQ(first.name, QStringLiteral("Старый"));
    EXPECT_EQ(first.directory, QStringLiteral("C:\\Games"));

    EXPECT_EQ(WriteSettings(path, PlayerSettings{QStringLiteral("Новый"), QStringLiteral("D:\\Records")}),
              std::nullopt);
    EXPECT_EQ(readAll(path), "; mine\r\n[Data]\r\nName=" + QStringLiteral("Новый").toUtf8() +
                                 "\r\nDirectory=D:\\Records\r\nSpeed=2\r\n[Sound]\r\nOn=1\r\n");
    EXPECT_EQ(readAll(legacy), old);  // the Windows folder is never written

    const PlayerSettings next = ReadSettings(path);
    EXPECT_EQ(next.name, QStringLiteral("Новый"));
    EXPECT_EQ(next.directory, QStringLiteral("D:\\Records"));
}

TEST_F(OlderInstallation, WithoutAnyFileTheDefaultsHold)
{
    const PlayerSettings settings = ReadSettings(path);
    EXPECT_EQ(settings.name, QStringLiteral("User"));
    EXPECT_FALSE(QFile::exists(path));
}

#endif

}  // namespace
