#include "RecordsBytes.h"
#include "RecordsCodec.h"
#include "RecordsFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace pomrola;
using pomrola::testing::ScrambledLine;

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

TEST(RecordsConcurrency, EightProcessesLoseNoResultAndReadersSeeOnlyWholeFiles)
{
    QTemporaryDir dir;
    const QString path = RecordsFilePath(dir.path());
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ScrambledLine("champion_99999") + ScrambledLine("small_5"));
    }

    constexpr int Processes = 8;
    constexpr int ResultsEach = 10;
    std::vector<std::unique_ptr<QProcess>> writers;
    std::vector<std::int32_t> scores = {99999, 5};
    for (int p = 0; p < Processes; ++p) {
        auto process = std::make_unique<QProcess>();
        const int first = 1000 + p * 37;  // overlapping ranges, distinct (process, result) pairs
        for (int i = 0; i < ResultsEach; ++i)
            scores.push_back(first + i);
        process->start(QCoreApplication::applicationDirPath() + QStringLiteral("/" RECORDS_WRITER),
                       {dir.path(), QStringLiteral("w%1").arg(p), QString::number(ResultsEach), QString::number(first)});
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
    while ((running() || reads == 0) && timer.elapsed() < 60000) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            ASSERT_TRUE(IsWholeRecordsFile(file.readAll())) << "after " << reads << " reads";
            ++reads;
        }
#ifdef Q_OS_WIN
        // Windows cannot replace a file while it is open; a reader that never
        // lets go, as no player's program does, would hold every writer off.
        file.close();
        QThread::msleep(20);
#endif
        for (auto& w : writers)
            w->waitForFinished(0);
    }
    for (auto& w : writers) {
        if (w->state() != QProcess::NotRunning) {
            ASSERT_TRUE(w->waitForFinished(30000));
        }
        EXPECT_EQ(w->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(w->exitCode(), 0) << w->readAllStandardError().toStdString();
    }

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
