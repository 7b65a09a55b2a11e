// A computer whose network client caches file lengths may read the records
// file cut to an older, shorter length. Such a copy decodes as a valid table,
// so only the seal beside the file tells it apart; writing over it would drop
// the results it cut off.
#include "RecordsBytes.h"
#include "RecordsCodec.h"
#include "RecordsFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

using namespace pomrola;
using pomrola::testing::ScrambledLine;

namespace {

const QString StaleCopyText = QStringLiteral("этот компьютер видит устаревшую копию файла");

class StaleCopy : public ::testing::Test {
protected:
    QString file() const { return RecordsFilePath(dir.path()); }
    QString seal() const { return file() + QStringLiteral(".seal"); }

    static QByteArray read(const QString& path)
    {
        QFile in(path);
        in.open(QIODevice::ReadOnly);
        return in.readAll();
    }

    // Replaces the file behind the writer's back, leaving the seal alone, as
    // another computer's view of it or a program that keeps no seal would.
    static void overwrite(const QString& path, const QByteArray& bytes)
    {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }

    static std::vector<RecordEntry> entries(const QByteArray& bytes)
    {
        RecordsTable scratch;
        return DecodeRecords(bytes, scratch).entries;
    }

    static bool holds(const RecordsTable& table, const RecordEntry& entry)
    {
        return std::find(table.begin(), table.end(), entry) != table.end();
    }

    // The first `lines` lines of `bytes`.
    static QByteArray firstLines(const QByteArray& bytes, int lines)
    {
        qsizetype end = 0;
        for (int i = 0; i < lines; ++i)
            end = bytes.indexOf("\r\n", end) + 2;
        return bytes.left(end);
    }

    // A sealed file of four results, written by this program.
    void writeSealedTable()
    {
        overwrite(file(), ScrambledLine("a_300") + ScrambledLine("b_200") + ScrambledLine("c_100"));
        ASSERT_TRUE(LoadRecords(book, dir.path()));
        ASSERT_EQ(AddRecord(book, dir.path(), "me", 250), std::nullopt);
        ASSERT_TRUE(QFile::exists(seal()));
        full = read(file());
        ASSERT_EQ(entries(full).size(), 4u);
    }

    QTemporaryDir dir;
    RecordsBook book;
    QByteArray full;
};

TEST_F(StaleCopy, CutCopyUnderTheSealIsReportedKeptForLaterAndNothingIsWritten)
{
    writeSealedTable();
    const QByteArray sealBefore = read(seal());
    const QByteArray cut = firstLines(full, 2);
    overwrite(file(), cut);

    const std::optional<QString> error = AddRecord(book, dir.path(), "me", 150);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains(StaleCopyText)) << error->toStdString();
    EXPECT_TRUE(error->contains(QStringLiteral("Pomrola99.rec"))) << error->toStdString();
    EXPECT_EQ(read(file()), cut);
    EXPECT_EQ(read(seal()), sealBefore);
    EXPECT_TRUE(holds(book.table, {"me", 150}));

    // The computer sees the real file again: the kept result goes in with the
    // next one and nothing the cut copy lacked is lost.
    overwrite(file(), full);
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 50), std::nullopt);
    EXPECT_EQ(read(file()), ScrambledLine("a_300") + ScrambledLine("me_250") + ScrambledLine("b_200") +
                                ScrambledLine("me_150") + ScrambledLine("c_100") + ScrambledLine("me_50"));
}

TEST_F(StaleCopy, FileThatSeemsGoneUnderItsSealIsAStaleCopyToo)
{
    // A caching client may not see a file that was just replaced at all.
    writeSealedTable();
    ASSERT_TRUE(QFile::remove(file()));

    const std::optional<QString> error = AddRecord(book, dir.path(), "me", 150);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains(StaleCopyText)) << error->toStdString();
    EXPECT_FALSE(QFile::exists(file()));
    EXPECT_TRUE(holds(book.table, {"me", 150}));

    overwrite(file(), full);
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 50), std::nullopt);
    EXPECT_EQ(entries(read(file())).size(), 6u);
}

TEST_F(StaleCopy, TheSameCutCopyIsTakenAsTheFilesContentOnlyAfterTheAcceptanceTime)
{
    writeSealedTable();
    const QByteArray cut = firstLines(full, 2);
    overwrite(file(), cut);

    ASSERT_TRUE(AddRecord(book, dir.path(), "me", 150).has_value());
    // Seen again at once: still a cut copy, still nothing written.
    const std::optional<QString> again = AddRecord(book, dir.path(), "me", 140);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(again->contains(StaleCopyText)) << again->toStdString();
    EXPECT_EQ(read(file()), cut);

    RecordsWriteOptions options;
    options.staleCopyAcceptMs = 40;
    QThread::msleep(60);
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 130, options), std::nullopt);
    const QByteArray written = read(file());
    EXPECT_EQ(written, cut + ScrambledLine("me_150") + ScrambledLine("me_140") + ScrambledLine("me_130"));

    // The file and its seal agree again: the next write is an ordinary one.
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 120), std::nullopt);
    EXPECT_EQ(read(file()), written + ScrambledLine("me_120"));
}

