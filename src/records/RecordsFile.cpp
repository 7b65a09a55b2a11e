#include "RecordsFile.h"

#include "RecordsCodec.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
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

// Replaces the file as a whole; an error text when that fails.
std::optional<QString> ReplaceWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return std::nullopt;
}

#ifdef Q_OS_WIN
// Windows refuses to replace a file that another program has open, even for
// reading; readers of a shared records file hold it only for a moment.
constexpr int ReplaceRetryMs = 3000;
#endif

std::optional<QString> ReplaceWholeWhenFree(const QString& path, const QByteArray& bytes)
{
    std::optional<QString> error = ReplaceWhole(path, bytes);
#ifdef Q_OS_WIN
    QElapsedTimer waited;
    waited.start();
    while (error && waited.elapsed() < ReplaceRetryMs) {
        QThread::msleep(5);
        error = ReplaceWhole(path, bytes);
    }
#endif
    return error;
}

QString Describe(const QString& path, const QString& reason)
{
    return QStringLiteral("Не удалось записать файл рекордов %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

}  // namespace

QString RecordsFilePath(const QString& recordsDir)
{
    return recordsDir + QDir::separator() + QStringLiteral("Pomrola99.rec");
}

bool LoadRecords(RecordsBook& book, const QString& recordsDir)
{
    const std::optional<QByteArray> bytes = ReadWhole(RecordsFilePath(recordsDir));
    if (!bytes) {
        book.lastSeen.clear();  // nothing of this folder's file has been seen
        return false;
    }
    DecodeResult result = DecodeRecords(*bytes, book.table);
    book.lastSeen = std::move(result.entries);
    return result.ok;
}

std::optional<QString> AddRecord(RecordsBook& book, const QString& recordsDir, const QByteArray& playerName,
                                 std::int32_t score, int lockWaitMs)
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
    if (!lock.tryLock(lockWaitMs))
        return keepAndReport(lock.error() == QLockFile::LockFailedError
                                 ? QStringLiteral("файл занят другой программой")
                                 : QStringLiteral("нет доступа к каталогу"));

    std::vector<RecordEntry> onDisk;
    if (QFile::exists(path)) {
        const std::optional<QByteArray> bytes = ReadWhole(path);
        if (!bytes)
            return keepAndReport(QStringLiteral("файл не читается"));
        RecordsTable scratch;
        onDisk = DecodeRecords(*bytes, scratch).entries;
    }

    RecordsTable merged = Merge(book.table, book.lastSeen, onDisk);
    EnterResult(merged, playerName, score);
    book.table = merged;

    if (const std::optional<QString> error = ReplaceWholeWhenFree(path, EncodeRecords(merged)))
        return Describe(path, *error);
    book.lastSeen = ShownEntries(merged);
    return std::nullopt;
}

}  // namespace pomrola
