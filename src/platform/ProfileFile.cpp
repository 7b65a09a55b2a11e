#include "ProfileFile.h"

#include "FileAccess.h"

#include <QDir>
#include <QFileInfo>

namespace pomrola {

ProfileFile ProfileFile::Read(const QString& path)
{
    // One byte past the limit tells FromBytes that the last line was cut.
    return ProfileFile(FromBytes(ReadFileBounded(path, MaxFileBytes + 1).value_or(QByteArray())));
}

std::optional<QString> ProfileFile::write(const QString& path) const
{
    const QString failure = QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path));
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return failure;
    if (WriteFileAtomically(path, contents()))
        return failure;
    return std::nullopt;
}

}  // namespace pomrola
