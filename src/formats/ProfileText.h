#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace pomrola {

// The text of a profile (INI) file: "[Section]" headers and "Key=Value"
// lines. Section and key names compare without regard to case. Setting a
// value changes only the line of its key and keeps every other line, comments
// and order included, byte for byte.
class ProfileText {
public:
    static constexpr int MaxValueLength = 2047;
    // A settings file is a few lines; a larger file is read only this far.
    static constexpr qint64 MaxFileBytes = 1 << 20;

    // The file's bytes, cut at MaxFileBytes; a UTF-8 byte-order mark at the
    // start is accepted and written again.
    static ProfileText FromBytes(const QByteArray& file);

    // The value, cut at 2047 characters; nothing when the key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;
    // A line break in the value is written as a space, so that a value never
    // starts a line of its own.
    void setValue(const QString& section, const QString& key, const QString& value);

    QByteArray contents() const;

private:
    struct Line {
        QByteArray text;
        QByteArray ending;  // "\r\n", "\n" or "" for a last line without one
    };

    // Index of the section header line, or -1.
    int findSection(const QString& section) const;
    // Index of the key's line within the section that starts at `header`, or -1.
    int findKey(int header, const QString& key) const;
    int sectionEnd(int header) const;
    // Line indexes are int, with -1 for "none"; the one cast to the vector's index is here.
    Line& lineAt(int index) { return lines_[static_cast<std::size_t>(index)]; }
    const Line& lineAt(int index) const { return lines_[static_cast<std::size_t>(index)]; }

    QByteArray byteOrderMark_;
    std::vector<Line> lines_;
};

}  // namespace pomrola
