// A folder a sync client copies between computers keeps versions of the records file changed
// on several before they saw each other's as conflict copies. Merged in any order, every
// result any version held is kept once, as long as it is among the 20 best.
#include "RecordsFolder.h"
#include "SyncedFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

TEST(SyncedFolder, ConflictCopiesMergedInAnyOrderKeepEveryResultOnce)
{
    constexpr unsigned Seed = 20261208;
    std::mt19937 random(Seed);
    const char* const names[] = {
        "Pomrola99.sync-conflict-20261208-142233-ABCDEFG.rec", "Pomrola99 (conflicted copy 2026-12-08 142233).rec",
        "Pomrola99 (Anna's conflicted copy 2026-12-08).rec", "Pomrola99_conflict-20261208-142233.rec"};
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(::testing::Message() << "seed " << Seed << " round " << round);
        QTemporaryDir dir;
        QDir().mkdir(dir.filePath(QStringLiteral(".stfolder")));
        int serial = 0;  // keeps scores apart, so the 20 best are one set
        auto score = [&] { return std::int32_t(random() % 5000) * 64 + ++serial; };
        std::vector<RecordEntry> base;
        for (int i = 0, n = int(random() % 15); i < n; ++i)
            base.push_back({"b" + QByteArray::number(i), score()});
        base = Best20(base);
        // Each computer added its own results to the table it had: the file and
        // up to four conflict copies are those versions, in any order.
        std::vector<RecordEntry> all = base;
        const int versions = int(random() % 5) + 1;
        for (int v = 0; v < versions; ++v) {
            std::vector<RecordEntry> version = base;
            for (int k = 0, n = int(random() % 4); k < n; ++k) {
                const RecordEntry added{"v" + QByteArray::number(v) + "_" + QByteArray::number(k), score()};
                version.push_back(added);
                all.push_back(added);
            }
            const QString name = QString::fromUtf8(v == 0 ? "Pomrola99.rec" : names[v - 1]);
            ASSERT_TRUE(writeAll(dir.filePath(name), EncodeRecords(TableOf(Best20(version)))));
        }
        RecordsBook book;
        static_cast<void>(LoadRecords(book, dir.path()));
        ASSERT_EQ(AddRecord(book, dir.path(), "me", 2500 * 64), std::nullopt);
        all.push_back({"me", 2500 * 64});

        std::vector<RecordEntry> expected = Best20(all);
        std::vector<RecordEntry> onDisk = EntriesOf(readAll(RecordsFilePath(dir.path())));
        auto byName = [](const RecordEntry& a, const RecordEntry& b) { return a.name < b.name; };
        std::sort(expected.begin(), expected.end(), byName);
        std::sort(onDisk.begin(), onDisk.end(), byName);
        EXPECT_EQ(onDisk, expected);
        // Left for the client to copy: the table and this computer's own results; no copy, lock or seal.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
                  (QStringList{QStringLiteral(".stfolder"), QFileInfo(OwnResultsPath(dir.path())).fileName(),
                               QStringLiteral("Pomrola99.rec")}));
    }
    EXPECT_FALSE(IsConflictCopyName(QStringLiteral("Pomrola99-backup.rec"), false));
    EXPECT_TRUE(IsConflictCopyName(QStringLiteral("Pomrola99-DESKTOP-7.rec"), true));
}

}  // namespace
