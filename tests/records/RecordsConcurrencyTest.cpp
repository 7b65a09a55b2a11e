#include "RecordsBytes.h"
#include "RecordsFolder.h"
#include "WriterProgram.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>

using namespace pomrola;
using pomrola::testing::EntriesOf;
using pomrola::testing::readAll;
using pomrola::testing::ScoresOf;
using pomrola::testing::ScrambledLine;
using pomrola::testing::WriterProgram;

namespace {

// What a reader must always find: a whole file of at most 20 lines that all convert, best first.
::testing::AssertionResult IsWholeRecordsFile(const QByteArray& bytes)
{
    if (!bytes.isEmpty() && !bytes.endsWith("\r\n"))
        return ::testing::AssertionFailure() << "file ends inside a line";
    if (bytes.count("\r\n") > RecordsCount)
        return ::testing::AssertionFailure() << "more than 20 lines";
    RecordsTable table;
    const DecodeResult result = DecodeRecords(bytes, table);
    if (!result.ok)
        return ::testing::AssertionFailure() << "a score does not convert";
    if (!std::is_sorted(result.entries.begin(), result.entries.end(),
                        [](const RecordEntry& a, const RecordEntry& b) { return a.score > b.score; }))
        return ::testing::AssertionFailure() << "not sorted";
    return ::testing::AssertionSuccess();
}

// However slow the machine, no writer gives up waiting for the lock (the game's 5 s: RecordsFile).
constexpr int LongLockWaitMs = 120000;

// Eight writers share a temporary folder, or spread over the mounts of one share named
// in POMROLA_RECORDS_FOLDERS as over several computers; the file starts with two results.
class RecordsConcurrency : public pomrola::testing::RecordsFolder {
protected:
    static constexpr int Processes = 8;
    // Each writer's scores rise and fall, its best coming first, so that the
    // 20 best include early results of every writer: a lost one shows.
    static constexpr int Order[] = {9, 0, 8, 1, 7, 2, 6, 3, 5, 4};

    void SetUp() override { folders = useShare("POMROLA_RECORDS_FOLDERS"); }

    // Writes the first two results at `path` and starts the writers in `mode`, half of them
    // with clocks a minute off either way when `skewedClocks`: no live lock is stale.
    void startWriters(const QString& path, const QStringList& mode, [[maybe_unused]] bool skewedClocks)
    {
        ASSERT_TRUE(pomrola::testing::writeAll(path, ScrambledLine("champion_99999") + ScrambledLine("small_5")));
        pomrola::testing::AllowPreloadedClocks();
        for (int p = 0; p < Processes; ++p) {
            QStringList own;
            for (const int rank : Order) {
                const std::int32_t score = 1000 + rank * Processes + p;  // distinct over all writers
                scores.push_back(score);
                own.push_back(QString::number(score));
            }
            QStringList command = QStringList{WriterProgram()} + mode +
                                  QStringList{folders[p % folders.size()], QStringLiteral("w%1").arg(p),
                                              QString::number(LongLockWaitMs), own.join(QLatin1Char(','))};
#ifndef Q_OS_WIN
            if (skewedClocks && p % 2 == 1)
                command =
                    pomrola::testing::ClockOff(p % 4 == 1 ? QStringLiteral("+60") : QStringLiteral("-60")) + command;
#endif
            writers.push_back(std::make_unique<QProcess>());
            writers.back()->start(command.takeFirst(), command);
            // A writer that never started would pass for one that finished well.
            ASSERT_TRUE(writers.back()->waitForStarted(30000)) << writers.back()->errorString().toStdString();
        }
    }

