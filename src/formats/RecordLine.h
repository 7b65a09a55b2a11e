#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace pomrola {

// A line of the records file: name + "_" + decimal score with every byte b
// stored as (256 - b) mod 256, followed by an unscrambled CR LF.
struct RecordLine {
    QByteArray name;  // code page 1251 bytes, as written
    std::int32_t score = 0;
    bool scoreRead = false;  // the text after the last "_" is a whole number
};

// The line for one entry, CR LF included. A line break in the name is written
// as a space, so that a name never breaks its line.
QByteArray EncodeRecordLine(const QByteArray& name, std::int32_t score);

// The first `maxLines` lines of a file. A line without "_" is nothing; the
// last "_" splits, so that a name may itself contain "_".
std::vector<std::optional<RecordLine>> DecodeRecordLines(const QByteArray& file, int maxLines);

}  // namespace pomrola
