#include "FileErrorText.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/statvfs.h>
#endif

namespace pomrola {

namespace {

const char* const NoAccess = QT_TRANSLATE_NOOP("FileErrorText", "нет доступа");
const char* const DiskFull = QT_TRANSLATE_NOOP("FileErrorText", "диск полон");
const char* const NoFolder = QT_TRANSLATE_NOOP("FileErrorText", "папка не найдена");
const char* const Busy = QT_TRANSLATE_NOOP("FileErrorText", "файл занят другой программой");
const char* const NotPermitted = QT_TRANSLATE_NOOP("FileErrorText", "нет разрешения");
const char* const ReadOnly = QT_TRANSLATE_NOOP("FileErrorText", "диск только для чтения");
const char* const Unreachable = QT_TRANSLATE_NOOP("FileErrorText", "папка недоступна");

const char* FromSystem(int code)
{
#ifdef Q_OS_WIN
    switch (code) {
    case ERROR_ACCESS_DENIED: return NoAccess;
    case ERROR_WRITE_PROTECT: return ReadOnly;
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_SEM_TIMEOUT: return Unreachable;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return DiskFull;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return NoFolder;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return Busy;
    default: return nullptr;
    }
#else
    switch (code) {
    case EACCES: return NoAccess;
    case EPERM: return NotPermitted;
    case EROFS: return ReadOnly;
    case ENOTCONN:
    case ESTALE:
    case EIO:
    case ETIMEDOUT:
    case EHOSTDOWN:
    case EHOSTUNREACH: return Unreachable;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return DiskFull;
    case ENOENT:
    case ENOTDIR: return NoFolder;
    case EBUSY:
    case ETXTBSY: return Busy;
    case EISDIR: return QT_TRANSLATE_NOOP("FileErrorText", "на месте файла папка");
    default: return nullptr;
    }
#endif
}

const char* FromQt(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::PermissionsError: return NoAccess;
    case QFileDevice::ResourceError: return QT_TRANSLATE_NOOP("FileErrorText", "не хватает места или ресурсов системы");
    case QFileDevice::OpenError: return QT_TRANSLATE_NOOP("FileErrorText", "файл не открывается");
    case QFileDevice::RenameError: return QT_TRANSLATE_NOOP("FileErrorText", "файл не удалось заменить");
    case QFileDevice::ReadError: return QT_TRANSLATE_NOOP("FileErrorText", "ошибка чтения");
    default: return QT_TRANSLATE_NOOP("FileErrorText", "ошибка записи");
    }
}

}  // namespace

void ClearSystemError()
{
#ifdef Q_OS_WIN
    SetLastError(0);
#else
    errno = 0;
#endif
}

int LastSystemError()
{
#ifdef Q_OS_WIN
    return int(GetLastError());
#else
    return errno;
#endif
}

QString SystemErrorText(int systemError, const QString& folder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(folder)
#else
    // A disk full of small files has room left, but no room for one more.
    struct statvfs disk {};
    if (systemError == ENOSPC && !folder.isEmpty() && ::statvfs(QFile::encodeName(folder).constData(), &disk) == 0 &&
        disk.f_files > 0 && disk.f_favail == 0)
        return QCoreApplication::translate("FileErrorText", "на диске нет места для новых файлов");
#endif
    const char* reason = FromSystem(systemError);
    return QCoreApplication::translate("FileErrorText", reason ? reason : "ошибка записи");
}

QString FileErrorText(QFileDevice::FileError error, int systemError)
{
    const char* reason = FromSystem(systemError);
    return QCoreApplication::translate("FileErrorText", reason ? reason : FromQt(error));
}

}  // namespace pomrola