TEST_F(StaleCopy, AnotherCutCopyStartsItsOwnAcceptanceTime)
{
    writeSealedTable();
    overwrite(file(), firstLines(full, 3));
    ASSERT_TRUE(AddRecord(book, dir.path(), "me", 150).has_value());
    QThread::msleep(60);
    // A different cut is a new suspicion, however long the first one lasted.
    RecordsWriteOptions options;
    options.staleCopyAcceptMs = 40;
    overwrite(file(), firstLines(full, 1));
    const std::optional<QString> error = AddRecord(book, dir.path(), "me", 140, options);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains(StaleCopyText)) << error->toStdString();
    EXPECT_EQ(read(file()), firstLines(full, 1));
}

TEST_F(StaleCopy, FileOfAProgramThatKeepsNoSealIsTakenAsItIs)
{
    // No seal at all.
    overwrite(file(), ScrambledLine("x_400"));
    ASSERT_TRUE(LoadRecords(book, dir.path()));
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 350), std::nullopt);
    EXPECT_EQ(read(file()), ScrambledLine("x_400") + ScrambledLine("me_350"));

    // The seal names our write, but another program wrote a longer file since.
    const QByteArray longer = ScrambledLine("old_900") + read(file()) + ScrambledLine("y_10");
    overwrite(file(), longer);
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 20), std::nullopt);
    EXPECT_EQ(read(file()), ScrambledLine("old_900") + ScrambledLine("x_400") + ScrambledLine("me_350") +
                                ScrambledLine("me_20") + ScrambledLine("y_10"));

    // ... or one as long as ours: one result replaced by another of equal length.
    QByteArray same = read(file());
    same.replace(ScrambledLine("x_400"), ScrambledLine("z_401"));
    overwrite(file(), same);
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 15), std::nullopt);
    EXPECT_EQ(read(file()), ScrambledLine("old_900") + ScrambledLine("z_401") + ScrambledLine("me_350") +
                                ScrambledLine("me_20") + ScrambledLine("me_15") + ScrambledLine("y_10"));
}

// Over many tables and cuts: a copy cut at any line boundary is reported and
// left alone; a copy that is longer than the sealed one is merged with.
TEST_F(StaleCopy, AnyShorterCopyIsRefusedAndAnyLongerOneTaken)
{
    constexpr unsigned Seed = 20240611;
    std::printf("seed %u\n", Seed);
    std::mt19937 random(Seed);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(::testing::Message() << "seed " << Seed << " round " << round);
        QFile::remove(file());
        QFile::remove(seal());
        book = RecordsBook();
        const int lines = std::uniform_int_distribution<int>(2, 17)(random);
        QByteArray table;
        for (int i = 0; i < lines; ++i)
            table += ScrambledLine("p" + QByteArray::number(i) + "_" + QByteArray::number(5000 - i * 10));
        overwrite(file(), table);
        ASSERT_TRUE(LoadRecords(book, dir.path()));
        ASSERT_EQ(AddRecord(book, dir.path(), "me", 1), std::nullopt);
        const QByteArray sealed = read(file());

        if (round % 2 == 0) {
            const QByteArray cut = firstLines(sealed, std::uniform_int_distribution<int>(0, lines)(random));
            overwrite(file(), cut);
            const std::optional<QString> error = AddRecord(book, dir.path(), "me", 2);
            ASSERT_TRUE(error.has_value())
                << "a cut copy of " << cut.size() << " of " << sealed.size() << " bytes was taken";
            EXPECT_TRUE(error->contains(StaleCopyText)) << error->toStdString();
            EXPECT_EQ(read(file()), cut);
            EXPECT_TRUE(holds(book.table, {"me", 2}));
        } else {
            // Another program put one more result in, at any place.
            const QByteArray line =
                ScrambledLine("q_" + QByteArray::number(std::uniform_int_distribution<int>(3, 6000)(random)));
            const int at = std::uniform_int_distribution<int>(0, lines + 1)(random);
            QByteArray longer = sealed;
            longer.insert(firstLines(sealed, at).size(), line);
            overwrite(file(), longer);
            ASSERT_EQ(AddRecord(book, dir.path(), "me", 2), std::nullopt);
            const std::vector<RecordEntry> now = entries(read(file()));
            const std::vector<RecordEntry> expected = entries(longer);
            for (const RecordEntry& entry : expected)
                EXPECT_NE(std::find(now.begin(), now.end(), entry), now.end()) << entry.name.toStdString();
            EXPECT_EQ(now.size(), std::min<std::size_t>(expected.size() + 1, RecordsCount));
        }
    }
}

}  // namespace
