#include "PendingResults.h"

#include "FileAccess.h"
#include "ParseWholeNumber.h"
#include "SharedFolderFiles.h"

#include <QFile>

namespace pomrola {

namespace {

constexpr qint64 MaxPendingBytes = 1 << 16;

}  // namespace

QByteArray EncodePendingResults(const std::vector<PendingResult>& results)
{
    QByteArray text;
    for (const PendingResult& result : results) {
        text += QByteArray::number(result.entry.score) + '\t' + result.entry.name.toHex() + '\t' +
                (result.sentSeal.isEmpty() ? QByteArray("-") : result.sentSeal.toHex()) + '\t' +
                result.recordsFile.toUtf8() + '\n';
    }
    return text;
}

std::vector<PendingResult> DecodePendingResults(const QByteArray& text)
{
    std::vector<PendingResult> results;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        PendingResult result;
        if (fields.size() != 4 || !ParseWholeNumber(fields[0], result.entry.score) || result.entry.score <= 0 ||
            fields[3].isEmpty())
            continue;
        result.entry.name = RecordName(QByteArray::fromHex(fields[1]));
        result.sentSeal = fields[2] == "-" ? QByteArray() : QByteArray::fromHex(fields[2]);
        result.recordsFile = QString::fromUtf8(fields[3]);
        results.push_back(result);
    }
    return results;
}

std::vector<PendingResult> ReadPendingResults(const QString& path)
{
    const PlainRead read = ReadPlainFile(path, MaxPendingBytes);
    return read.ok ? DecodePendingResults(read.bytes) : std::vector<PendingResult>();
}

bool WritePendingResults(const QString& path, const std::vector<PendingResult>& results)
{
    if (results.empty())
        return !QFile::exists(path) || QFile::remove(path);
    return !WriteFileAtomically(path, EncodePendingResults(results)).has_value();
}

}  // namespace pomrola
