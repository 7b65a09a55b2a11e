#include "RecordsFile.h"

#include "FileErrorText.h"
#include "RecordsCodec.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>

#include <algorithm>

namespace pomrola {

namespace {

// A lock older than this is taken as left behind by a program that died.
constexpr int StaleLockMs = 15000;
// Twenty lines are under a kilobyte; a stray huge file is read only this far.
constexpr qint64 MaxRecordsFileBytes = 1 << 20;

std::optional<QByteArray> ReadWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(MaxRecordsFileBytes);
    if (file.error() != QFile::NoError)
        return std::nullopt;
    return bytes;
}

// Multiset difference: `from` without one occurrence of each of `remove`.
std::vector<RecordEntry> Without(std::vector<RecordEntry> from, const std::vector<RecordEntry>& remove)
{
    for (const RecordEntry& gone : remove) {
        const auto it = std::find(from.begin(), from.end(), gone);
        if (it != from.end())
            from.erase(it);
    }
    return from;
}

// Our entries minus what we last saw in the file, plus what the file holds
// now, best first; the 20 best make the new table.
RecordsTable Merge(const RecordsTable& ours, const std::vector<RecordEntry>& lastSeen,
                   const std::vector<RecordEntry>& onDisk)
{
    std::vector<RecordEntry> all = Without(ShownEntries(ours), lastSeen);
    all.insert(all.end(), onDisk.begin(), onDisk.end());
    std::stable_sort(all.begin(), all.end(), [](const RecordEntry& a, const RecordEntry& b) { return a.score > b.score; });
    RecordsTable merged;
    for (std::size_t i = 0; i < all.size() && i < merged.size(); ++i)
        merged[i] = all[i];
    return merged;
}

QString Describe(const QString& path, const QString& reason)
{
    return QStringLiteral("Не удалось записать файл рекордов %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

std::optional<QString> ReplaceAtomically(const QString& path, const QByteArray& bytes)
{
    ClearSystemError();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const int cause = LastSystemError();
        return Describe(path, FileErrorText(file.error(), cause));
    }
    return std::nullopt;
}

// Called with the lock held: reads the file again, merges, enters the result
// and writes.
std::optional<QString> WriteUnderLock(RecordsBook& book, const QString& path, const QByteArray& playerName,
                                      std::int32_t score, const RecordsFileReplacer& replace)
{
    std::vector<RecordEntry> onDisk;
    if (QFile::exists(path)) {
        const std::optional<QByteArray> bytes = ReadWhole(path);
        if (!bytes) {
            EnterResult(book.table, playerName, score);
            return Describe(path, QStringLiteral("файл не читается"));
        }
        RecordsTable scratch;
        onDisk = DecodeRecords(*bytes, scratch).entries;
    }

    const std::vector<RecordEntry> seen = book.lastSeenPath == path ? book.lastSeen : std::vector<RecordEntry>();
    RecordsTable merged = Merge(book.table, seen, onDisk);
    EnterResult(merged, playerName, score);
    book.table = merged;
    // The table now holds what the file held; should the write fail, those
    // entries must not count as ours at the next game end.
    book.lastSeen = std::move(onDisk);
    book.lastSeenPath = path;

    const QByteArray bytes = EncodeRecords(merged);
    if (std::optional<QString> error = replace ? replace(path, bytes) : ReplaceAtomically(path, bytes))
        return error;
    book.lastSeen = ShownEntries(merged);
    return std::nullopt;
}

}  // namespace

QString RecordsFilePath(const QString& recordsDir)
{
    return recordsDir + QDir::separator() + QStringLiteral("Pomrola99.rec");
}

bool LoadRecords(RecordsBook& book, const QString& recordsDir)
{
    const QString path = RecordsFilePath(recordsDir);
    const bool sameFile = book.lastSeenPath == path;
    const std::optional<QByteArray> bytes = ReadWhole(path);
    if (!bytes) {
        // The table is unchanged: what we saw of this file stays seen, and
        // nothing of a new folder's file has been seen.
        if (!sameFile)
            book.lastSeen.clear();
        book.lastSeenPath = path;
        return false;
    }
    DecodeResult result = DecodeRecords(*bytes, book.table);
    std::vector<RecordEntry> seen = std::move(result.entries);
    if (sameFile) {
        // Entries the file no longer reaches stay in the table; those we had
        // seen in this file are still not ours.
        const std::vector<RecordEntry> leftOver = Without(ShownEntries(book.table), seen);
        std::vector<RecordEntry> earlier = book.lastSeen;
        for (const RecordEntry& entry : leftOver) {
            const auto it = std::find(earlier.begin(), earlier.end(), entry);
            if (it != earlier.end()) {
                seen.push_back(entry);
                earlier.erase(it);
            }
        }
    }
    book.lastSeen = std::move(seen);
    book.lastSeenPath = path;
    return result.ok;
}

std::optional<QString> AddRecord(RecordsBook& book, const QString& recordsDir, const QByteArray& playerName,
                                 std::int32_t score, int lockWaitMs)
{
    RecordsWriteOptions options;
    options.lockWaitMs = lockWaitMs;
    return AddRecord(book, recordsDir, playerName, score, options);
}

std::optional<QString> AddRecord(RecordsBook& book, const QString& recordsDir, const QByteArray& playerName,
                                 std::int32_t score, const RecordsWriteOptions& options)
{
    if (score <= 0)
        return std::nullopt;
    const QString path = RecordsFilePath(recordsDir);
    // Before the file could be read, the result goes into our table only; the
    // next write that succeeds carries it.
    auto keepAndReport = [&](const QString& reason) {
        EnterResult(book.table, playerName, score);
        return Describe(path, reason);
    };

    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!lock.tryLock(options.lockWaitMs))
        return keepAndReport(lock.error() == QLockFile::LockFailedError
                                 ? QStringLiteral("файл занят другой программой")
                                 : QStringLiteral("нет доступа к каталогу"));
    QElapsedTimer held;
    held.start();
    std::optional<QString> error = WriteUnderLock(book, path, playerName, score, options.replace);
    lock.unlock();
    if (options.lockHeldNs)
        *options.lockHeldNs = held.nsecsElapsed();
    return error;
}

}  // namespace pomrola
