#include "GameHarness.h"
#include "SettingsFile.h"
#include "SystemFolders.h"
#include "Unprivileged.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

TEST(Settings, FirstRunGivesTheDefaults)
{
    QTemporaryDir dir;
    const PlayerSettings settings = ReadSettings(dir.filePath(QStringLiteral("none.INI")));
    EXPECT_EQ(settings.name, QStringLiteral("User"));
    EXPECT_EQ(settings.directory, CurrentFolder());
    EXPECT_TRUE(DefaultSettingsPath().endsWith(QStringLiteral(".INI")));
}

TEST(Settings, EmptyNameIsKeptAndWritingKeepsOtherLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.INI"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("[Sound]\r\nOn=1\r\n[Data]\r\nName=\r\n");
    file.close();
    EXPECT_EQ(ReadSettings(path).name, QString());
    ASSERT_EQ(WriteSettings(path, {QStringLiteral("Оля"), QStringLiteral("/srv/rec")}), std::nullopt);
    EXPECT_EQ(ReadAll(path),
              "[Sound]\r\nOn=1\r\n[Data]\r\nName=" + QStringLiteral("Оля").toUtf8() + "\r\nDirectory=/srv/rec\r\n");
}

// The option is read only as "0" or "1", written only when it has a value,
// and then in place, keeping the other keys of its section.
TEST(Settings, SymbolsOptionIsWrittenOnlyWhenChosen)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.INI"));
    const QByteArray original = "[Options]\r\nSize=big\r\nSymbols= 1 \r\n[Data]\r\nName=A\r\nDirectory=/r\r\n";
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(original);
    file.close();
    PlayerSettings settings = ReadSettings(path);
    EXPECT_EQ(settings.symbols, std::optional<bool>(true));
    settings.symbols.reset();
    ASSERT_EQ(WriteSettings(path, settings), std::nullopt);
    EXPECT_EQ(ReadAll(path), original);
    settings.symbols = false;
    ASSERT_EQ(WriteSettings(path, settings), std::nullopt);
    EXPECT_EQ(ReadAll(path), "[Options]\r\nSize=big\r\nSymbols=0\r\n[Data]\r\nName=A\r\nDirectory=/r\r\n");
    EXPECT_EQ(ReadSettings(path).symbols, std::optional<bool>(false));
    for (const char* value : {"on", "", "10", "-1"}) {
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray("[Options]\r\nSymbols=") + value + "\r\n");
        file.close();
        EXPECT_EQ(ReadSettings(path).symbols, std::nullopt) << value;
    }
}

class ClosingTheWindow : public ::testing::Test {
protected:
    GameHarness harness;
    TForm1& window = harness.window();
};

TEST_F(ClosingTheWindow, EveryWayOfClosingWritesTheSettings)
{
    for (int way = 0; way < 2; ++way) {
        window.show();
        harness.session.PlayerName = QStringLiteral("Игрок%1").arg(way);
        harness.session.RecordsDir = QStringLiteral("/records/%1").arg(way);
        if (way == 0)
            harness.trigger("MnuExit");
        else
            window.close();  // the close box
        EXPECT_FALSE(window.isVisible());
        const PlayerSettings settings = ReadSettings(harness.settingsPath());
        EXPECT_EQ(settings.name, harness.session.PlayerName);
        EXPECT_EQ(settings.directory, harness.session.RecordsDir);
    }
}

TEST_F(ClosingTheWindow, UnwritableSettingsAreReportedAndTheWindowStillCloses)
{
    GameHarness::Options options;
    GameHarness blocked(options);
    // A folder where the settings file should be makes writing it fail.
    QFile::remove(blocked.settingsPath());
    QDir().mkpath(blocked.settingsPath());
    blocked.window().show();
    blocked.window().close();
    EXPECT_FALSE(blocked.window().isVisible());
    ASSERT_EQ(blocked.platform.messages.size(), 1);
    EXPECT_TRUE(blocked.platform.messages[0].startsWith(QStringLiteral("Unable to write to ")));
}

TEST(StoredName, IsTheInitialTextOfTheNextNamePrompt)
{
    GameHarness::Options options;
    options.settingsFile = "[Data]\r\nName=Сохранённое\r\n";
    GameHarness harness(options);
    EXPECT_EQ(harness.session.PlayerName, QStringLiteral("Сохранённое"));
    EXPECT_TRUE(harness.window().windowTitle().endsWith(QStringLiteral("(без имени) ")));
}

// The game installed where this user cannot write and started there, as the
// Start-menu shortcut starts it: with no folder in the settings its records
// go to the user's own data folder, with no message at the start (the game
// end there is played under Wine, as a standard user).
TEST(FirstRun, InAFolderThatCannotBeWrittenKeepsTheRecordsInTheUsersOwnFolder)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows folders have no write permission a test can take away";
#endif
    if (const auto asNobody = RerunAsUnprivileged()) {
        EXPECT_TRUE(*asNobody);
        return;
    }
    QTemporaryDir installed;
    const QString started = QDir::currentPath();
    QFile::setPermissions(installed.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QDir::setCurrent(installed.path());
    GameHarness harness(GameHarness::Options{.settingsFile = "[Data]\r\nName=User\r\n"});
    QDir::setCurrent(started);
    EXPECT_EQ(harness.session.RecordsDir, UserDataFolder());
    EXPECT_EQ(harness.platform.messages, QStringList());
}

}  // namespace
