#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace pomrola::testing {

// Files a test sets up or looks at by hand, apart from the code under test.

// The whole file; empty when it is missing or cannot be read.
inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Creates or truncates the file and writes every byte; false when it could not.
[[nodiscard]] inline bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

}  // namespace pomrola::testing
