#include "SavedGame.h"
#include "SavedGameFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace pomrola;

namespace {

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
TEST(SavedGameFiles, CutFilesLoadWhatTheyHoldAndReportTheRest)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("game.sav"));
    const unsigned seed = 7310;
    std::mt19937 random(seed);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << " round " << round);
        const GameState saved = RandomGame(random);
        ASSERT_EQ(SaveGameToFile(path, saved), std::nullopt);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray whole = file.readAll();
        file.close();
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
            EXPECT_EQ(loaded.Score, saved.Score);
            EXPECT_EQ(loaded.MovesLeft, saved.MovesLeft);
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

TEST(SavedGameFiles, MissingFileIsReportedAndChangesNothing)
{
    QTemporaryDir dir;
    std::mt19937 random(11);
    const GameState before = RandomGame(random);
    GameState game = before;
    EXPECT_TRUE(LoadGameFromFile(dir.filePath(QStringLiteral("none.sav")), game).has_value());
    EXPECT_EQ(game.board, before.board);
    EXPECT_EQ(game.Score, before.Score);
    EXPECT_EQ(game.MovesLeft, before.MovesLeft);
}

}  // namespace
