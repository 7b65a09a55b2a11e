#include "RecordsFile.h"

#include "FileAccess.h"
#include "FolderLock.h"
#include "RecordsCodec.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace pomrola {

namespace {

// A lock older than this is taken as left behind by a program that died.
constexpr int StaleLockMs = 15000;
// Twenty lines are under a kilobyte; a stray huge file is read only this far.
constexpr qint64 MaxRecordsFileBytes = 1 << 20;

std::optional<QByteArray> ReadWhole(const QString& path)
{
    return ReadFileBounded(path, MaxRecordsFileBytes);
}

// The seal beside the records file: the length and a hash of the bytes the
// last writer wrote, fixed in length itself, so that a client that caches a
// file's length cannot cut it.
QString SealPath(const QString& path)
{
    return path + QStringLiteral(".seal");
}

QByteArray SealOf(const QByteArray& bytes)
{
    return QByteArray::number(bytes.size()).rightJustified(10, '0') + ' ' +
           QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex() + "\r\n";
}

qint64 SealedLength(const QByteArray& seal)
{
    bool ok = false;
    const qint64 length = seal.left(10).toLongLong(&ok);
    return ok ? length : -1;
}

// Whether `bytes`, read under the lock, may be an out-of-date or cut copy of
// what the last writer wrote. One re-read is made first.
bool IsStaleCopy(RecordsBook& book, const QString& path, QByteArray& bytes, qint64 acceptMs)
{
    std::optional<QByteArray> seal = ReadFileBounded(SealPath(path), 64);
    if (!seal || SealedLength(*seal) < 0 || SealOf(bytes) == *seal)
        return false;
    QThread::msleep(20);
    if (const std::optional<QByteArray> again = ReadWhole(path))
        bytes = *again;
    seal = ReadFileBounded(SealPath(path), 64);
    if (!seal || SealedLength(*seal) < 0 || SealOf(bytes) == *seal)
        return false;
    // Only a shorter copy can lose results: a longer or equally long one was
    // written by a program that keeps no seal, or after a failed seal write.
    if (bytes.size() >= SealedLength(*seal))
        return false;
    const QByteArray key = *seal + SealOf(bytes);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (book.suspectCopy != key) {
        book.suspectCopy = key;
        book.suspectSinceMs = now;
        return true;
    }
    return now - book.suspectSinceMs < acceptMs;
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
    std::stable_sort(all.begin(), all.end(),
                     [](const RecordEntry& a, const RecordEntry& b) { return a.score > b.score; });
    RecordsTable merged;
    for (std::size_t i = 0; i < all.size() && i < merged.size(); ++i)
        merged[i] = all[i];
    return merged;
}

QString Describe(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("RecordsFile", "Не удалось записать файл рекордов %1: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

std::optional<QString> ReplaceAtomically(const QString& path, const QByteArray& bytes)
{
    if (std::optional<QString> reason = WriteFileAtomically(path, bytes))
        return Describe(path, *reason);
    // A seal that cannot be written is harmless: readers then take the file
    // as it is.
    static_cast<void>(WriteFileAtomically(SealPath(path), SealOf(bytes)));
    return std::nullopt;
}

// Called with the lock held: reads the file again, merges, enters the result
// and writes.
std::optional<QString> WriteUnderLock(RecordsBook& book, const QString& path, const QByteArray& playerName,
                                      std::int32_t score, const RecordsWriteOptions& options)
{
    // A file that seems missing is checked against the seal as a cut copy
    // would be: a caching client may not see a file that was just replaced.
    std::optional<QByteArray> read = QFile::exists(path) ? ReadWhole(path) : QByteArray();
    if (!read) {
        EnterResult(book.table, playerName, score);
        return Describe(path, QCoreApplication::translate("RecordsFile", "файл не читается"));
    }
    if (IsStaleCopy(book, path, *read, options.staleCopyAcceptMs)) {
        EnterResult(book.table, playerName, score);
        return Describe(path,
                        QCoreApplication::translate("RecordsFile",
                                                    "этот компьютер видит устаревшую копию файла, результат будет "
                                                    "записан в конце следующей игры"));
    }
    book.suspectCopy.clear();
    RecordsTable scratch;
    std::vector<RecordEntry> onDisk = DecodeRecords(*read, scratch).entries;

    const std::vector<RecordEntry> seen = book.lastSeenPath == path ? book.lastSeen : std::vector<RecordEntry>();
    RecordsTable merged = Merge(book.table, seen, onDisk);
    EnterResult(merged, playerName, score);
    book.table = merged;
    // The table now holds what the file held; should the write fail, those
    // entries must not count as ours at the next game end.
    book.lastSeen = std::move(onDisk);
    book.lastSeenPath = path;

    const QByteArray bytes = EncodeRecords(merged);
    if (std::optional<QString> error = options.replace ? options.replace(path, bytes) : ReplaceAtomically(path, bytes))
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

    FolderLock lock(path + QStringLiteral(".lock"), StaleLockMs);
    const FolderLock::Result taken = lock.tryLock(options.lockWaitMs);
    if (taken == FolderLock::Result::Busy)
        return keepAndReport(QCoreApplication::translate("RecordsFile", "файл занят другой программой"));
    if (taken == FolderLock::Result::NoAccess)
        return keepAndReport(QFileInfo(recordsDir).isDir()
                                 ? QCoreApplication::translate("RecordsFile", "нет доступа к каталогу")
                                 : QCoreApplication::translate("RecordsFile", "каталог не найден"));
    QElapsedTimer held;
    held.start();
    std::optional<QString> error = WriteUnderLock(book, path, playerName, score, options);
    // The outcome is the write's: a lock folder left behind goes stale and
    // the next writer breaks it.
    static_cast<void>(lock.unlock());
    if (options.lockHeldNs)
        *options.lockHeldNs = held.nsecsElapsed();
    return error;
}

}  // namespace pomrola
