#pragma once

#include "RecordsTable.h"

#include <QString>

#include <vector>

namespace pomrola {

// Results that did not reach their records file yet, kept per user beside
// the settings file so that a game closed (or killed) before the next game
// end loses none of them. A result whose write was started carries the seal
// of the bytes that write would leave, so that a later run can tell whether
// it reached the file.
struct PendingResult {
    QString recordsFile;
    RecordEntry entry;
    QByteArray sentSeal;  // empty while no write carrying it was started
    friend bool operator==(const PendingResult&, const PendingResult&) = default;
};

// One line per result: score, name as hexadecimal code page 1251 bytes, the
// seal or "-", the records file's path; separated by tabs. Lines that do not
// read are skipped.
QByteArray EncodePendingResults(const std::vector<PendingResult>& results);
std::vector<PendingResult> DecodePendingResults(const QByteArray& text);

// The file: missing or unreadable reads as none; an empty list removes it.
std::vector<PendingResult> ReadPendingResults(const QString& path);
[[nodiscard]] bool WritePendingResults(const QString& path, const std::vector<PendingResult>& results);

}  // namespace pomrola
