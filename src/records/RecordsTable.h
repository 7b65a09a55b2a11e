#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>
#include <vector>

namespace pomrola {

constexpr int RecordsCount = 20;
constexpr int RecordNameLength = 15;

// One result. The name is kept as code page 1251 bytes; a score of 0 marks an
// empty entry (whose name may still hold text).
struct RecordEntry {
    QByteArray name;
    std::int32_t score = 0;

    bool isEmpty() const { return score == 0; }
    friend bool operator==(const RecordEntry&, const RecordEntry&) = default;
};

using RecordsTable = std::array<RecordEntry, RecordsCount>;

// The name as the table stores it: its first 15 bytes.
QByteArray RecordName(const QByteArray& name);

// Stable bubble sort by score, descending, signed: ties keep their order and
// negative scores end up below the empty entries.
void MatrSortir(RecordsTable& table);

// Puts a result into the first empty entry, or over entry 20 when the table is
// full and the score is at least entry 20's; then sorts. Scores of 0 or less
// are not results. Returns whether the table changed.
bool EnterResult(RecordsTable& table, const QByteArray& name, std::int32_t score);

// The entries before the first empty one, in table order.
std::vector<RecordEntry> ShownEntries(const RecordsTable& table);

}  // namespace pomrola
