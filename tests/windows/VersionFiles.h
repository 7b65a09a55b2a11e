#pragma once

#include "VersionBlockBuilder.h"

#include <QFile>
#include <QTemporaryDir>

#ifdef Q_OS_WIN
#include "VersionResourceWriter.h"

#include <QCoreApplication>
#endif

namespace pomrola::testing {

// The game's own version data, as the build embeds it.
inline VersionData GameVersionData()
{
    VersionData data;
    data.fileVersion[0] = data.productVersion[0] = 2;
    data.fileVersion[1] = data.productVersion[1] = 2;
    data.fileVersion[2] = data.productVersion[2] = 5;
    data.strings = {{"CompanyName", "Maker"},    {"FileDescription", ""},
                    {"FileVersion", "2.2.5.0"},  {"InternalName", "Помрола 99"},
                    {"LegalCopyright", "Maker"}, {"LegalTrademarks", ""},
                    {"OriginalFilename", ""},    {"ProductName", "Pomrola99"},
                    {"ProductVersion", "2.25"},  {"Comments", "Game"}};
    return data;
}

// A file carrying the block, or none, as its version information: on Windows a
// small program with it as its version resource, read back through the system's
// version library; elsewhere the block between other bytes, as an executable has it.
inline QString WriteFileWithBlock(const QTemporaryDir& dir, const char* name, const VersionData* data)
{
    const QString path = dir.filePath(QLatin1String(name));
#ifdef Q_OS_WIN
    QFile::remove(path);
    if (!QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/" VERSION_CARRIER), path))
        return path;
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    if (data && !WriteVersionResource(path, BuildVersionBlock(*data)))
        QFile::remove(path);  // reads then fail as a file without version information
#else
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray(1001, '\x7f'));
    if (data) {
        const std::vector<std::uint8_t> block = BuildVersionBlock(*data);
        file.write(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size()));
    }
    file.write(QByteArray(333, '\0'));
#endif
    return path;
}

}  // namespace pomrola::testing
