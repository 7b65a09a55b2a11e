#pragma once

#include "RecordsTable.h"

#include <QByteArray>

namespace pomrola {

// The records file: one line per entry before the first empty one, best
// first. A line is name + "_" + decimal score with every byte b stored as
// (256 - b) mod 256, followed by an unscrambled CR LF. A line break in a name
// is written as a space.

QByteArray EncodeRecords(const RecordsTable& table);

struct DecodeResult {
    bool ok = true;
    std::vector<RecordEntry> entries;  // the entries read, for merging
};

// Reads up to 20 lines over the table: line i sets entry i, a line without
// "_" leaves its entry as it is, and a score that does not convert makes the
// reading fail after setting that entry's name; the lines after it are read.
DecodeResult DecodeRecords(const QByteArray& file, RecordsTable& table);

}  // namespace pomrola
