#include "GameHarness.h"
#include "SavedGame.h"
#include "SavedGameFile.h"
#include "Unprivileged.h"

#include <random>
#include <tuple>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

QByteArray Lines(std::initializer_list<const char*> lines)
{
    QByteArray bytes;
    for (const char* line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

TEST(SavedGameFile, WritesSixtySixDecimalLines)
{
    GameState game{.board = StaircaseBoard(), .Score = 135, .MovesLeft = 17};
    SetRow(game.board, 1, {3, 5, 1, 1, 2, 8, 6, 4});
    game.board.at(8, 8) = -1;
    const QByteArray file = EncodeSavedGame(game);
    EXPECT_TRUE(file.startsWith(Lines({"135", "17", "3", "5", "1", "1", "2", "8", "6", "4", "4", "5"})));
    EXPECT_TRUE(file.endsWith("\r\n-1\r\n"));
    EXPECT_EQ(file.count("\r\n"), 66);
}

TEST(SavedGameFile, RoundTripKeepsEveryCodeAsItIs)
{
    GameState saved{.board = StaircaseBoard(), .Score = 2'000'000'000, .MovesLeft = 64};
    const ColourCode diagonal[] = {9, 10, 11, -1, 0};
    for (int k = 1; k <= 5; ++k)
        saved.board.at(k, k) = diagonal[k - 1];
    GameState loaded;
    EXPECT_TRUE(DecodeSavedGame(EncodeSavedGame(saved), loaded));
    EXPECT_EQ(std::tie(loaded.board, loaded.Score, loaded.MovesLeft),
              std::tie(saved.board, saved.Score, saved.MovesLeft));
}

TEST(SavedGameFile, ReadingStopsAtTheFirstFailureAndKeepsWhatWasRead)
{
    const GameState game{.board = StaircaseBoard(), .Score = 7, .MovesLeft = 8};

    GameState empty = game;
    EXPECT_FALSE(DecodeSavedGame(QByteArray(), empty));
    EXPECT_EQ(std::tie(empty.Score, empty.MovesLeft), std::tuple(0, 0));
    EXPECT_EQ(empty.board, StaircaseBoard());

    GameState notANumber = game;
    EXPECT_FALSE(DecodeSavedGame(Lines({"score", "3", "1"}), notANumber));
    EXPECT_EQ(std::tie(notANumber.Score, notANumber.MovesLeft), std::tuple(7, 8));

    // Blanks and empty lines before the numbers; the rest of their lines is skipped.
    GameState tenCells = game;
    EXPECT_FALSE(DecodeSavedGame(
        Lines({"", "  \t40 points", "", "12", "5", "5", "5", "5", "5", "5", "5", "5", " +6", "-6"}), tenCells));
    EXPECT_EQ(std::tie(tenCells.Score, tenCells.MovesLeft), std::tuple(40, 12));
    EXPECT_EQ(RowOf(tenCells.board, 1), (Row{5, 5, 5, 5, 5, 5, 5, 5}));
    EXPECT_EQ(tenCells.board.at(1, 2), 6);
    EXPECT_EQ(tenCells.board.at(2, 2), -6);
    EXPECT_EQ(tenCells.board.at(3, 2), StaircaseBoard().at(3, 2));
    EXPECT_EQ(RowOf(tenCells.board, 8), RowOf(StaircaseBoard(), 8));

    GameState trailing = game;
    EXPECT_FALSE(DecodeSavedGame(Lines({"1", "2", "3", "4 "}), trailing));
    EXPECT_EQ(trailing.board.at(1, 1), 3);
    EXPECT_EQ(trailing.board.at(2, 1), StaircaseBoard().at(2, 1));
}

// A three-letter extension gives way to ".sav", any other is kept; dots in
// the folders do not count.
class SavedGameNameRule : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(SavedGameNameRule, GivesTheSavedName)
{
    EXPECT_EQ(SavedGameName(QString::fromUtf8(GetParam().first)), QString::fromUtf8(GetParam().second));
}

INSTANTIATE_TEST_SUITE_P(
    Names, SavedGameNameRule,
    ::testing::Values(std::pair{"/g/party.txt", "/g/party.sav"}, std::pair{"/g/party", "/g/party.sav"},
                      std::pair{"/g/party.sav", "/g/party.sav"}, std::pair{"/g/my.game", "/g/my.game.sav"},
                      std::pair{"/g/game.data", "/g/game.data.sav"}, std::pair{".ab", ".ab.sav"},
                      std::pair{"/tmp/x.d/a", "/tmp/x.d/a.sav"}, std::pair{"/tmp/x.d/ab", "/tmp/x.d/ab.sav"},
                      std::pair{"C:\\Games\\x.d\\a", "C:\\Games\\x.d\\a.sav"}, std::pair{"a", "a.sav"}));

// Over many random folders and names: the folder part is kept character for
// character, and the name part follows the three-letter-extension rule.
TEST(SavedGameFile, NameRuleNeverChangesTheFolder)
{
    const unsigned seed = 20261208;
    std::mt19937 random(seed);
    const QString alphabet = QStringLiteral("ab.x_ -Яж");
    auto piece = [&](int maxLength) {
        QString text;
        const int length = std::uniform_int_distribution<int>(0, maxLength)(random);
        for (int i = 0; i < length; ++i)
            text += alphabet.at(std::uniform_int_distribution<int>(0, int(alphabet.size()) - 1)(random));
        return text;
    };
    for (int round = 0; round < 20000; ++round) {
        QString folder;
        const int depth = std::uniform_int_distribution<int>(0, 4)(random);
        for (int i = 0; i < depth; ++i)
            folder += piece(6) + QLatin1Char('/');
        const QString name = piece(8);
        const QString saved = SavedGameName(folder + name);
        SCOPED_TRACE(QStringLiteral("seed %1 round %2: \"%3\"").arg(seed).arg(round).arg(folder + name).toStdString());
        ASSERT_TRUE(saved.startsWith(folder));
        const QString savedName = saved.mid(folder.size());
        ASSERT_FALSE(savedName.contains(QLatin1Char('/')));
        ASSERT_TRUE(savedName.endsWith(QStringLiteral(".sav")));
        const QString stem = name.size() >= 4 && name.at(name.size() - 4) == QLatin1Char('.') ? name.chopped(4) : name;
        ASSERT_EQ(savedName, stem + QStringLiteral(".sav"));
    }
}

GameState RandomGame(std::mt19937& random)
{
    std::uniform_int_distribution<std::int32_t> anyValue(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> colour(-2, 12);
    GameState game;
    game.Score = anyValue(random);
    game.MovesLeft = anyValue(random);
    for (int row = 1; row <= BoardSize; ++row)
        for (int column = 1; column <= BoardSize; ++column)
            game.board.at(column, row) = colour(random);
    return game;
}

// A file cut anywhere loads the cells whose lines it holds whole, keeps the
// earlier contents of the cells whose lines it lacks, and reports a failure
// unless every cell was read.
TEST(SavedGameFile, CutFilesLoadWhatTheyHoldAndReportTheRest)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("game.sav"));
    const unsigned seed = 7310;
    std::mt19937 random(seed);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed << " round " << round);
        const GameState saved = RandomGame(random);
        ASSERT_EQ(SaveGameToFile(path, saved), std::nullopt);
        const QByteArray whole = readAll(path);
        ASSERT_EQ(whole, EncodeSavedGame(saved));

        const qsizetype cut = std::uniform_int_distribution<qsizetype>(0, whole.size())(random);
        ASSERT_TRUE(QFile::resize(path, cut));
        const GameState before = RandomGame(random);
        GameState loaded = before;
        const std::optional<QString> reason = LoadGameFromFile(path, loaded);

        // Where each line ends: lines 0 and 1 are the counters, 2.. the cells row by row.
        QList<qsizetype> lineEnds;
        for (qsizetype at = whole.indexOf('\n'); at >= 0; at = whole.indexOf('\n', at + 1))
            lineEnds.append(at + 1);
        ASSERT_EQ(lineEnds.size(), 66);
        const qsizetype lastLineStart = lineEnds[64];
        if (cut == whole.size()) {
            EXPECT_EQ(reason, std::nullopt);
        } else if (cut <= lastLineStart) {
            EXPECT_TRUE(reason.has_value()) << "cut at " << cut;
        }
        if (cut >= lineEnds[1]) {
            EXPECT_EQ(std::tie(loaded.Score, loaded.MovesLeft), std::tie(saved.Score, saved.MovesLeft));
        }
        for (int index = 0; index < BoardSize * BoardSize; ++index) {
            const int column = index % BoardSize + 1, row = index / BoardSize + 1;
            const qsizetype start = lineEnds[index + 1], end = lineEnds[index + 2];
            if (end <= cut) {
                EXPECT_EQ(loaded.board.at(column, row), saved.board.at(column, row)) << "cell " << index;
            } else if (start >= cut) {
                EXPECT_EQ(loaded.board.at(column, row), before.board.at(column, row)) << "cell " << index;
            }
        }
    }
}

