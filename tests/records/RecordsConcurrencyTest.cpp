#include "RecordsBytes.h"
#include "RecordsCodec.h"
#include "RecordsFile.h"
#include "WriterProgram.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>

using namespace pomrola;
using pomrola::testing::ScrambledLine;
using pomrola::testing::WriterProgram;

namespace {

// What a reader must always find: a whole file of at most 20 lines that all
// convert, best first.
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

// The folders the writers share: a temporary folder, or the mounts of one
// network share named in POMROLA_RECORDS_FOLDERS (separated as in PATH), the
// writers spread over them as over several computers.
QStringList SharedFolders(const QTemporaryDir& dir)
{
    const QString named = qEnvironmentVariable("POMROLA_RECORDS_FOLDERS");
    if (named.isEmpty())
        return {dir.path()};
    const QStringList folders = named.split(QDir::listSeparator(), Qt::SkipEmptyParts);
    const QString first = RecordsFilePath(folders.front());
    for (const QString& left : {first, first + QStringLiteral(".seal")})
        QFile::remove(left);
    QDir(first + QStringLiteral(".lock")).removeRecursively();
    return folders;
}

TEST(RecordsConcurrency, EightProcessesLoseNoResultAndReadersSeeOnlyWholeFiles)
{
    QTemporaryDir dir;
    const QStringList folders = SharedFolders(dir);
    const bool onShare = folders.front() != dir.path();
    const QString path = RecordsFilePath(folders.front());
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ScrambledLine("champion_99999") + ScrambledLine("small_5"));
    }

    constexpr int Processes = 8;
    pomrola::testing::AllowPreloadedClocks();
    // Each writer's scores rise and fall, its best coming first, so that the
    // 20 best include early results of every writer: a lost one shows.
    constexpr int Order[] = {9, 0, 8, 1, 7, 2, 6, 3, 5, 4};
    // However slow the machine, no writer gives up waiting for the lock; the
    // game's own give-up after 5 seconds has a test of its own.
    constexpr int LongLockWaitMs = 120000;
    std::vector<std::unique_ptr<QProcess>> writers;
    std::vector<std::int32_t> scores = {99999, 5};
    for (int p = 0; p < Processes; ++p) {
        auto process = std::make_unique<QProcess>();
        QStringList own;
        for (const int rank : Order) {
            const std::int32_t score = 1000 + rank * Processes + p;  // distinct over all writers
            scores.push_back(score);
            own.push_back(QString::number(score));
        }
        QStringList command = {WriterProgram(), folders[p % folders.size()], QStringLiteral("w%1").arg(p),
                               QString::number(LongLockWaitMs), own.join(QLatin1Char(','))};
        // Half the computers' clocks are a minute off, either way: no live lock may be taken for stale.
#ifndef Q_OS_WIN
        if (p % 2 == 1 && !QStandardPaths::findExecutable(QStringLiteral("faketime")).isEmpty())
            command = QStringList{QStringLiteral("faketime"), QStringLiteral("-f"),
                                  p % 4 == 1 ? QStringLiteral("+60") : QStringLiteral("-60")} +
                      command;
#endif
        process->start(command.takeFirst(), command);
        // A writer that never started would pass for one that finished well.
        ASSERT_TRUE(process->waitForStarted(30000)) << process->errorString().toStdString();
        writers.push_back(std::move(process));
    }

    int reads = 0;
    QElapsedTimer timer;
    timer.start();
    auto running = [&] {
        return std::any_of(writers.begin(), writers.end(),
                           [](const auto& w) { return w->state() != QProcess::NotRunning; });
    };
    while ((running() || reads == 0) && timer.elapsed() < LongLockWaitMs) {
        {
            QFile file(path);  // open only while it reads, as the game's readers
            if (file.open(QIODevice::ReadOnly)) {
                ASSERT_TRUE(IsWholeRecordsFile(file.readAll())) << "after " << reads << " reads";
                ++reads;
            }
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
    std::vector<long long> heldUs;  // how long each write held the lock
    for (auto& w : writers) {
        if (w->state() != QProcess::NotRunning) {
            ASSERT_TRUE(w->waitForFinished(LongLockWaitMs + 30000));
        }
        EXPECT_EQ(w->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(w->exitCode(), 0) << w->readAllStandardError().toStdString();
        for (const QByteArray& line : w->readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                heldUs.push_back(line.toLongLong());
    }
    ASSERT_EQ(heldUs.size(), std::size_t(Processes * std::size(Order)));
    std::sort(heldUs.begin(), heldUs.end());
    std::printf("lock held per game end: median %lld us, worst %lld us over %zu writes\n", heldUs[heldUs.size() / 2],
                heldUs.back(), heldUs.size());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    RecordsTable table;
    const DecodeResult result = DecodeRecords(file.readAll(), table);
    ASSERT_TRUE(result.ok);
    std::sort(scores.begin(), scores.end(), std::greater<>());
    std::vector<std::int32_t> stored;
    for (const RecordEntry& entry : result.entries)
        stored.push_back(entry.score);
    EXPECT_EQ(stored, std::vector<std::int32_t>(scores.begin(), scores.begin() + RecordsCount));
    EXPECT_GT(reads, 0);
}

}  // namespace

// On a share whose clients cache file lengths (sshfs by default) a writer may
// read a cut copy of the file. It must then say so and write nothing; every
// write it calls a success must keep every result. The final file is read
// through POMROLA_RECORDS_CHECK_FOLDER, a view of the share without caching,
// when it is given.
TEST(CachingShare, EightProcessesKeepEveryResultOrReportAStaleCopy)
{
    QTemporaryDir dir;
    const QStringList folders = SharedFolders(dir);
    const QString checkFolder = qEnvironmentVariable("POMROLA_RECORDS_CHECK_FOLDER", folders.front());
    const QString path = RecordsFilePath(checkFolder);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ScrambledLine("champion_99999") + ScrambledLine("small_5"));
    }

    constexpr int Processes = 8;
    constexpr int Order[] = {9, 0, 8, 1, 7, 2, 6, 3, 5, 4};
    constexpr int LongLockWaitMs = 120000;
    std::vector<std::unique_ptr<QProcess>> writers;
    std::vector<std::int32_t> known = {99999, 5};
    for (int p = 0; p < Processes; ++p) {
        QStringList own;
        for (const int rank : Order) {
            const std::int32_t score = 1000 + rank * Processes + p;
            known.push_back(score);
            own.push_back(QString::number(score));
        }
        auto process = std::make_unique<QProcess>();
        process->start(WriterProgram(),
                       {QStringLiteral("--keep-going"), folders[p % folders.size()], QStringLiteral("w%1").arg(p),
                        QString::number(LongLockWaitMs), own.join(QLatin1Char(','))});
        writers.push_back(std::move(process));
    }

    std::vector<std::int32_t> kept;
    int stale = 0;
    for (auto& w : writers) {
        ASSERT_TRUE(w->waitForFinished(LongLockWaitMs + 30000));
        EXPECT_EQ(w->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(w->exitCode(), 0) << w->readAllStandardError().toStdString();
        for (const QByteArray& line : w->readAllStandardOutput().split('\n')) {
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

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    RecordsTable table;
    const DecodeResult result = DecodeRecords(file.readAll(), table);
    ASSERT_TRUE(result.ok);
    std::vector<std::int32_t> stored;
    for (const RecordEntry& entry : result.entries)
        stored.push_back(entry.score);
    ASSERT_FALSE(stored.empty());
    EXPECT_TRUE(std::is_sorted(stored.begin(), stored.end(), std::greater<>()));
    EXPECT_EQ(std::adjacent_find(stored.begin(), stored.end()), stored.end()) << "a result stored twice";
    for (const std::int32_t score : stored)
        EXPECT_NE(std::find(known.begin(), known.end(), score), known.end()) << score;
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
