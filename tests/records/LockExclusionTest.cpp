// Writers released together against a lock left by a program that died,
// killed at random moments, half of them with clocks a minute off, some in a
// process namespace of their own under the same host name: never two holders
// at once, no result reported written is lost, none is written twice.
#include "RecordsCodec.h"
#include "RecordsFile.h"
#include "WriterProgram.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>

using namespace pomrola;
using pomrola::testing::WriterProgram;

namespace {

constexpr int Writers = 6;
constexpr int ResultsEach = 2;

// How a writer runs: the program and the arguments before the writer's own.
QStringList Wrapper(QRandomGenerator& random, bool root)
{
    QStringList wrapper;
    if (random.bounded(2) == 0 && !QStandardPaths::findExecutable(QStringLiteral("faketime")).isEmpty())
        wrapper << QStringLiteral("faketime") << QStringLiteral("-f")
                << (random.bounded(2) == 0 ? QStringLiteral("+60") : QStringLiteral("-60"));
    if (random.bounded(3) == 0 && !QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty()) {
        wrapper << QStringLiteral("unshare");
        if (!root)
            wrapper << QStringLiteral("--user") << QStringLiteral("--map-root-user");
        // Killing unshare kills the writer it started.
        wrapper << QStringLiteral("--pid") << QStringLiteral("--fork") << QStringLiteral("--kill-child");
    }
    return wrapper;
}

// A lock left by a writer of this computer killed while it held it, made a
// minute old where the folder lets a file's time be set.
void PlantDeadLock(const QString& folder)
{
    QProcess holder;
    holder.start(WriterProgram(), {QStringLiteral("--hold-lock"), folder});
    ASSERT_TRUE(holder.waitForReadyRead(10000)) << holder.readAllStandardError().toStdString();
    holder.kill();
    holder.waitForFinished(10000);
    QFile owner(RecordsFilePath(folder) + QStringLiteral(".lock/owner"));
    if (owner.open(QIODevice::ReadWrite))
        static_cast<void>(owner.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
}

TEST(LockExclusion, OneHolderAtATimeThroughDeadLocksKillsSkewedClocksAndNamespaces)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the witness is a kernel lock of Linux";
#else
    QTemporaryDir dir;
    const QString folder = qEnvironmentVariable("POMROLA_RECORDS_FOLDERS", dir.path()).split(QLatin1Char(':')).front();
    const int trials = qEnvironmentVariableIntValue("POMROLA_LOCK_TRIALS") > 0
                           ? qEnvironmentVariableIntValue("POMROLA_LOCK_TRIALS")
                           : 200;
    const quint32 seed = quint32(qEnvironmentVariableIntValue("POMROLA_RECORDS_SEED")) + 20261208u;
    QRandomGenerator random(seed);
    const bool root = QFileInfo(QStringLiteral("/proc/self")).ownerId() == 0;
    const QString path = RecordsFilePath(folder);
    int kills = 0;
    int written = 0;
    for (int trial = 0; trial < trials; ++trial) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed << " trial " << trial);
        for (const QFileInfo& leftover :
             QDir(folder).entryInfoList({QStringLiteral("Pomrola99.rec*")}, QDir::AllEntries | QDir::NoDotAndDotDot))
            leftover.isDir() ? QDir(leftover.filePath()).removeRecursively() : QFile::remove(leftover.filePath());
        PlantDeadLock(folder);
        const QString go = dir.filePath(QStringLiteral("go"));
        QFile::remove(go);

        std::vector<std::unique_ptr<QProcess> > writers;
        for (int w = 0; w < Writers; ++w) {
            QStringList scores;
            for (int k = 0; k < ResultsEach; ++k)
                scores << QString::number(1000 + trial * 100 + w * ResultsEach + k);
            QStringList command = Wrapper(random, root);
            command << WriterProgram() << QStringLiteral("--exclusive") << folder
                    << dir.filePath(QStringLiteral("witness")) << go << QStringLiteral("w%1").arg(w)
                    << scores.join(QLatin1Char(','));
            auto process = std::make_unique<QProcess>();
            process->start(command.takeFirst(), command);
            ASSERT_TRUE(process->waitForStarted(10000));
            writers.push_back(std::move(process));
        }
        QFile(go).open(QIODevice::WriteOnly);
        // Some writers die at any moment: waiting, breaking, holding, writing.
        const qint64 started = QDateTime::currentMSecsSinceEpoch();
        std::vector<qint64> killAt(writers.size(), -1);
        for (qint64& at : killAt)
            if (random.bounded(4) == 0)
                at = random.bounded(400);
        while (std::any_of(writers.begin(), writers.end(),
                           [](const auto& p) { return p->state() != QProcess::NotRunning; })) {
            const qint64 now = QDateTime::currentMSecsSinceEpoch() - started;
            ASSERT_LT(now, 90000) << "writers still waiting";
            for (std::size_t w = 0; w < writers.size(); ++w) {
                if (killAt[w] >= 0 && now >= killAt[w] && writers[w]->state() == QProcess::Running) {
                    ::kill(pid_t(writers[w]->processId()), SIGKILL);
                    ++kills;
                    killAt[w] = -1;
                }
                writers[w]->waitForFinished(1);
            }
        }

        std::vector<std::int32_t> reported;
        for (auto& w : writers) {
            for (const QByteArray& line : w->readAllStandardOutput().split('\n')) {
                ASSERT_NE(line, "overlap") << "two writers held the lock at once";
                if (line.startsWith("ok "))
                    reported.push_back(line.mid(3).toInt());
            }
        }
        QFile file(path);
        RecordsTable scratch;
        const std::vector<RecordEntry> onDisk = file.open(QIODevice::ReadOnly)
                                                    ? DecodeRecords(file.readAll(), scratch).entries
                                                    : std::vector<RecordEntry>();
        std::vector<std::int32_t> stored;
        for (const RecordEntry& entry : onDisk)
            stored.push_back(entry.score);
        std::sort(stored.begin(), stored.end());
        ASSERT_EQ(std::adjacent_find(stored.begin(), stored.end()), stored.end()) << "a result written twice";
        for (const std::int32_t score : reported)
            ASSERT_TRUE(std::binary_search(stored.begin(), stored.end(), score)) << score << " reported written, lost";
        written += int(reported.size());
    }
    std::printf("lock exclusion: %d trials, %d writers killed, %d results written, 0 lost, 0 twice\n", trials, kills,
                written);
#endif
}

}  // namespace
