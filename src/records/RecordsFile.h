#pragma once

#include "RecordsTable.h"

#include <QString>

#include <optional>

namespace pomrola {

// The table of the program and what it last saw of the records file, so that
// results other machines added meanwhile are kept when it writes.
struct RecordsBook {
    RecordsTable table;
    std::int32_t LowestRecord = 0;  // lowest score the records window showed
    std::vector<RecordEntry> lastSeen;
};

// RecordsDir followed directly by the separator and "Pomrola99.rec".
QString RecordsFilePath(const QString& recordsDir);

// Reads the records file over the table (see DecodeRecords). Returns false on
// any failure: the file cannot be opened or read, or a score does not convert.
bool LoadRecords(RecordsBook& book, const QString& recordsDir);

// Enters a result and rewrites the records file: under a lock file beside it,
// the file is read again, results added by others since we last saw it are
// kept, the new result is entered, and the file is replaced atomically.
// The result stays in the table even when writing fails; the error text is
// returned then.
constexpr int RecordsLockWaitMs = 5000;
std::optional<QString> AddRecord(RecordsBook& book, const QString& recordsDir, const QByteArray& playerName,
                                 std::int32_t score, int lockWaitMs = RecordsLockWaitMs);

}  // namespace pomrola
