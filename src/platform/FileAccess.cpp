#include "FileAccess.h"

#include "FileErrorText.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace pomrola {

namespace {

// Failures that go away once another program closes the file.
// Failures that go away once another program closes the file. Windows also
// refuses to replace a file that another program holds open with "access
// denied"; that counts only where the new file could be made beside it and
// the old one is not read-only, else it is a permission, never a wait.
bool IsBusy(int systemError, bool replacing, const QString& path)
{
#ifdef Q_OS_WIN
    if (systemError == ERROR_ACCESS_DENIED)
        return replacing && QFileInfo(path).isWritable();
    return systemError == ERROR_SHARING_VIOLATION || systemError == ERROR_LOCK_VIOLATION;
#else
    Q_UNUSED(replacing)
    Q_UNUSED(path)
    return systemError == EBUSY || systemError == ETXTBSY || systemError == EAGAIN;
#endif
}

std::optional<QString> WriteOnce(const QString& path, const QByteArray& bytes, int& systemError, bool& replacing)
{
    ClearSystemError();
    QSaveFile file(path);
    replacing = false;
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) {
        replacing = true;
        if (file.commit())
            return std::nullopt;
    }
    systemError = LastSystemError();
    return FileErrorText(file.error(), systemError);
}

}  // namespace

std::optional<QString> WriteFileAtomically(const QString& path, const QByteArray& bytes, int retryMs)
{
    QElapsedTimer timer;
    timer.start();
    unsigned long pauseMs = 5;
    for (;;) {
        int systemError = 0;
        bool replacing = false;
        std::optional<QString> reason = WriteOnce(path, bytes, systemError, replacing);
        if (!reason || !IsBusy(systemError, replacing, path) || timer.elapsed() >= retryMs)
            return reason;
        QThread::msleep(pauseMs);
        pauseMs = std::min(pauseMs * 2, 100UL);
    }
}

std::optional<QByteArray> ReadFileBounded(const QString& path, qint64 maxBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(maxBytes);
    if (file.error() != QFile::NoError)
        return std::nullopt;
    return bytes;
}

}  // namespace pomrola
