#pragma once

#include "PendingResults.h"
#include "RecordsTable.h"

#include <QString>
#include <QStringList>

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
    // Where our results wait while their records file cannot be written, so
    // that they outlive this run; empty: in this run's table only.
    QString pendingPath;
    // Results of ours that a write reported failed, or a run before us had
    // started to write, may have reached the file all the same: each with the
    // seal that write would have left, to be told apart under the next lock.
    std::vector<PendingResult> unsure;
    QStringList restoredFrom;    // records files whose waiting results this run took back
    QStringList reportedCopies;  // conflict copies that could not be read, told once
};

// RecordsDir followed directly by the separator and "Pomrola99.rec".
QString RecordsFilePath(const QString& recordsDir);

// Reads the records file over the table (see DecodeRecords). Returns false on
// any failure: the file cannot be opened or read, is no regular file, or a
// score does not convert. After a folder change the entries the file does
// not replace become ours and go into the new folder with our next result; a
// reload of the same folder never makes its entries ours and keeps ours.
// Results of an earlier run still waiting for this file join the table.
[[nodiscard]] bool LoadRecords(RecordsBook& book, const QString& recordsDir);

// Enters a result and rewrites the records file: under a lock folder beside it,
// the file is read again, results added by others since we last saw it are
// kept, the new result is entered, and the file is replaced atomically.
// The result stays in the table, and waits in the pending file, when writing
// fails; the error text is returned then.
constexpr int RecordsLockWaitMs = 5000;
[[nodiscard]] std::optional<QString> AddRecord(RecordsBook& book, const QString& recordsDir,
                                               const QByteArray& playerName, std::int32_t score,
                                               int lockWaitMs = RecordsLockWaitMs);

// Whether results of ours wait for the records file of this folder, or
// conflict copies that a sync client left wait to be folded into it.
bool HasWaitingRecords(const RecordsBook& book, const QString& recordsDir);
// Writes the waiting results as a game end would, without a new one.
[[nodiscard]] std::optional<QString> WriteWaitingRecords(RecordsBook& book, const QString& recordsDir,
                                                         int lockWaitMs = RecordsLockWaitMs);

}  // namespace pomrola
