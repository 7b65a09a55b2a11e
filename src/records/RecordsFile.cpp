#include "RecordsFile.h"

#include "FolderLock.h"
#include "RecordsCodec.h"
#include "SharedFolderFiles.h"
#include "SyncedFolder.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace pomrola {

namespace {

// A lock older than this is taken as left behind by a program that died.
constexpr int StaleLockMs = 15000;
// Twenty lines are under a kilobyte; a stray huge file is read only this far.
constexpr qint64 MaxRecordsFileBytes = 1 << 20;
// Longer than a network client keeps a file's length without asking again
// (sshfs's default cache, NFS's attribute cache), so a second look sees the
// file the server has.
constexpr unsigned long SecondLookMs = 2000;
// A writer whose lock was broken while it held it (it stalled for the stale
// time), or whose file changed under it, merges again this often before it
// gives up.
constexpr int LockTakings = 4;

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

PlainRead ReadRecordsFile(const QString& path)
{
    return ReadPlainFile(path, MaxRecordsFileBytes);
}

// The results a file holds, read without touching the table (none for a
// file that could not be read: its bytes are empty).
std::vector<RecordEntry> EntriesOf(const QByteArray& bytes)
{
    RecordsTable scratch;
    return DecodeRecords(bytes, scratch).entries;
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

bool Holds(const std::vector<RecordEntry>& entries, const RecordEntry& entry)
{
    return std::find(entries.begin(), entries.end(), entry) != entries.end();
}

// `first` then `then`, best first, equal scores in that order as the table's
// sort keeps them; only results (scores above 0), the 20 best of them.
RecordsTable Merged(const std::vector<RecordEntry>& first, const std::vector<RecordEntry>& then)
{
    std::vector<RecordEntry> all;
    for (const std::vector<RecordEntry>* part : {&first, &then})
        std::copy_if(part->begin(), part->end(), std::back_inserter(all),
                     [](const RecordEntry& e) { return e.score > 0; });
    std::stable_sort(all.begin(), all.end(),
                     [](const RecordEntry& a, const RecordEntry& b) { return a.score > b.score; });
    RecordsTable merged;
    for (std::size_t i = 0; i < all.size() && i < merged.size(); ++i)
        merged[i] = all[i];
    return merged;
}

// Our results for this file: the table's minus what we last saw in it.
std::vector<RecordEntry> Ours(const RecordsBook& book, const QString& path)
{
    const std::vector<RecordEntry> seen = book.lastSeenPath == path ? book.lastSeen : std::vector<RecordEntry>();
    std::vector<RecordEntry> ours = Without(ShownEntries(book.table), seen);
    std::erase_if(ours, [](const RecordEntry& e) { return e.score <= 0; });
    return ours;
}

// The pending file holds, for this records file, exactly `waiting`: each
// with the seal of the write that carries it, or the one an unsure earlier
// write would have left.
void KeepWaiting(const RecordsBook& book, const QString& path, const std::vector<RecordEntry>& waiting,
                 const QByteArray& sentSeal = QByteArray())
{
    if (book.pendingPath.isEmpty())
        return;
    std::vector<PendingResult> all = ReadPendingResults(book.pendingPath);
    std::erase_if(all, [&](const PendingResult& p) { return p.recordsFile == path; });
    std::vector<PendingResult> unsure = book.unsure;
    for (const RecordEntry& entry : waiting) {
        PendingResult result{path, entry, sentSeal};
        const auto earlier = std::find_if(unsure.begin(), unsure.end(), [&](const PendingResult& u) {
            return u.recordsFile == path && u.entry == entry;
        });
        if (sentSeal.isEmpty() && earlier != unsure.end()) {
            result.sentSeal = earlier->sentSeal;
            unsure.erase(earlier);
        }
        all.push_back(result);
    }
    // Nothing more can be done for it here; the result is in this run's table.
    static_cast<void>(WritePendingResults(book.pendingPath, all));
}

// Takes back the results an earlier run left waiting for this file, once per
// run; those its unsure writes did bring to the file (`bytes`, when it could
// be read) are there already.
void RestoreWaiting(RecordsBook& book, const QString& path, const QByteArray* bytes,
                    const std::vector<RecordEntry>& onDisk)
{
    if (book.pendingPath.isEmpty() || book.restoredFrom.contains(path))
        return;
    book.restoredFrom << path;
    std::vector<RecordEntry> waiting;
    for (const PendingResult& result : ReadPendingResults(book.pendingPath)) {
        if (result.recordsFile != path)
            continue;
        if (!result.sentSeal.isEmpty()) {
            if (bytes && (SealOf(*bytes) == result.sentSeal || Holds(onDisk, result.entry)))
                continue;
            book.unsure.push_back(result);
        }
        waiting.push_back(result.entry);
    }
    if (!waiting.empty())
        book.table = Merged(ShownEntries(book.table), waiting);
}

struct Entering {
    QByteArray name;
    std::int32_t score = 0;  // 0: no new result, only the waiting ones
};

// A write that did not start: our results, the new one and those an earlier
// run left, wait for the next one.
void KeepOurs(RecordsBook& book, const QString& path, const Entering& result)
{
    RestoreWaiting(book, path, nullptr, {});
    EnterResult(book.table, result.name, result.score);
    KeepWaiting(book, path, Ours(book, path));
}

QString Describe(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("RecordsFile", "Не удалось записать файл рекордов %1: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

std::optional<QString> ReplaceAtomically(const QString& path, const QString& seal, const QByteArray& bytes)
{
    const FileOutcome written = ReplacePlainFile(path, bytes);
    if (!written.ok)
        return Describe(path, written.reason);
    // A seal that cannot be written is harmless: readers then take the file
    // as it is, after a second look.
    if (!seal.isEmpty())
        static_cast<void>(ReplacePlainFile(seal, SealOf(bytes)));
    return std::nullopt;
}

// Where a records folder keeps its lock and seal. A folder that a sync client
// copies between computers gets neither: a lock copied there would hold up
// the others and a seal of another computer's write would mislead; each
// computer locks its own copy with a lock of this user's, and conflict
// copies take the place of the lock between computers.
struct Places {
    QString file;
    QString lock;
    QString seal;  // empty: no seal is kept
    QString own;   // this computer's own results, in a synchronised folder
};

Places PlacesOf(const RecordsBook& book, const QString& recordsDir)
{
    const QString file = RecordsFilePath(recordsDir);
    if (!IsSynchronisedFolder(recordsDir))
        return {file, file + QStringLiteral(".lock"), SealPath(file), {}};
    const QString own = book.pendingPath.isEmpty() ? QDir::tempPath() : QFileInfo(book.pendingPath).absolutePath();
    const QByteArray key = QCryptographicHash::hash(file.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return {file,
            own + QStringLiteral("/pomrola99-") + QString::fromLatin1(key) + QStringLiteral(".lock"),
            {},
            OwnResultsPath(recordsDir)};
}

// The conflict copies of the file that a sync client left: what they hold,
// and which could be read (the others stay, and are reported once a run).
struct Copies {
    std::vector<std::vector<RecordEntry>> tables;
    QStringList read;
    std::vector<QByteArray> bytes;  // as read, so that only those are removed
    QString unreadable;             // a notice, when one is new
};

Copies ReadConflictCopies(RecordsBook& book, const QStringList& paths)
{
    Copies copies;
    for (const QString& path : paths) {
        const PlainRead read = ReadRecordsFile(path);
        if (!read.ok) {
            if (!book.reportedCopies.contains(path)) {
                book.reportedCopies << path;
                copies.unreadable = QCoreApplication::translate("RecordsFile",
                                                                "Копия файла рекордов %1 не читается "
                                                                "и оставлена как есть: %2")
                                        .arg(QDir::toNativeSeparators(path), read.reason);
            }
            continue;
        }
        copies.tables.push_back(EntriesOf(read.bytes));
        copies.read << path;
        copies.bytes.push_back(read.bytes);
    }
    return copies;
}

// What the folder holds: the file joined with its conflict copies and, in a
// synchronised folder, with every computer's own results (each computer's are
// its own, so they add up before they join the rest).
std::vector<RecordEntry> FolderEntries(RecordsBook& book, const QString& recordsDir,
                                       const std::vector<RecordEntry>& file, Copies& copies)
{
    const BesideRecordsFile beside = ListBesideRecordsFile(recordsDir);
    copies = ReadConflictCopies(book, beside.conflictCopies);
    std::vector<std::vector<RecordEntry>> tables = copies.tables;
    tables.insert(tables.begin(), file);
    std::vector<RecordEntry> computers;
    for (const QString& path : beside.computerResults) {
        const std::vector<RecordEntry> entries = EntriesOf(ReadRecordsFile(path).bytes);
        computers.insert(computers.end(), entries.begin(), entries.end());
    }
    tables.push_back(computers);
    return UnionOfCopies(tables);
}

enum class Written { Done, Failed, LockLost };

// Called with the lock held: reads the file again, merges, enters the result
// and writes, unless the lock turns out to be another's by then.
Written WriteUnderLock(RecordsBook& book, const QString& recordsDir, const Places& places, const Entering& result,
                       const FolderLock& lock, QString& error)
{
    const QString& path = places.file;
    auto keep = [&](const QString& reason) {
        KeepOurs(book, path, result);
        error = Describe(path, reason);
        return Written::Failed;
    };
    PlainRead read = ReadRecordsFile(path);
    if (!read.ok && !read.missing)
        return keep(read.reason);
    // A caching network client may show a replaced file cut to its old length,
    // or not at all. The seal of the last writer tells; a copy that disagrees
    // is looked at again once the client's cache has expired. A copy that
    // reads the same twice is what the file holds, whoever wrote it.
    const PlainRead seal = places.seal.isEmpty() ? PlainRead() : ReadPlainFile(places.seal, 64);
    if (seal.ok && SealOf(read.bytes) != seal.bytes) {
        QThread::msleep(SecondLookMs);
        const PlainRead again = ReadRecordsFile(path);
        if (!again.ok && !again.missing)
            return keep(again.reason);
        if (again.missing != read.missing || again.bytes != read.bytes)
            return keep(QCoreApplication::translate("RecordsFile",
                                                    "этот компьютер видит устаревшую копию файла, результат будет "
                                                    "записан в конце следующей игры"));
    }
    Copies copies;
    const std::vector<RecordEntry> onDisk = FolderEntries(book, recordsDir, EntriesOf(read.bytes), copies);
    RestoreWaiting(book, path, &read.bytes, onDisk);

    std::vector<RecordEntry> ours = Ours(book, path);
    const QByteArray diskSeal = SealOf(read.bytes);
    for (const PendingResult& unsure : book.unsure) {
        if (unsure.recordsFile == path && (unsure.sentSeal == diskSeal || Holds(onDisk, unsure.entry)))
            ours = Without(ours, {unsure.entry});  // that write did reach the file
    }
    std::erase_if(book.unsure, [&](const PendingResult& p) { return p.recordsFile == path; });

    RecordsTable merged = Merged(onDisk, ours);
    EnterResult(merged, result.name, result.score);
    book.table = merged;
    book.lastSeen = onDisk;
    book.lastSeenPath = path;
    const std::vector<RecordEntry> carried = Ours(book, path);

    const QByteArray bytes = EncodeRecords(merged);
    KeepWaiting(book, path, carried, SealOf(bytes));
    // Whoever changed the file since we read it without our lock (a sync
    // client bringing another computer's table, a program of an older
    // version) must not be written over: merge again.
    const PlainRead now = ReadRecordsFile(path);
    if (!lock.isStillOurs() || now.missing != read.missing || now.bytes != read.bytes)
        return Written::LockLost;
    if (!places.own.isEmpty()) {
        // This computer's own results first: nobody else writes that file.
        const std::vector<RecordEntry> own = EntriesOf(ReadRecordsFile(places.own).bytes);
        const FileOutcome kept = ReplacePlainFile(places.own, EncodeRecords(Merged(UnionOfCopies({own, carried}), {})));
        if (!kept.ok)
            return keep(kept.reason);
    }
    const bool unchanged = places.seal.isEmpty() && read.ok && bytes == read.bytes;
    if (std::optional<QString> failed = unchanged ? std::nullopt : ReplaceAtomically(path, places.seal, bytes)) {
        // A network share may have replaced the file and still reported a
        // failure: the next write finds out by the seal.
        for (const RecordEntry& entry : carried)
            book.unsure.push_back(PendingResult{path, entry, SealOf(bytes)});
        error = *failed;
        return Written::Failed;
    }
    book.lastSeen = ShownEntries(merged);
    KeepWaiting(book, path, {});
    // The merged table holds what the copies held; a copy the client has
    // replaced meanwhile under the same name waits for the next merge.
    for (qsizetype i = 0; i < copies.read.size(); ++i) {
        if (ReadRecordsFile(copies.read[i]).bytes == copies.bytes[std::size_t(i)])
            RemoveEntry(copies.read[i]);
    }
    if (!copies.unreadable.isEmpty())
        error = copies.unreadable;
    return Written::Done;
}

QString LockFailureReason(const FolderLock& lock, FolderLock::Result taken, const QString& recordsDir)
{
    if (taken == FolderLock::Result::Busy)
        return QCoreApplication::translate("RecordsFile", "файл занят другой программой");
    if (!QFileInfo(recordsDir).isDir())
        return QCoreApplication::translate("RecordsFile", "каталог не найден");
    if (taken == FolderLock::Result::OddEntry)
        return QCoreApplication::translate("RecordsFile", "замок %1 оставлен не этой игрой: %2")
            .arg(QFileInfo(recordsDir + QStringLiteral("/Pomrola99.rec.lock")).fileName(), lock.reason());
    if (lock.reason().isEmpty() || lock.reason() == QCoreApplication::translate("FileErrorText", "нет доступа"))
        return QCoreApplication::translate("RecordsFile", "нет доступа к каталогу");
    return lock.reason();
}

std::optional<QString> Write(RecordsBook& book, const QString& recordsDir, const Entering& result, int lockWaitMs)
{
    const Places places = PlacesOf(book, recordsDir);
    const QString& path = places.file;
    Entering entering = result;
    QString error;
    for (int taking = 0; taking < LockTakings; ++taking) {
        FolderLock lock(places.lock, StaleLockMs);
        const FolderLock::Result taken = lock.tryLock(lockWaitMs);
        if (taken != FolderLock::Result::Locked) {
            // Before the file could be read, the result goes into our table
            // only; the next write that succeeds carries it.
            KeepOurs(book, path, entering);
            return Describe(path, LockFailureReason(lock, taken, recordsDir));
        }
        const Written written = WriteUnderLock(book, recordsDir, places, entering, lock, error);
        // The outcome is the write's: a lock folder left behind goes stale and
        // the next writer breaks it.
        static_cast<void>(lock.unlock());
        if (written == Written::Done)
            return error.isEmpty() ? std::nullopt : std::optional<QString>(error);
        if (written == Written::Failed)
            return error;
        entering.score = 0;  // in the table already, merged again with the next taking
    }
    KeepOurs(book, path, entering);
    return Describe(path, QCoreApplication::translate("RecordsFile", "файл занят другой программой"));
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
    const PlainRead read = ReadRecordsFile(path);
    if (!read.ok) {
        // The table is unchanged: what we saw of this file stays seen, and
        // nothing of a new folder's file has been seen.
        if (!sameFile)
            book.lastSeen.clear();
        book.lastSeenPath = path;
        RestoreWaiting(book, path, nullptr, {});
        return false;
    }
    const std::vector<RecordEntry> ours = sameFile ? Ours(book, path) : std::vector<RecordEntry>();
    DecodeResult result = DecodeRecords(read.bytes, book.table);
    // What conflict copies hold beyond the file is the folder's as well.
    Copies copies;
    std::vector<RecordEntry> seen = FolderEntries(book, recordsDir, result.entries, copies);
    // The same file again: what it holds now, with our results that it does
    // not hold yet; the lines it was read over must not take their place.
    if (sameFile)
        book.table = Merged(seen, ours);
    else if (seen.size() > result.entries.size())
        book.table = Merged(ShownEntries(book.table), Without(seen, result.entries));
    book.lastSeen = std::move(seen);
    book.lastSeenPath = path;
    RestoreWaiting(book, path, &read.bytes, book.lastSeen);
    return result.ok;
}

std::optional<QString> AddRecord(RecordsBook& book, const QString& recordsDir, const QByteArray& playerName,
                                 std::int32_t score, int lockWaitMs)
{
    if (score <= 0)
        return std::nullopt;
    return Write(book, recordsDir, Entering{playerName, score}, lockWaitMs);
}

bool HasWaitingRecords(const RecordsBook& book, const QString& recordsDir)
{
    const QString path = RecordsFilePath(recordsDir);
    return !Ours(book, path).empty() ||
           std::any_of(book.unsure.begin(), book.unsure.end(),
                       [&](const PendingResult& p) { return p.recordsFile == path; }) ||
           !ListBesideRecordsFile(recordsDir).conflictCopies.isEmpty();
}

std::optional<QString> WriteWaitingRecords(RecordsBook& book, const QString& recordsDir, int lockWaitMs)
{
    return Write(book, recordsDir, Entering{}, lockWaitMs);
}

}  // namespace pomrola