    // Waits for a writer to end well; the lines it printed.
    static QList<QByteArray> outputOf(QProcess& writer)
    {
        EXPECT_TRUE(writer.state() == QProcess::NotRunning || writer.waitForFinished(LongLockWaitMs + 30000));
        EXPECT_EQ(writer.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
        QList<QByteArray> lines = writer.readAllStandardOutput().split('\n');
        lines.removeAll(QByteArray());
        return lines;
    }

    QStringList folders;
    std::vector<std::unique_ptr<QProcess>> writers;
    std::vector<std::int32_t> scores = {99999, 5};  // every result written
};

using CachingShare = RecordsConcurrency;

TEST_F(RecordsConcurrency, EightProcessesLoseNoResultAndReadersSeeOnlyWholeFiles)
{
    const bool onShare = folder != dir.path();
    startWriters(file(), {}, true);

    int reads = 0;
    QElapsedTimer timer;
    timer.start();
    auto running = [&] {
        return std::any_of(writers.begin(), writers.end(),
                           [](const auto& w) { return w->state() != QProcess::NotRunning; });
    };
    while ((running() || reads == 0) && timer.elapsed() < LongLockWaitMs) {
        // Open only while it reads, as the game's readers.
        if (QFile reader(file()); reader.open(QIODevice::ReadOnly)) {
            ASSERT_TRUE(IsWholeRecordsFile(reader.readAll())) << "after " << reads << " reads";
            ++reads;
        }
#ifdef Q_OS_WIN
        // Windows cannot replace a file while it is open; a reader that never
        // pauses, as no player's program does, would hold every writer off.
        QThread::msleep(20);
#endif
        for (auto& w : writers)
            w->waitForFinished(0);
        if (onShare)
            QThread::msleep(5);  // a reader on a share reads now and then, not without a break
    }
    std::vector<long long> tookUs;  // how long each game end's write took, the lock wait included
    for (auto& w : writers)
        for (const QByteArray& line : outputOf(*w))
            tookUs.push_back(line.toLongLong());
    ASSERT_EQ(tookUs.size(), std::size_t(Processes * std::size(Order)));
    std::sort(tookUs.begin(), tookUs.end());
    std::printf("records write per game end, lock wait included: median %lld us, worst %lld us over %zu writes\n",
                tookUs[tookUs.size() / 2], tookUs.back(), tookUs.size());

    const QByteArray bytes = read();
    ASSERT_TRUE(IsWholeRecordsFile(bytes));
    std::sort(scores.begin(), scores.end(), std::greater<>());
    EXPECT_EQ(ScoresOf(EntriesOf(bytes)), std::vector<std::int32_t>(scores.begin(), scores.begin() + RecordsCount));
    EXPECT_GT(reads, 0);
}

// On a share whose clients cache file lengths (sshfs by default) a writer may read a cut
// copy of the file: it must say so and write nothing; a write it calls a success keeps every
// result. The final file is read through POMROLA_RECORDS_CHECK_FOLDER, an uncached view.
TEST_F(CachingShare, EightProcessesKeepEveryResultOrReportAStaleCopy)
{
    const QString path = RecordsFilePath(qEnvironmentVariable("POMROLA_RECORDS_CHECK_FOLDER", folder));
    startWriters(path, {QStringLiteral("--keep-going")}, false);

    std::vector<std::int32_t> kept;
    int stale = 0;
    for (auto& w : writers) {
        for (const QByteArray& line : outputOf(*w)) {
            const QList<QByteArray> words = line.split(' ');
            if (words.front() == "ok") {
                kept.push_back(words.value(1).toInt());
            } else if (words.front() == "failed") {
                ++stale;
                EXPECT_TRUE(QString::fromUtf8(line).contains(QStringLiteral("устаревшую копию"))) << line.toStdString();
            }
        }
    }
    EXPECT_EQ(kept.size() + std::size_t(stale), std::size_t(Processes * std::size(Order)));

    const QByteArray bytes = readAll(path);
    ASSERT_TRUE(IsWholeRecordsFile(bytes));  // its scores convert and are sorted
    const std::vector<std::int32_t> stored = ScoresOf(EntriesOf(bytes));
    ASSERT_FALSE(stored.empty());
    EXPECT_EQ(std::adjacent_find(stored.begin(), stored.end()), stored.end()) << "a result stored twice";
    for (const std::int32_t score : stored)
        EXPECT_NE(std::find(scores.begin(), scores.end(), score), scores.end()) << score;
    // A result a writer saw written leaves the table only for 20 better ones.
    const bool full = stored.size() == std::size_t(RecordsCount);
    int lost = 0;
    for (const std::int32_t score : kept) {
        if (std::find(stored.begin(), stored.end(), score) == stored.end() && !(full && stored.back() > score)) {
            ++lost;
            ADD_FAILURE() << "result " << score << " was reported written but is gone";
        }
    }
    std::printf("caching share: %zu writes kept, %d stale copies reported, %d results lost\n", kept.size(), stale,
                lost);
}

}  // namespace
