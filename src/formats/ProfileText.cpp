#include "ProfileText.h"

#include "Cp1251.h"

#include <QStringDecoder>

namespace pomrola {

namespace {

const QByteArray Newline = QByteArrayLiteral("\r\n");
const QByteArray Utf8ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

QByteArray OnOneLine(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('\r', ' ').replace('\n', ' ');
    return bytes;
}

// Values are stored as UTF-8; a file written elsewhere in code page 1251 still reads.
QString DecodeValue(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = FromCp1251(bytes);
    return text;
}

bool IsSectionHeader(const QByteArray& line)
{
    return line.trimmed().startsWith('[');
}

QString SectionName(const QByteArray& line)
{
    QByteArray name = line.trimmed().mid(1);
    const qsizetype close = name.indexOf(']');
    if (close >= 0)
        name.truncate(close);
    return DecodeValue(name.trimmed());
}

// Splits "key=value" at the first "="; a comment or a line without "=" is no key line.
bool SplitKeyLine(const QByteArray& line, QByteArray& key, QByteArray& value)
{
    const QByteArray trimmed = line.trimmed();
    if (trimmed.startsWith(';'))
        return false;
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return false;
    key = line.left(equals).trimmed();
    value = line.mid(equals + 1).trimmed();
    return true;
}

}  // namespace

ProfileText ProfileText::FromBytes(const QByteArray& file)
{
    ProfileText profile;
    QByteArray bytes = file.left(MaxFileBytes);
    // A line cut by the limit is not taken for a whole one.
    if (file.size() > MaxFileBytes)
        bytes.truncate(bytes.lastIndexOf('\n') + 1);
    if (bytes.startsWith(Utf8ByteOrderMark)) {
        profile.byteOrderMark_ = Utf8ByteOrderMark;
        bytes.remove(0, Utf8ByteOrderMark.size());
    }
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        Line line;
        if (end < 0) {
            line.text = bytes.mid(start);
            start = bytes.size();
        } else {
            line.text = bytes.mid(start, end - start);
            line.ending = "\n";
            if (line.text.endsWith('\r')) {
                line.text.chop(1);
                line.ending = Newline;
            }
            start = end + 1;
        }
        profile.lines_.push_back(line);
    }
    return profile;
}

int ProfileText::findSection(const QString& section) const
{
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i)
        if (IsSectionHeader(lineAt(i).text) && SectionName(lineAt(i).text).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int ProfileText::sectionEnd(int header) const
{
    int i = header + 1;
    while (i < static_cast<int>(lines_.size()) && !IsSectionHeader(lineAt(i).text))
        ++i;
    return i;
}

int ProfileText::findKey(int header, const QString& key) const
{
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        QByteArray name, value;
        if (SplitKeyLine(lineAt(i).text, name, value) && DecodeValue(name).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

std::optional<QString> ProfileText::value(const QString& section, const QString& key) const
{
    const int header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const int line = findKey(header, key);
    if (line < 0)
        return std::nullopt;
    QByteArray name, raw;
    SplitKeyLine(lineAt(line).text, name, raw);
    if (raw.size() >= 2 && raw.startsWith('"') && raw.endsWith('"'))
        raw = raw.mid(1, raw.size() - 2);
    return DecodeValue(raw).left(MaxValueLength);
}

void ProfileText::setValue(const QString& section, const QString& key, const QString& value)
{
    const QByteArray keyLine = OnOneLine(key) + '=' + OnOneLine(value);
    int header = findSection(section);
    if (header < 0) {
        if (!lines_.empty() && lines_.back().ending.isEmpty())
            lines_.back().ending = Newline;
        lines_.push_back({'[' + OnOneLine(section) + ']', Newline});
        lines_.push_back({keyLine, Newline});
        return;
    }
    const int existing = findKey(header, key);
    if (existing >= 0) {
        lineAt(existing).text = keyLine;
        return;
    }
    // After the section's last non-blank line.
    int insertAt = sectionEnd(header);
    while (insertAt > header + 1 && lineAt(insertAt - 1).text.trimmed().isEmpty())
        --insertAt;
    if (lineAt(insertAt - 1).ending.isEmpty())
        lineAt(insertAt - 1).ending = Newline;
    lines_.insert(lines_.begin() + insertAt, Line{keyLine, Newline});
}

QByteArray ProfileText::contents() const
{
    QByteArray bytes = byteOrderMark_;
    for (const Line& line : lines_)
        bytes += line.text + line.ending;
    return bytes;
}

}  // namespace pomrola
