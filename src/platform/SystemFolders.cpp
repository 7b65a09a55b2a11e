#include "SystemFolders.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace pomrola {

QString WithoutTrailingSeparator(const QString& folder)
{
    QString native = QDir::toNativeSeparators(folder);
    const bool root = QDir(native).isRoot() || (native.size() == 3 && native[1] == QLatin1Char(':'));
    while (!root && native.size() > 1 && native.endsWith(QDir::separator()))
        native.chop(1);
    return native;
}

QString CurrentFolder()
{
    return WithoutTrailingSeparator(QDir::currentPath());
}

bool CanCreateFilesIn(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".pomrola99-probe-XXXXXX")));
    return probe.open();
}

QString UserDataFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return QString();
    return WithoutTrailingSeparator(folder);
}

QString WindowsFolder()
{
#ifdef Q_OS_WIN
    wchar_t windowsDir[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windowsDir, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return QString::fromWCharArray(windowsDir, static_cast<int>(length));
#endif
    return QString();
}

}  // namespace pomrola