TEST(SavedGameFile, MissingFileIsReportedAndChangesNothing)
{
    QTemporaryDir dir;
    std::mt19937 random(11);
    const GameState before = RandomGame(random);
    GameState game = before;
    EXPECT_TRUE(LoadGameFromFile(dir.filePath(QStringLiteral("none.sav")), game).has_value());
    EXPECT_EQ(std::tie(game.board, game.Score, game.MovesLeft), std::tie(before.board, before.Score, before.MovesLeft));
}

using SaveAndLoad = WindowTest;

TEST_F(SaveAndLoad, SavedGameComesBackWithItsCounters)
{
    harness.game().Score = 135;
    harness.game().MovesLeft = 3;
    const Board saved = harness.game().board;
    harness.platform.saveAnswers.push_back(harness.path(QStringLiteral("party.txt")));
    harness.trigger("MnuSave");
    ASSERT_EQ(harness.platform.saveRequests.size(), 1u);
    EXPECT_EQ(harness.platform.saveRequests[0].fileName, QStringLiteral("*.sav"));
    EXPECT_EQ(harness.platform.saveRequests[0].filter, QStringLiteral("Сохраненные игры|*.sav|Все файлы |*.*"));
    ASSERT_TRUE(QFile::exists(harness.path(QStringLiteral("party.sav"))));

    // The dialog proposes the name it saved under next time.
    harness.trigger("MnuSave");
    EXPECT_EQ(harness.platform.saveRequests[1].fileName, harness.path(QStringLiteral("party.sav")));

    harness.platform.clock = 5;
    harness.trigger("MnuNew");
    harness.click(2, 2);  // a pending pick survives the load
    harness.platform.openAnswers.push_back(harness.path(QStringLiteral("party.sav")));
    harness.trigger("MnuLoad");
    EXPECT_EQ(harness.platform.openRequests[0].fileName, QStringLiteral("*.sav"));
    EXPECT_EQ(harness.platform.openRequests[0].filter, QStringLiteral("Сохраненные игры|*.sav|Все файлы|*.*"));
    EXPECT_EQ(harness.game().board, saved);
    EXPECT_EQ(Label(window, "RxLabel3")->text(), QStringLiteral("135"));
    EXPECT_EQ(Label(window, "RxLabel4")->text(), QStringLiteral("3"));
    EXPECT_TRUE(window.firstPicked());
    EXPECT_EQ(window.cell(2, 2)->form(), CellShape::Form::Circle);
    EXPECT_TRUE(harness.platform.messages.isEmpty());

    // A save that fails leaves the proposal at the last file written.
    harness.platform.saveAnswers.push_back(harness.path(QStringLiteral("no-such-folder/party.sav")));
    harness.trigger("MnuSave");
    harness.trigger("MnuSave");
    EXPECT_EQ(harness.platform.saveRequests.back().fileName, harness.path(QStringLiteral("party.sav")));
}

