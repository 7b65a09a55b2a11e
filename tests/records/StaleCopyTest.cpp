// A network client that caches file lengths may read the records file cut to an older length.
// Such a copy decodes as a valid table, so only the seal beside the file tells it apart;
// writing over it would drop the results it cut off.
#include "RecordsBytes.h"
#include "RecordsFolder.h"

#include <QThread>

#include <gtest/gtest.h>

#include <random>
#include <thread>

using namespace pomrola;
using pomrola::testing::EntriesOf;
using pomrola::testing::ScrambledLine;

namespace {

// The file is written behind the writer's back, leaving the seal alone, as
// another computer's view of it or a program that keeps no seal would.
class StaleCopy : public pomrola::testing::RecordsFolder {
protected:
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
        write(ScrambledLine("a_300") + ScrambledLine("b_200") + ScrambledLine("c_100"));
        ASSERT_TRUE(LoadRecords(book, dir.path()));
        ASSERT_EQ(AddRecord(book, dir.path(), "me", 250), std::nullopt);
        ASSERT_TRUE(QFile::exists(seal()));
        full = read();
        ASSERT_EQ(EntriesOf(full).size(), 4u);
    }

    QByteArray full;
};

// A caching client shows the cut copy first and the real file once its cache
// expires: the second look differs, so nothing is written.
TEST_F(StaleCopy, CopyThatReadsDifferentlyOnASecondLookIsReportedAndNothingIsWritten)
{
    writeSealedTable();
    const QByteArray sealBefore = pomrola::testing::readAll(seal());
    std::int32_t score = 150;
    for (const QByteArray& first : {firstLines(full, 2), QByteArray()}) {
        SCOPED_TRACE(first.isEmpty() ? "file seems gone" : "file seems cut");
        ASSERT_TRUE(first.isEmpty() ? QFile::remove(file()) : pomrola::testing::writeAll(file(), first));
        std::thread cacheExpires([&] {
            QThread::msleep(300);
            write(full);
        });
        const std::optional<QString> error = AddRecord(book, dir.path(), "me", score);
        cacheExpires.join();
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(error->contains(QStringLiteral("этот компьютер видит устаревшую копию файла")))
            << error->toStdString();
        EXPECT_TRUE(error->contains(QStringLiteral("Pomrola99.rec"))) << error->toStdString();
        EXPECT_EQ(read(), full);
        EXPECT_EQ(pomrola::testing::readAll(seal()), sealBefore);
        EXPECT_NE(std::find(book.table.begin(), book.table.end(), RecordEntry{"me", score}), book.table.end());
        score -= 10;
    }
    // The kept result goes in with the next one and nothing is lost.
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 50), std::nullopt);
    EXPECT_EQ(read(), ScrambledLine("a_300") + ScrambledLine("me_250") + ScrambledLine("b_200") +
                          ScrambledLine("me_150") + ScrambledLine("me_140") + ScrambledLine("c_100") +
                          ScrambledLine("me_50"));
}

// A backup put back, a crash between the file and its seal, a seal of any
// digits, a file deleted by hand: what reads the same twice is the file.
TEST_F(StaleCopy, CopyThatReadsTheSameTwiceIsTakenWhoeverChangedIt)
{
    writeSealedTable();
    constexpr unsigned Seed = 20261208;
    std::mt19937 random(Seed);
    const int cut = std::uniform_int_distribution<int>(0, 3)(random);
    SCOPED_TRACE(::testing::Message() << "seed " << Seed << ", cut after line " << cut);
    write(firstLines(full, cut));
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 7), std::nullopt);
    std::vector<RecordEntry> expected = EntriesOf(firstLines(full, cut));
    expected.push_back({"me", 7});
    EXPECT_EQ(EntriesOf(read()), expected);

    ASSERT_TRUE(pomrola::testing::writeAll(seal(), "9999999999 " + QByteArray(40, '0') + "\r\n"));
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 6), std::nullopt);
    expected.push_back({"me", 6});
    EXPECT_EQ(EntriesOf(read()), expected);

    ASSERT_TRUE(QFile::remove(file()));
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 5), std::nullopt);
    EXPECT_EQ(read(), ScrambledLine("me_5"));
}

TEST_F(StaleCopy, FileOfAProgramThatKeepsNoSealIsTakenAsItIs)
{
    // No seal at all.
    write(ScrambledLine("x_400"));
    ASSERT_TRUE(LoadRecords(book, dir.path()));
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 350), std::nullopt);
    EXPECT_EQ(read(), ScrambledLine("x_400") + ScrambledLine("me_350"));

    // The seal names our write, but another program wrote a longer file since.
    const QByteArray longer = ScrambledLine("old_900") + read() + ScrambledLine("y_10");
    write(longer);
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 20), std::nullopt);
    EXPECT_EQ(read(), ScrambledLine("old_900") + ScrambledLine("x_400") + ScrambledLine("me_350") +
                          ScrambledLine("me_20") + ScrambledLine("y_10"));

    // ... or one as long as ours: one result replaced by another of equal length.
    QByteArray same = read();
    same.replace(ScrambledLine("x_400"), ScrambledLine("z_401"));
    write(same);
    ASSERT_EQ(AddRecord(book, dir.path(), "me", 15), std::nullopt);
    EXPECT_EQ(read(), ScrambledLine("old_900") + ScrambledLine("z_401") + ScrambledLine("me_350") +
                          ScrambledLine("me_20") + ScrambledLine("me_15") + ScrambledLine("y_10"));
}

}  // namespace
