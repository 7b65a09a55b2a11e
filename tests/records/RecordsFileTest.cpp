#include "RecordsBytes.h"
#include "RecordsFolder.h"
#include "Unprivileged.h"

#include <QElapsedTimer>
#include <QLockFile>

#include <gtest/gtest.h>

#include <ctime>

using namespace pomrola;
using pomrola::testing::ScrambledLine;

namespace {

using RecordsFile = pomrola::testing::RecordsFolder;

TEST_F(RecordsFile, PathJoinsFolderAndNameWithOneSeparatorAdded)
{
    const QString sep(QDir::separator());  // a backslash on Windows, as the folder is shown there
    EXPECT_EQ(RecordsFilePath(QStringLiteral("/srv/games")), QStringLiteral("/srv/games") + sep + "Pomrola99.rec");
    EXPECT_EQ(RecordsFilePath(QStringLiteral("/")), QStringLiteral("/") + sep + "Pomrola99.rec");
    EXPECT_EQ(RecordsFilePath(QString()), sep + "Pomrola99.rec");
}

TEST_F(RecordsFile, MissingFileOrFolderFailsAndLeavesTheTable)
{
    book.table[0] = {"kept", 7};
    EXPECT_FALSE(LoadRecords(book, dir.path()));
    EXPECT_FALSE(LoadRecords(book, dir.filePath(QStringLiteral("nowhere"))));
    EXPECT_EQ(book.table[0], (RecordEntry{"kept", 7}));
}

TEST_F(RecordsFile, LoadAfterAFolderChangeKeepsEntriesBeyondTheNewLines)
{
    book.table = pomrola::testing::TableOf({{"a0", 50}, {"a1", 49}, {"a2", 48}, {"a3", 47}, {"a4", 46}});
    write(ScrambledLine("b0_900") + ScrambledLine("b1_800"));
    EXPECT_TRUE(LoadRecords(book, dir.path()));
    EXPECT_EQ(ShownEntries(book.table),
              (std::vector<RecordEntry>{{"b0", 900}, {"b1", 800}, {"a2", 48}, {"a3", 47}, {"a4", 46}}));
}

TEST_F(RecordsFile, ScoreZeroLeavesTheFileAlone)
{
    write("untouched");
    EXPECT_EQ(AddRecord(book, dir.path(), "x", 0), std::nullopt);
    EXPECT_EQ(read(), QByteArray("untouched"));
}

TEST_F(RecordsFile, AddRecordWritesTheSortedTable)
{
    write(ScrambledLine("old_300") + ScrambledLine("low_100"));
    ASSERT_TRUE(LoadRecords(book, dir.path()));
    EXPECT_EQ(AddRecord(book, dir.path(), "me", 200), std::nullopt);
    EXPECT_EQ(read(), ScrambledLine("old_300") + ScrambledLine("me_200") + ScrambledLine("low_100"));
    EXPECT_FALSE(QFile::exists(lock()));
}

TEST_F(RecordsFile, ResultsOthersAddedMeanwhileAreKept)
{
    write(ScrambledLine("first_300"));
    ASSERT_TRUE(LoadRecords(book, dir.path()));
    // Another machine writes its result after we read the file.
    RecordsBook other;
    ASSERT_TRUE(LoadRecords(other, dir.path()));
    ASSERT_EQ(AddRecord(other, dir.path(), "other", 250), std::nullopt);

    ASSERT_EQ(AddRecord(book, dir.path(), "me", 100), std::nullopt);
    EXPECT_EQ(read(), ScrambledLine("first_300") + ScrambledLine("other_250") + ScrambledLine("me_100"));
    EXPECT_EQ(book.table[1], (RecordEntry{"other", 250}));
}

TEST_F(RecordsFile, ResultsOfThePreviousFolderGoIntoTheNewOne)
{
    book.table[0] = {"from-a", 500};
    const QString empty = dir.filePath(QStringLiteral("b"));
    ASSERT_TRUE(QDir().mkpath(empty));
    EXPECT_FALSE(LoadRecords(book, empty));  // no file there yet
    ASSERT_EQ(AddRecord(book, empty, "new", 10), std::nullopt);
    RecordsBook reread;
    ASSERT_TRUE(LoadRecords(reread, empty));
    EXPECT_EQ(ShownEntries(reread.table), (std::vector<RecordEntry>{{"from-a", 500}, {"new", 10}}));
}

TEST_F(RecordsFile, FailedWriteKeepsTheOldFileAndTheResult)
{
    POMROLA_WITHOUT_PRIVILEGES();
    QTemporaryDir config;  // beside the settings file, always writable
    book.pendingPath = config.filePath(QStringLiteral("pending"));
    write(ScrambledLine("old_300"));
    ASSERT_TRUE(LoadRecords(book, dir.path()));
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ASSERT_FALSE(QFile(dir.filePath(QStringLiteral("probe"))).open(QIODevice::WriteOnly))
        << "running with rights that ignore folder permissions";
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpu = std::clock();
    const std::optional<QString> error = AddRecord(book, dir.path(), "me", 400);  // the game's own lock wait
    EXPECT_LT(timer.elapsed(), 500) << "an unwritable folder is no lock to wait for";
    EXPECT_LT(double(std::clock() - cpu) / CLOCKS_PER_SEC, 0.2);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains(QStringLiteral("Pomrola99.rec")));
    EXPECT_EQ(read(), ScrambledLine("old_300"));
    EXPECT_EQ(book.table[0], (RecordEntry{"me", 400}));

