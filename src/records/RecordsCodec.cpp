#include "RecordsCodec.h"

#include "RecordLine.h"

namespace pomrola {

QByteArray EncodeRecords(const RecordsTable& table)
{
    QByteArray file;
    for (const RecordEntry& entry : ShownEntries(table))
        file += EncodeRecordLine(RecordName(entry.name), entry.score);
    return file;
}

DecodeResult DecodeRecords(const QByteArray& file, RecordsTable& table)
{
    DecodeResult result;
    const std::vector<std::optional<RecordLine>> lines = DecodeRecordLines(file, RecordsCount);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i])
            continue;
        RecordEntry& entry = table[i];
        entry.name = RecordName(lines[i]->name);
        if (!lines[i]->scoreRead) {
            // One damaged line costs that line only: the ones after it are
            // still results, and a game end writes back what was read.
            result.ok = false;
            continue;
        }
        entry.score = lines[i]->score;
        result.entries.push_back(entry);
    }
    return result;
}

}  // namespace pomrola
