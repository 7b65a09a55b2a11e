// Writers released together against a dead program's lock, killed at random, half with clocks
// a minute off, some in a process namespace of their own under the same host name: never two
// holders at once, no result reported written is lost, none is written twice.
#include "RecordsFolder.h"
#include "WriterProgram.h"

#include <QDateTime>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>

using namespace pomrola;
using pomrola::testing::WriterProgram;

namespace {

// How a writer runs: a clock a minute off, a process namespace of its own (killing unshare
// kills the writer it started), or neither. Outside a namespace the writer is the process
// started, not a wrapper it would outlive; inside, faketime gives the namespace one clock.
QStringList Wrapper(QRandomGenerator& random, bool root)
{
    const bool skewed = random.bounded(2) == 0;
    const QString offset = random.bounded(2) ? QStringLiteral("+60") : QStringLiteral("-60");
    if (random.bounded(3) != 0 || QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty())
        return skewed ? pomrola::testing::ClockOff(offset) : QStringList();
    QStringList wrapper;
    if (skewed && !QStandardPaths::findExecutable(QStringLiteral("faketime")).isEmpty())
        wrapper << QStringLiteral("faketime") << QStringLiteral("-f") << offset;
    wrapper << QStringLiteral("unshare");
    if (!root)
        wrapper << QStringLiteral("--user") << QStringLiteral("--map-root-user");
    return wrapper << QStringLiteral("--pid") << QStringLiteral("--fork") << QStringLiteral("--kill-child");
}

using LockExclusion = pomrola::testing::RecordsFolder;

TEST_F(LockExclusion, OneHolderAtATimeThroughDeadLocksKillsSkewedClocksAndNamespaces)
{
    useShare("POMROLA_RECORDS_FOLDERS");
    pomrola::testing::AllowPreloadedClocks();
    const int trials =
        qEnvironmentVariableIntValue("POMROLA_LOCK_TRIALS") ? qEnvironmentVariableIntValue("POMROLA_LOCK_TRIALS") : 200;
    const quint32 seed = quint32(qEnvironmentVariableIntValue("POMROLA_RECORDS_SEED")) + 20261208u;
    QRandomGenerator random(seed);
    const bool root = QFileInfo(QStringLiteral("/proc/self")).ownerId() == 0;
    const QString go = dir.filePath(QStringLiteral("go"));
    int kills = 0;
    int written = 0;
    qint64 slowest = 0;
    for (int trial = 0; trial < trials; ++trial) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed << " trial " << trial);
        pomrola::testing::ClearRecordsFiles(folder);
        QFile::remove(go);
        // The lock of a writer killed while it held it, a minute old where the folder lets times be set.
        QProcess holder;
        holder.start(WriterProgram(), {QStringLiteral("--hold-lock"), folder});
        ASSERT_TRUE(holder.waitForReadyRead(10000));
        holder.kill();
        holder.waitForFinished(10000);
        // Closed at once: a share refuses to move a folder with a file open in it.
        if (QFile owner(lock() + QStringLiteral("/owner")); owner.open(QIODevice::ReadWrite))
            static_cast<void>(
                owner.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));

        // Six writers of two results each, some killed within 0.4 s.
        std::vector<std::unique_ptr<QProcess>> writers;
        std::vector<qint64> killAt;
        for (int w = 0; w < 6; ++w) {
            QStringList command = Wrapper(random, root);
            command << WriterProgram() << QStringLiteral("--exclusive") << folder
                    << dir.filePath(QStringLiteral("witness")) << go << QStringLiteral("w%1").arg(w)
                    << QStringLiteral("%1,%2").arg(1000 + trial * 100 + w * 2).arg(1001 + trial * 100 + w * 2);
            // Only writers of this namespace are killed: a lock whose holder died in another
            // waits out the stale time, which hundreds of trials cannot afford.
            const bool killable = !command.contains(QStringLiteral("unshare")) && random.bounded(4) == 0;
            writers.push_back(std::make_unique<QProcess>());
            writers.back()->start(command.takeFirst(), command);
            ASSERT_TRUE(writers.back()->waitForStarted(10000));
            killAt.push_back(killable ? random.bounded(400) : -1);
        }
        QFile(go).open(QIODevice::WriteOnly);
        const qint64 started = QDateTime::currentMSecsSinceEpoch();
        while (std::any_of(writers.begin(), writers.end(),
                           [](const auto& p) { return p->state() != QProcess::NotRunning; })) {
            const qint64 now = QDateTime::currentMSecsSinceEpoch() - started;
            ASSERT_LT(now, 90000) << "writers still waiting";
            for (std::size_t w = 0; w < writers.size(); ++w) {
                if (killAt[w] >= 0 && now >= killAt[w] && writers[w]->state() == QProcess::Running) {
                    const qint64 pid = writers[w]->processId();
                    ::kill(pid_t(pid), SIGKILL);
                    writers[w]->waitForFinished(10000);
                    pomrola::testing::ReleaseClockOf(pid);
                    ++kills;
                    killAt[w] = -1;
                }
                writers[w]->waitForFinished(1);
            }
        }

        slowest = std::max(slowest, QDateTime::currentMSecsSinceEpoch() - started);
        std::vector<std::int32_t> stored = pomrola::testing::ScoresOf(pomrola::testing::EntriesOf(read()));
        std::sort(stored.begin(), stored.end());
        ASSERT_EQ(std::adjacent_find(stored.begin(), stored.end()), stored.end()) << "a result written twice";
        for (auto& w : writers) {
            for (const QByteArray& line : w->readAllStandardOutput().split('\n')) {
                ASSERT_NE(line, "overlap") << "two writers held the lock at once";
                if (line.startsWith("ok ")) {
                    ++written;
                    ASSERT_TRUE(std::binary_search(stored.begin(), stored.end(), line.mid(3).toInt()))
                        << line.constData() << ", lost";
                }
            }
        }
    }
    std::printf(
        "lock exclusion: %d trials, %d writers killed, %d results written, 0 lost, 0 twice, slowest trial %lld ms\n",
        trials, kills, written, static_cast<long long>(slowest));
}

}  // namespace
