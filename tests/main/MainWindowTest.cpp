#include "BallColours.h"
#include "GameHarness.h"
#include "Pomr_Rec_U.h"
#include "SettingsFile.h"
#include "SystemFolders.h"
#include "UFunc.h"
#include "Unprivileged.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include <functional>
#include <optional>
#include <vector>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

using MainWindow = WindowTest;

TEST(StartUp, ShowsASettledBoardAndTheAnonymousCaption)
{
    GameHarness harness(GameHarness::Options{.settingsFile = "[Data]\r\nName=Маша\r\n"});
    TForm1& window = harness.window();

    EXPECT_EQ(window.windowTitle(), QStringLiteral("Помрола 99      Игрок : (без имени) "));
    EXPECT_EQ(harness.session.PlayerName, QStringLiteral("Маша"));
    EXPECT_TRUE(harness.game().board.isFull());
    GameState probe = harness.game();
    FindLines(probe);
    EXPECT_FALSE(probe.LinesFound);
    // The board the pinned clock deals, its move count shown.
    EXPECT_TRUE(harness.showsTheGameDealtAt(harness.platform.clock));
}

// Each control's place and text is in WindowLayoutTest.
TEST_F(MainWindow, CellsAreMadeInNameOrderOnTheBoardPanel)
{
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);

    const QList<CellShape*> shapes = window.findChildren<CellShape*>();
    ASSERT_EQ(shapes.size(), 64);
    for (int k = 0; k < 64; ++k) {
        const int column = k / 8 + 1, row = k % 8 + 1;
        CellShape* shape = shapes[k];  // creation order: s11, s12, ..., s88
        EXPECT_EQ(shape->objectName(), QStringLiteral("s%1%2").arg(column).arg(row));
        EXPECT_EQ(shape->geometry(), QRect((column - 1) * 50, (row - 1) * 50, 50, 50));
        EXPECT_EQ(shape->parentWidget()->pos(), QPoint(0, 31));
    }
}

TEST_F(MainWindow, MenuKeepsItsOrder)
{
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->menu()->objectName(), QStringLiteral("Game"));  // captions: WindowLayoutTest
    EXPECT_EQ(menus[1]->menu()->objectName(), QStringLiteral("Hlp"));
    // Order within "Игра", separators and the records-file submenu included.
    QStringList order;
    for (QAction* action : menus[0]->menu()->actions())
        order << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(order, (QStringList{"Заново", "Сохранить", "Загрузить", "Рекорды", "-", "Файл рекордов", "-", "Вы&ход"}));
}

TEST_F(MainWindow, ShowBoardPaintsCodesAndCarriesTheColourForUnknownCodes)
{
    Board board = StaircaseBoard();
    board.at(1, 1) = 2;   // red
    board.at(1, 2) = 11;  // unknown: the colour painted just before (s11)
    board.at(1, 3) = 0;   // empty: button face
    board.at(1, 4) = -1;  // unknown after an empty cell: button face again
    board.at(8, 8) = 9;   // maroon, carried into the next painting's s11
    window.cell(5, 5)->setForm(CellShape::Form::Rectangle);
    harness.setBoard(board);

    const QColor face = window.palette().color(QPalette::Button);
    EXPECT_EQ(window.cell(1, 1)->fillColour(), QColor(255, 0, 0));
    EXPECT_EQ(window.cell(1, 2)->fillColour(), QColor(255, 0, 0));
    EXPECT_EQ(window.cell(1, 3)->fillColour(), face);
    EXPECT_EQ(window.cell(1, 4)->fillColour(), face);
    EXPECT_EQ(window.cell(8, 8)->fillColour(), QColor(128, 0, 0));
    EXPECT_EQ(window.cell(5, 5)->form(), CellShape::Form::Circle);

    board.at(1, 1) = 300;
    harness.setBoard(board);
    EXPECT_EQ(window.cell(1, 1)->fillColour(), QColor(128, 0, 0));
}

TEST_F(MainWindow, EachCellCentreShowsTheColourOfItsCode)
{
    Board board = StaircaseBoard();
    board.at(1, 8) = 0;
    board.at(2, 8) = 10;
    harness.setBoard(board);
    window.show();
    const QImage image = harness.grabBoard();
    ASSERT_EQ(image.size(), QSize(399, 432));
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 8; ++c) {
            const QPoint centre = harness.cellRect(c, r).topLeft() + QPoint(25, 25);
            const QColor expected =
                board.at(c, r) == 0 ? window.palette().color(QPalette::Button) : BallColour(board.at(c, r));
            EXPECT_EQ(image.pixelColor(centre), expected) << "row " << r << " column " << c;
        }
    window.hide();
}

TEST_F(MainWindow, NewGameShowsTheAdvertisementBeforeDealing)
{
    const Board before = harness.game().board;
    harness.game().Score = 40;
    Label(window, "RxLabel3")->setText(QStringLiteral("40"));
    Board boardDuringAdvertisement;
    harness.platform.onModal = [&](QDialog&) { boardDuringAdvertisement = harness.game().board; };
    harness.platform.clock = 1000;

    harness.trigger("MnuNew");

    EXPECT_EQ(harness.platform.modalNames(), QStringList{QStringLiteral("ReclamaForm")});
    EXPECT_EQ(boardDuringAdvertisement, before);
    EXPECT_TRUE(harness.showsTheGameDealtAt(1000));
}

TEST_F(MainWindow, RecordsCommandAlwaysUsesThePlainCaption)
{
    harness.form2->setWindowTitle(QStringLiteral("Рекорды.  Ваш результат: 90"));
    harness.trigger("MnuRec");
    ASSERT_EQ(harness.platform.modals.size(), 1u);
    EXPECT_EQ(harness.platform.modals[0].objectName, QStringLiteral("Form2"));
    EXPECT_EQ(harness.platform.modals[0].caption, QStringLiteral("Рекорды"));
}

