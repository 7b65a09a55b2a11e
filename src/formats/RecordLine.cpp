#include "RecordLine.h"

#include "ParseWholeNumber.h"

#include <utility>

namespace pomrola {

namespace {

constexpr char LetterU = static_cast<char>(0xF3);    // "у", scrambles to CR
constexpr char LetterTse = static_cast<char>(0xF6);  // "ц", scrambles to LF

void Scramble(QByteArray& bytes, qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i)
        bytes[i] = static_cast<char>(-static_cast<unsigned char>(bytes[i]));
}

// "у" followed by "ц" would scramble to a CR LF inside the line. The writer
// puts a NUL byte (which scrambles to itself and never stands in a name)
// between the two, and the reader takes it out again. Names without that pair
// are written exactly as before.
QByteArray SeparateLineEndPairs(const QByteArray& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        out.append(text[i]);
        if (text[i] == LetterU && i + 1 < text.size() && text[i + 1] == LetterTse)
            out.append('\0');
    }
    return out;
}

QByteArray JoinLineEndPairs(const QByteArray& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool separator =
            text[i] == '\0' && i > 0 && text[i - 1] == LetterU && i + 1 < text.size() && text[i + 1] == LetterTse;
        if (!separator)
            out.append(text[i]);
    }
    return out;
}

// Lines end at CR LF only: a lone CR or LF is the scrambled form of a letter,
// and no byte (26 included) marks the end of the file.
std::vector<QByteArray> SplitLines(const QByteArray& file, int maxLines)
{
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    while (start < file.size() && static_cast<int>(lines.size()) < maxLines) {
        qsizetype end = file.indexOf("\r\n", start);
        if (end < 0)
            end = file.size();
        lines.push_back(file.mid(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace

QByteArray EncodeRecordLine(const QByteArray& name, std::int32_t score)
{
    // A name never breaks its line, whatever the name box let through.
    QByteArray oneLine = name;
    oneLine.replace('\r', ' ').replace('\n', ' ');
    QByteArray line = SeparateLineEndPairs(oneLine + '_' + QByteArray::number(score));
    Scramble(line, line.size());
    return line + "\r\n";
}

std::vector<std::optional<RecordLine>> DecodeRecordLines(const QByteArray& file, int maxLines)
{
    std::vector<std::optional<RecordLine>> result;
    for (QByteArray text : SplitLines(file, maxLines)) {
        // Only the first (length mod 256) bytes are unscrambled and searched:
        // the old reader kept line lengths in one byte.
        const qsizetype unscrambled = text.size() % 256;
        Scramble(text, unscrambled);
        const qsizetype split = unscrambled > 0 ? text.lastIndexOf('_', unscrambled - 1) : -1;
        if (split < 0) {
            result.emplace_back();
            continue;
        }
        RecordLine line;
        line.name = JoinLineEndPairs(text.left(split));
        line.scoreRead = ParseWholeNumber(text.mid(split + 1), line.score);
        result.emplace_back(std::move(line));
    }
    return result;
}

}  // namespace pomrola