TEST_F(SaveAndLoad, RenamedSaveAsksBeforeReplacingAnotherFile)
{
    const QString existing = harness.path(QStringLiteral("party.sav"));
    ASSERT_TRUE(writeAll(existing, "keep me"));
    const auto oldContents = [&] { return readAll(existing); };
    harness.game().Score = 135;

    // "No" writes nothing and leaves the proposed name as it was.
    harness.platform.saveAnswers.push_back(harness.path(QStringLiteral("party.txt")));
    harness.trigger("MnuSave");
    ASSERT_EQ(harness.platform.overwriteQuestions, QStringList{existing});
    EXPECT_EQ(oldContents(), QByteArray("keep me"));
    EXPECT_FALSE(QFile::exists(harness.path(QStringLiteral("party.txt"))));
    harness.trigger("MnuSave");
    EXPECT_EQ(harness.platform.saveRequests[1].fileName, QStringLiteral("*.sav"));

    // "Yes" replaces it.
    harness.platform.saveAnswers.push_back(harness.path(QStringLiteral("party.txt")));
    harness.platform.overwriteAnswers.push_back(true);
    harness.trigger("MnuSave");
    EXPECT_EQ(harness.platform.overwriteQuestions.size(), 2);
    EXPECT_TRUE(oldContents().startsWith("135\r\n"));

    // The name as chosen was confirmed by the dialog itself: no second question.
    harness.platform.saveAnswers.push_back(existing);
    harness.trigger("MnuSave");
    EXPECT_EQ(harness.platform.overwriteQuestions.size(), 2);
    EXPECT_TRUE(harness.platform.messages.isEmpty());
}

TEST_F(SaveAndLoad, NameRuleKeepsTheChosenFolder)
{
    const QString folder = harness.path(QStringLiteral("x.d"));
    ASSERT_TRUE(QDir().mkpath(folder));
    harness.platform.saveAnswers.push_back(folder + QStringLiteral("/a"));
    harness.trigger("MnuSave");
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/a.sav")));
    EXPECT_FALSE(QFile::exists(harness.path(QStringLiteral("x.sav"))));
    EXPECT_TRUE(harness.platform.overwriteQuestions.isEmpty());
}