TEST_F(MainWindow, HelpAndAboutOpenModally)
{
    harness.trigger("MnuHelp");
    harness.trigger("MnuAbout");
    EXPECT_EQ(harness.platform.modalNames(), (QStringList{QStringLiteral("HelpForm"), QStringLiteral("AboutForm")}));
}

// F6 shows a symbol inside every ball. Switched off, or never touched, the
// window and the settings file are exactly what they are without the option.

// Shows the window and makes it the active one, as the player's keys need.
void ShowActive(TForm1& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

int CellsShowingSymbols(TForm1& window)
{
    int showing = 0;
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            showing += window.cell(c, r)->showsSymbol();
    return showing;
}

// The inside of a cell; the client area cuts the last column's right edge.
QImage CellOf(const QImage& board, int column, int row)
{
    return board.copy((column - 1) * 50 + 1, 31 + (row - 1) * 50 + 1, 48, 48);
}

using Symbols = WindowTest;

TEST_F(Symbols, F6SwitchesThemOnAndOffWithoutTouchingTheMenu)
{
    const Board board = StaircaseBoard();
    harness.setBoard(board);
    ShowActive(window);
    const QImage plain = harness.grabBoard();

    harness.key(Qt::Key_F6);
    EXPECT_EQ(CellsShowingSymbols(window), 64);
    const QImage withSymbols = harness.grabBoard();
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            EXPECT_NE(CellOf(withSymbols, c, r), CellOf(plain, c, r)) << "column " << c << " row " << r;

    harness.key(Qt::Key_F6);
    EXPECT_EQ(CellsShowingSymbols(window), 0);
    const QImage off = harness.grabBoard();
    EXPECT_EQ(off, plain);
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            EXPECT_EQ(off.pixelColor(harness.cellRect(c, r).topLeft() + QPoint(25, 25)), BallColour(board.at(c, r)));

    // The key belongs to the window; no menu shows it.
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>())
        for (QAction* item : menu->actions())
            EXPECT_NE(item->shortcut(), QKeySequence(Qt::Key_F6)) << item->text().toStdString();
    EXPECT_EQ(window.menuBar()->actions().size(), 2);
    window.hide();
}

// Cells of one colour carry one symbol; an empty cell none; a picked one keeps it.
TEST_F(Symbols, FollowTheBoardAndThePickedCell)
{
    ShowActive(window);
    harness.key(Qt::Key_F6);
    Board board = StaircaseBoard();
    board.at(3, 3) = 0;  // empty: no symbol to draw
    harness.setBoard(board);
    const QImage shown = harness.grabBoard();
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r) {
            if (board.at(c, r) == board.at(1, 1) && !(c == 1 && r == 1)) {
                EXPECT_EQ(CellOf(shown, c, r), CellOf(shown, 1, 1)) << "column " << c << " row " << r;
            }
        }
    harness.key(Qt::Key_F6);
    EXPECT_EQ(CellOf(harness.grabBoard(), 3, 3), CellOf(shown, 3, 3));
    harness.key(Qt::Key_F6);

    harness.click(2, 2);  // picked: drawn as a rectangle, symbol kept
    ASSERT_EQ(window.cell(2, 2)->form(), CellShape::Form::Rectangle);
    const QImage picked = CellOf(harness.grabBoard(), 2, 2);
    EXPECT_EQ(picked.pixelColor(2, 2), BallColour(board.at(2, 2)));
    harness.key(Qt::Key_F6);
    EXPECT_NE(CellOf(harness.grabBoard(), 2, 2), picked);
    window.hide();
}

TEST_F(Symbols, AreRememberedAcrossARestart)
{
    QByteArray file;  // at first the harness's own
    QByteArray dataLines;
    for (const QByteArray remembered : {"1", "0"}) {
        GameHarness run(GameHarness::Options{.settingsFile = file});
        if (dataLines.isEmpty())
            dataLines = run.settingsText();
        EXPECT_EQ(CellsShowingSymbols(run.window()), file.isEmpty() ? 0 : 64);
        ShowActive(run.window());
        run.key(Qt::Key_F6);
        run.window().close();
        file = run.settingsText();
        // The section [Data] stays as it was; the option follows it.
        EXPECT_EQ(file, dataLines + "[Options]\r\nSymbols=" + remembered + "\r\n");
    }
    GameHarness third(GameHarness::Options{.settingsFile = file});
    EXPECT_EQ(CellsShowingSymbols(third.window()), 0);
}

// A player who never pressed F6 gets back the very file he had, also when
// its option holds something this program does not write.
TEST_F(Symbols, UntouchedOptionLeavesTheSettingsFileAsItWas)
{
    const QByteArray before = harness.settingsText();
    window.show();
    window.close();
    EXPECT_EQ(harness.settingsText(), before);
    EXPECT_FALSE(before.contains("Options"));

    for (const QByteArray& value : {QByteArray("yes"), QByteArray(""), QByteArray("2")}) {
        const QByteArray file = "[Options]\r\nSymbols=" + value + "\r\n[Data]\r\nName=User\r\nDirectory=/records\r\n";
        GameHarness withOption(GameHarness::Options{.settingsFile = file});
        EXPECT_EQ(CellsShowingSymbols(withOption.window()), 0) << value.constData();
        withOption.window().show();
        withOption.window().close();
        EXPECT_EQ(withOption.settingsText(), file) << value.constData();
    }
}

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