    // The game is closed; the next run writes the kept result once, with its own.
    RecordsBook next;
    next.pendingPath = book.pendingPath;
    ASSERT_TRUE(LoadRecords(next, dir.path()));
    EXPECT_EQ(next.table[0], (RecordEntry{"me", 400}));
    ASSERT_EQ(AddRecord(next, dir.path(), "me", 90), std::nullopt);
    ASSERT_EQ(AddRecord(next, dir.path(), "me", 80), std::nullopt);
    EXPECT_EQ(read(),
              ScrambledLine("me_400") + ScrambledLine("old_300") + ScrambledLine("me_90") + ScrambledLine("me_80"));
    EXPECT_FALSE(QFile::exists(book.pendingPath));
}

TEST_F(RecordsFile, KeptResultsSurviveAReloadAndMergeAsTheTableSorts)
{
    write(ScrambledLine("a_100") + ScrambledLine("b_50") + ScrambledLine("neg_-5"));
    ASSERT_TRUE(LoadRecords(book, dir.path()));
    QLockFile other(lock());
    ASSERT_TRUE(other.lock());
    ASSERT_TRUE(AddRecord(book, dir.path(), "c", 70, 0).has_value());
    ASSERT_TRUE(AddRecord(book, dir.path(), "me", 50, 0).has_value());
    other.unlock();
    // The same folder again: our two results are not the file's, and stay.
    static_cast<void>(LoadRecords(book, dir.path()));
    EXPECT_EQ(ShownEntries(book.table), (std::vector<RecordEntry>{{"a", 100}, {"c", 70}, {"b", 50}, {"me", 50}}));
    // Ties with the file's results come after them, as the table's sort keeps
    // them; a negative score is nothing the game writes.
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 10), std::nullopt);
    EXPECT_EQ(read(), ScrambledLine("a_100") + ScrambledLine("c_70") + ScrambledLine("b_50") + ScrambledLine("me_50") +
                          ScrambledLine("me_10"));
}

TEST_F(RecordsFile, FolderThatIsGoneIsNamedAsSuch)
{
    const QString gone = dir.filePath(QStringLiteral("gone"));
    const std::optional<QString> error = AddRecord(book, gone, "me", 40, 100);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->endsWith(QStringLiteral(": каталог не найден"))) << error->toStdString();
    EXPECT_EQ(book.table[0], (RecordEntry{"me", 40}));  // kept for the next game end
}

TEST_F(RecordsFile, LockHeldByALiveProgramMakesTheWriteFailAfterTheWait)
{
    QLockFile held(lock());
    ASSERT_TRUE(held.lock());
    const std::optional<QString> error = AddRecord(book, dir.path(), "me", 40, 200);
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(QFile::exists(file()));
    EXPECT_EQ(book.table[0], (RecordEntry{"me", 40}));  // written with the next result
    held.unlock();
    EXPECT_EQ(AddRecord(book, dir.path(), "me", 30), std::nullopt);
    EXPECT_EQ(read(), ScrambledLine("me_40") + ScrambledLine("me_30"));
}

TEST_F(RecordsFile, GameEndGivesUpAfterFiveSecondsOnALockHeldByALiveProgram)
{
    QLockFile held(lock());
    ASSERT_TRUE(held.lock());
    QElapsedTimer timer;
    timer.start();
    const std::optional<QString> error = AddRecord(book, dir.path(), "me", 40);
    const qint64 waited = timer.elapsed();
    ASSERT_TRUE(error.has_value());
    EXPECT_GE(waited, 4900);
    EXPECT_LT(waited, 15000);  // before the lock would count as left behind
    EXPECT_FALSE(QFile::exists(file()));
}

TEST_F(RecordsFile, LockLeftByADeadProgramIsBroken)
{
    // A lock as this host writes it (host names differ in form between systems),
    // with a process id that does not exist here.
    QByteArray contents;
    {
        QLockFile live(lock());
        ASSERT_TRUE(live.lock());
        contents = pomrola::testing::readAll(lock());
    }
    ASSERT_TRUE(contents.contains('\n'));
    ASSERT_TRUE(pomrola::testing::writeAll(lock(), "2147483000" + contents.mid(contents.indexOf('\n'))));
    EXPECT_EQ(AddRecord(book, dir.path(), "me", 40, 2000), std::nullopt);
    EXPECT_EQ(read(), ScrambledLine("me_40"));
}

}  // namespace
