#include "GameHarness.h"
#include "SettingsFile.h"
#include "SystemFolders.h"
#include "Unprivileged.h"

#include <QFileInfo>

#include <functional>
#include <optional>
#include <vector>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

// One settings file through ReadSettings and WriteSettings: what reading it
// gives, then the bytes that writing it back, changed or not, leaves.
struct RoundTrip {
    const char* what;
    std::optional<QByteArray> before;  // nothing: no file yet
    QString name;
    std::optional<QString> directory;  // nothing: the current folder
    QString language;
    std::optional<bool> symbols;
    std::function<void(PlayerSettings&)> change;
    std::optional<QByteArray> after;  // nothing: not written
};

std::vector<RoundTrip> RoundTrips()
{
    const QByteArray firstRun = "[Data]\r\nName=User\r\nDirectory=" + CurrentFolder().toUtf8() + "\r\n";
    const QByteArray symbolsOn = "[Options]\r\nSize=big\r\nSymbols= 1 \r\n[Data]\r\nName=A\r\nDirectory=/r\r\n";
    const QByteArray symbolsOff = "[Options]\r\nSize=big\r\nSymbols=0\r\n[Data]\r\nName=A\r\nDirectory=/r\r\n";
    const QByteArray english = "[Data]\r\nName=Ann\r\nDirectory=/srv\r\n[Options]\r\nLanguage=en\r\n";
    const auto same = [](PlayerSettings&) {};
    // The symbols option is read only as "0" or "1", written only when it has a
    // value, and then in place, keeping the other keys of its section. The
    // language is read from the options and never written.
    // clang-format off
    std::vector<RoundTrip> trips = {
        {"first run: the defaults, and no section of options", std::nullopt, "User", {}, {}, {}, same, firstRun},
        {"the defaults read back", firstRun, "User", {}, {}, {}, nullptr, {}},
        {"an empty name is kept and writing keeps the other lines", "[Sound]\r\nOn=1\r\n[Data]\r\nName=\r\n", "", {}, {}, {},
         [](PlayerSettings& s) { s.name = QStringLiteral("Оля"), s.directory = QStringLiteral("/srv/rec"); },
         "[Sound]\r\nOn=1\r\n[Data]\r\nName=" + QStringLiteral("Оля").toUtf8() + "\r\nDirectory=/srv/rec\r\n"},
        {"symbols without a value leave the option as it was", symbolsOn, "A", "/r", {}, true,
         [](PlayerSettings& s) { s.symbols.reset(); }, symbolsOn},
        {"symbols switched off are written in place", symbolsOn, "A", "/r", {}, true,
         [](PlayerSettings& s) { s.symbols = false; }, symbolsOff},
        {"symbols switched off read back", symbolsOff, "A", "/r", {}, false, nullptr, {}},
        {"a language is read and never written", english, "Ann", "/srv", "en", {},
         [](PlayerSettings& s) { s.language = QStringLiteral("ru"); }, english},
    };
    for (const char* value : {"on", "", "10", "-1"})
        trips.push_back({"symbols other than 0 or 1 mean no choice", "[Options]\r\nSymbols=" + QByteArray(value) + "\r\n",
                         "User", {}, {}, {}, nullptr, {}});
    // clang-format on
    return trips;
}

class SettingsRoundTrip : public ::testing::TestWithParam<std::size_t> {};

INSTANTIATE_TEST_SUITE_P(Settings, SettingsRoundTrip, ::testing::Range<std::size_t>(0, RoundTrips().size()));

TEST_P(SettingsRoundTrip, ReadsAndWritesTheFileAsTheTableSays)
{
    const RoundTrip trip = RoundTrips()[GetParam()];
    SCOPED_TRACE(trip.what);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.INI"));
    if (trip.before) {
        ASSERT_TRUE(writeAll(path, *trip.before));
    }
    PlayerSettings settings = ReadSettings(path);
    EXPECT_EQ(settings.name, trip.name);
    EXPECT_EQ(settings.directory, trip.directory.value_or(CurrentFolder()));
    EXPECT_EQ(settings.language, trip.language);
    EXPECT_EQ(settings.symbols, trip.symbols);
    if (trip.change) {
        trip.change(settings);
        ASSERT_EQ(WriteSettings(path, settings), std::nullopt);
        EXPECT_EQ(readAll(path), *trip.after);
    }
}

using ClosingTheWindow = WindowTest;

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
    ASSERT_TRUE(harness.makeSettingsUnwritable());
    window.show();
    window.close();
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(harness.platform.messages.size(), 1);
    EXPECT_TRUE(harness.platform.messages[0].startsWith(QStringLiteral("Unable to write to ")));
}

TEST(StoredName, IsTheInitialTextOfTheNextNamePrompt)
{
    GameHarness harness(GameHarness::Options{.settingsFile = "[Data]\r\nName=Сохранённое\r\n"});
    EXPECT_EQ(harness.session.PlayerName, QStringLiteral("Сохранённое"));
    EXPECT_TRUE(harness.window().windowTitle().endsWith(QStringLiteral("(без имени) ")));
}

// The game installed where this user cannot write and started there, as the
// Start-menu shortcut starts it: with no folder in the settings its records
// go to the user's own data folder, with no message at the start (the game
// end there is played under Wine, as a standard user).
TEST(FirstRun, InAFolderThatCannotBeWrittenKeepsTheRecordsInTheUsersOwnFolder)
{
    POMROLA_WITHOUT_PRIVILEGES();
    QTemporaryDir installed;
    const QString started = QDir::currentPath();
    QFile::setPermissions(installed.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QDir::setCurrent(installed.path());
    GameHarness harness(GameHarness::Options{.settingsFile = "[Data]\r\nName=User\r\n"});
    QDir::setCurrent(started);
    EXPECT_EQ(harness.session.RecordsDir, UserDataFolder());
    EXPECT_EQ(harness.platform.messages, QStringList());
}

// Where the settings file lives: the user's configuration folder of each
// system, and on Windows the one-time read of an older installation's file
// from the Windows folder.
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
