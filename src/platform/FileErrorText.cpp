#include "FileErrorText.h"

#include <QCoreApplication>

#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace pomrola {

namespace {

const char* const NoAccess = QT_TRANSLATE_NOOP("FileErrorText", "нет доступа");
const char* const DiskFull = QT_TRANSLATE_NOOP("FileErrorText", "диск полон");
const char* const NoFolder = QT_TRANSLATE_NOOP("FileErrorText", "папка не найдена");
const char* const Busy = QT_TRANSLATE_NOOP("FileErrorText", "файл занят другой программой");

const char* FromSystem(int code)
{
#ifdef Q_OS_WIN
    switch (code) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return NoAccess;
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
    case EACCES:
    case EPERM:
    case EROFS: return NoAccess;
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

QString FileErrorText(QFileDevice::FileError error, int systemError)
{
    const char* reason = FromSystem(systemError);
    return QCoreApplication::translate("FileErrorText", reason ? reason : FromQt(error));
}

}  // namespace pomrola
