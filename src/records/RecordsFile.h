#pragma once

#include "RecordsTable.h"

#include <QString>

#include <functional>
#include <optional>

namespace pomrola {

// The table of the program and what it last saw of the records file, so that
// results other machines added meanwhile are kept when it writes: our results
// are the table's entries minus what we last saw.
struct RecordsBook {
    RecordsTable table;
    std::int32_t LowestRecord = 0;  // lowest score the records window showed
    std::vector<RecordEntry> lastSeen;
    QString lastSeenPath;  // the records file that lastSeen belongs to
    // A copy of the file that disagreed with the last writer's seal, and since
    // when: the same disagreement long after is taken as the file's content.
    QByteArray suspectCopy;
    qint64 suspectSinceMs = 0;
};

// RecordsDir followed directly by the separator and "Pomrola99.rec".
QString RecordsFilePath(const QString& recordsDir);

// Reads the records file over the table (see DecodeRecords). Returns false on
// any failure: the file cannot be opened or read, or a score does not convert.
// After a folder change the entries the file does not replace become ours and
// go into the new folder with our next result; a reload of the same folder
// never makes its entries ours.
[[nodiscard]] bool LoadRecords(RecordsBook& book, const QString& recordsDir);

// Enters a result and rewrites the records file: under a lock folder beside it,
// the file is read again, results added by others since we last saw it are
// kept, the new result is entered, and the file is replaced atomically.
// The result stays in the table even when writing fails; the error text is
// returned then.
constexpr int RecordsLockWaitMs = 5000;
// A copy that disagrees with the seal the same way for this long is what the
// file really holds (written by a program that keeps no seal, or the seal's
// write failed): longer than any network client's attribute cache.
constexpr std::int64_t StaleCopyAcceptMs = 60000;
[[nodiscard]] std::optional<QString> AddRecord(RecordsBook& book, const QString& recordsDir,
                                               const QByteArray& playerName, std::int32_t score,
                                               int lockWaitMs = RecordsLockWaitMs);

// Replaces the file at `path` with `bytes` atomically; returns the error text
// on failure.
using RecordsFileReplacer = std::function<std::optional<QString>(const QString& path, const QByteArray& bytes)>;

// For tests and measurements: the game uses the defaults.
struct RecordsWriteOptions {
    int lockWaitMs = RecordsLockWaitMs;
    RecordsFileReplacer replace;         // empty: the atomic replacement the game uses
    std::int64_t* lockHeldNs = nullptr;  // when set, receives how long the lock was held
    std::int64_t staleCopyAcceptMs = StaleCopyAcceptMs;
};
[[nodiscard]] std::optional<QString> AddRecord(RecordsBook& book, const QString& recordsDir,
                                               const QByteArray& playerName, std::int32_t score,
                                               const RecordsWriteOptions& options);

}  // namespace pomrola
