#include "FileAccess.h"

#include "FileErrorText.h"

#include <QElapsedTimer>
#include <QFile>
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
bool IsBusy(int systemError)
{
#ifdef Q_OS_WIN
    // Access denied is a permission, never a program in the way.
    return systemError == ERROR_SHARING_VIOLATION || systemError == ERROR_LOCK_VIOLATION;
#else
    return systemError == EBUSY || systemError == ETXTBSY || systemError == EAGAIN;
#endif
}

std::optional<QString> WriteOnce(const QString& path, const QByteArray& bytes, int& systemError)
{
    ClearSystemError();
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return std::nullopt;
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
        std::optional<QString> reason = WriteOnce(path, bytes, systemError);
        if (!reason || !IsBusy(systemError) || timer.elapsed() >= retryMs)
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