TEST_F(SaveAndLoad, HugeFileLoadsItsBeginning)
{
    GameState saved = harness.game();
    saved.Score = 99;
    const QString huge = harness.path(QStringLiteral("huge.bin"));
    ASSERT_TRUE(writeAll(huge, EncodeSavedGame(saved) + QByteArray(8 << 20, 'x')));
    harness.platform.openAnswers.push_back(huge);
    harness.trigger("MnuLoad");
    EXPECT_EQ(harness.game().Score, 99);
    EXPECT_EQ(harness.game().board, saved.board);
}

TEST_F(SaveAndLoad, CancelledLoadRedrawsWithoutChanges)
{
    Label(window, "RxLabel3")->setText(QStringLiteral("stale"));
    window.cell(1, 1)->setForm(CellShape::Form::Rectangle);
    const Board board = harness.game().board;
    harness.trigger("MnuLoad");
    EXPECT_EQ(harness.game().board, board);
    EXPECT_EQ(Label(window, "RxLabel3")->text(), QStringLiteral("0"));
    EXPECT_EQ(window.cell(1, 1)->form(), CellShape::Form::Circle);
}

// Messages about files that cannot be written (saved games, as a player
// without write rights meets them, records and settings) give their reason in
// Russian, never in Qt's English error texts. Run as nobody when the tests run
// as root, so that the permission cases fail as they do for players.
constexpr QFileDevice::Permissions ReadOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions ReadWrite = ReadOnly | QFileDevice::WriteOwner;

// The reason ends the message after its last ": ", and has no Latin letter.
::testing::AssertionResult EndsInARussianReason(const QString& message)
{
    const qsizetype colon = message.lastIndexOf(QStringLiteral(": "));
    const QString reason = colon < 0 ? QString() : message.mid(colon + 2);
    if (reason.isEmpty())
        return ::testing::AssertionFailure() << "no reason in: " << message.toStdString();
    for (const QChar c : reason) {
        if (c.isLetter() && c.script() != QChar::Script_Cyrillic)
            return ::testing::AssertionFailure() << "reason not in Russian: " << message.toStdString();
    }
    return ::testing::AssertionSuccess();
}

TEST(FailureReasons, AreRussianForRecordsSavedGamesAndSettings)
{
    POMROLA_WITHOUT_PRIVILEGES();
    GameHarness harness;

    // Records: a records file this user may not write, then a folder he may not write.
    const QString records = harness.path(QStringLiteral("Pomrola99.rec"));
    QFile::setPermissions(records, QFileDevice::ReadOwner);
    harness.endGame(60);
    QFile::setPermissions(records, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QString sharedFolder = harness.path(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkpath(sharedFolder));
    QFile::setPermissions(sharedFolder, ReadOnly);
    harness.session.RecordsDir = sharedFolder;
    harness.endGame(70);
    QFile::setPermissions(sharedFolder, ReadWrite);
    ASSERT_EQ(harness.platform.messages.size(), 2);

    // Saved games: a missing folder, a folder this user may not write (a new
    // file, and over an old one, which stays whole), a file he may not write.
    const QString lockedFolder = harness.path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(lockedFolder));
    const QString oldGame = lockedFolder + QStringLiteral("/old.sav");
    ASSERT_TRUE(writeAll(oldGame, "old contents"));
    const QString readOnlyGame = harness.path(QStringLiteral("read-only.sav"));
    ASSERT_TRUE(writeAll(readOnlyGame, "old"));
    QFile::setPermissions(readOnlyGame, QFileDevice::ReadOwner);
    QFile::setPermissions(lockedFolder, ReadOnly);
    ASSERT_FALSE(QFile(lockedFolder + QStringLiteral("/probe")).open(QIODevice::WriteOnly))
        << "running with rights that ignore folder permissions";
    for (const QString& target : {harness.path(QStringLiteral("no-such-folder/game.sav")),
                                  lockedFolder + QStringLiteral("/game.sav"), oldGame, readOnlyGame}) {
        harness.platform.saveAnswers.push_back(target);
        harness.trigger("MnuSave");
    }
    QFile::setPermissions(lockedFolder, ReadWrite);
    ASSERT_EQ(harness.platform.messages.size(), 6);
    EXPECT_TRUE(harness.platform.messages[2].contains(QStringLiteral("game.sav")));
    EXPECT_EQ(readAll(oldGame), QByteArray("old contents"));

    // Settings at close: a folder stands where the file should be.
    ASSERT_TRUE(harness.makeSettingsUnwritable());
    harness.window().show();
    harness.window().close();
    ASSERT_EQ(harness.platform.messages.size(), 7);
    // Its text is fixed: the file's name, and no reason of Qt's after it.
    EXPECT_TRUE(harness.platform.messages.takeLast().endsWith(QStringLiteral("pomrola99.INI")));

    for (const QString& message : harness.platform.messages)
        EXPECT_TRUE(EndsInARussianReason(message));
}

}  // namespace
