// Machines share one records folder and end games in random order while writes, reloads and lock
// waits fail and games are closed or killed at any step: the file holds each result at most once,
// always the 20 best ever written to it, and once every machine can write, the 20 best of all game ends.
#include "RecordsFolder.h"
#include "Unprivileged.h"

#include <QLockFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <set>

using namespace pomrola;
using pomrola::testing::Best20;
using pomrola::testing::EntriesOf;
using pomrola::testing::readAll;

namespace {

constexpr int Machines = 4;
constexpr int GameEnds = 400;

std::string Show(const std::vector<RecordEntry>& entries)
{
    std::string text;
    for (const RecordEntry& e : entries)
        text += e.name.toStdString() + "_" + std::to_string(e.score) + " ";
    return text;
}

TEST(SharedRecordsProperty, FaultsNeverDuplicateOrLoseWrittenResults)
{
    const char* seedText = std::getenv("POMROLA_RECORDS_SEED");
    const unsigned seed = seedText ? unsigned(std::strtoul(seedText, nullptr, 10)) : 20240607u;
    SCOPED_TRACE("seed " + std::to_string(seed) + " (set POMROLA_RECORDS_SEED to repeat)");
    std::mt19937 random(seed);
    auto chance = [&](int percent) { return int(random() % 100) < percent; };

    POMROLA_AS_NOBODY_UNDER_ROOT();  // root writes read-only files
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = RecordsFilePath(dir.path());
    // Each machine keeps its waiting results in a file of its own, all a restarted game has.
    std::vector<RecordsBook> machines(Machines);
    auto restart = [&](std::size_t m) {
        machines[m] = RecordsBook();
        machines[m].pendingPath = dir.filePath(QStringLiteral("pending-%1").arg(m));
        static_cast<void>(LoadRecords(machines[m], dir.path()));
    };
    for (std::size_t m = 0; m < machines.size(); ++m)
        restart(m);  // no file yet

    // A write fails before the file is replaced (it is read-only); or the file is replaced,
    // its seal lost, and the share reports a failure all the same; or the game is killed
    // right after the file was replaced, before it could note so.
    enum class Fault { None, Fail, FailedAfter, KilledAfter } fault = Fault::None;
    std::vector<RecordEntry> entered;  // every result of every game end

    std::map<QByteArray, std::int32_t> written;  // every result the file has ever held
    for (int step = 0; step < GameEnds; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        const std::size_t machine = random() % Machines;
        RecordsBook& book = machines[machine];
        if (chance(15)) {
            // A reload, which fails now and then as if the share were unreachable.
            const bool fail = chance(50);
            ASSERT_TRUE(!fail || QFile::rename(path, path + QStringLiteral(".away")) || !QFile::exists(path));
            static_cast<void>(LoadRecords(book, dir.path()));
            if (fail)
                QFile::rename(path + QStringLiteral(".away"), path);
        }
        // Scores rise over time with wide noise, so old results keep being
        // pushed out while some late ones still fall short; step keeps them unique.
        const std::int32_t score = (step * 3 + std::int32_t(random() % 600)) * 1000 + step + 1;
        const QByteArray name = "r" + QByteArray::number(step);
        fault =
            chance(20) ? std::array{Fault::Fail, Fault::FailedAfter, Fault::KilledAfter}[random() % 3] : Fault::None;
        entered.push_back(RecordEntry{name, score});
        if (fault != Fault::None) {
            ASSERT_TRUE(QFile::exists(path) || pomrola::testing::writeAll(path, {}));
            ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
        }
        const bool lockBusy = chance(10);
        std::optional<QLockFile> other;
        ASSERT_TRUE(!lockBusy || other.emplace(path + QStringLiteral(".lock")).tryLock(0));
        // Fails under a busy lock, and may fail by a fault; the invariants below hold either way.
        const std::optional<QString> error = AddRecord(book, dir.path(), name, score, 0);
        EXPECT_TRUE(error.has_value() || !lockBusy);
        other.reset();
        ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        if (error && !lockBusy && (fault == Fault::FailedAfter || fault == Fault::KilledAfter)) {
            ASSERT_TRUE(pomrola::testing::writeAll(path, EncodeRecords(book.table)));  // what the write sent
            QFile::remove(path + QStringLiteral(".seal"));
        }
        if (fault == Fault::KilledAfter || chance(10))
            restart(machine);

        const std::vector<RecordEntry> onDisk = EntriesOf(readAll(path));
        std::set<QByteArray> names;
        for (const RecordEntry& entry : onDisk) {
            ASSERT_TRUE(names.insert(entry.name).second) << entry.name.toStdString() << " twice in " << Show(onDisk);
            const auto known = written.emplace(entry.name, entry.score).first;  // or the score it had
            ASSERT_EQ(known->second, entry.score);
        }
        std::vector<RecordEntry> everWritten;
        for (const auto& [n, s] : written)
            everWritten.push_back(RecordEntry{n, s});
        const std::vector<RecordEntry> best = Best20(everWritten);
        for (const RecordEntry& entry : best)
            ASSERT_TRUE(names.count(entry.name)) << entry.name.toStdString() << " was written and is among the best, "
                                                 << "but the file is " << Show(onDisk);
        ASSERT_EQ(Show(onDisk), Show(best));
    }
    // Every machine starts once more and can write: nothing entered is lost.
    for (std::size_t m = 0; m < machines.size(); ++m) {
        restart(m);
        if (HasWaitingRecords(machines[m], dir.path())) {
            ASSERT_EQ(WriteWaitingRecords(machines[m], dir.path()), std::nullopt);
        }
    }
    ASSERT_EQ(Show(EntriesOf(readAll(path))), Show(Best20(entered)));
}

}  // namespace
