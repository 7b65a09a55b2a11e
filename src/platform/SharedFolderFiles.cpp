#include "SharedFolderFiles.h"

#include "FileAccess.h"
#include "FileErrorText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace pomrola {

namespace {

QString FolderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

FileOutcome Failure(int systemError, const QString& path)
{
    FileOutcome outcome;
#ifdef Q_OS_WIN
    outcome.missing = systemError == ERROR_FILE_NOT_FOUND;
#else
    outcome.missing = systemError == ENOENT;
#endif
    outcome.reason = SystemErrorText(systemError, FolderOf(path));
    return outcome;
}

#ifndef Q_OS_WIN
QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

// A call that a signal interrupted is made again.
template <typename Call>
auto Retried(Call call)
{
    for (;;) {
        const auto result = call();
        if (result >= 0 || errno != EINTR)
            return result;
    }
}
#endif

}  // namespace

QString WrongKindText(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Link: return QCoreApplication::translate("SharedFolderFiles", "на месте файла стоит ссылка");
    case EntryKind::Folder: return QCoreApplication::translate("SharedFolderFiles", "на месте файла папка");
    default: return QCoreApplication::translate("SharedFolderFiles", "на месте файла стоит не файл");
    }
}

#ifdef Q_OS_WIN

EntryKind KindOf(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || info.isJunction())
        return EntryKind::Link;
    if (!info.exists())
        return EntryKind::Missing;
    if (info.isDir())
        return EntryKind::Folder;
    return info.isFile() ? EntryKind::File : EntryKind::Other;
}

PlainRead ReadPlainFile(const QString& path, qint64 maxBytes)
{
    PlainRead read;
    const EntryKind kind = KindOf(path);
    if (kind != EntryKind::File) {
        read.missing = kind == EntryKind::Missing;
        read.reason = read.missing ? SystemErrorText(ERROR_FILE_NOT_FOUND) : WrongKindText(kind);
        return read;
    }
    ClearSystemError();
    if (const std::optional<QByteArray> bytes = ReadFileBounded(path, maxBytes)) {
        read.ok = true;
        read.bytes = *bytes;
        return read;
    }
    static_cast<FileOutcome&>(read) = Failure(LastSystemError(), path);
    return read;
}

FileOutcome CreateNewFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ClearSystemError();
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && file.write(bytes) == bytes.size() && file.flush()) {
        file.close();
        return FileOutcome{true, false, {}};
    }
    const int error = LastSystemError();
    file.close();
    return Failure(error, path);
}

FolderCreation CreateFolder(const QString& path)
{
    if (CreateDirectoryW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()), nullptr))
        return {Creation::Created, {}};
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS)
        return {Creation::Exists, {}};
    // A folder being removed by its holder refuses access for a moment.
    if (error == ERROR_ACCESS_DENIED && KindOf(path) != EntryKind::Missing)
        return {Creation::Exists, {}};
    return {Creation::Failed, SystemErrorText(int(error), FolderOf(path))};
}

Renaming RenameEntry(const QString& from, const QString& to)
{
    if (MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(from).utf16()),
                    reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(to).utf16()), 0))
        return Renaming::Done;
    return Renaming::Refused;  // access denied there is also a reader inside, for a moment
}

bool RemoveEntry(const QString& path)
{
    const EntryKind kind = KindOf(path);
    if (kind == EntryKind::Missing)
        return true;
    if (kind == EntryKind::Link && QFileInfo(path).isDir())  // a junction or folder link: the link alone
        return RemoveDirectoryW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()));
    return kind != EntryKind::Folder && QFile::remove(path);
}

bool RemoveFolderShallow(const QString& path)
{
    if (KindOf(path) != EntryKind::Folder)
        return KindOf(path) == EntryKind::Missing;
    const QDir folder(path);
    for (const QString& name :
         folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QString entry = folder.filePath(name);
        if (KindOf(entry) != EntryKind::Folder)
            RemoveEntry(entry);
    }
    return QDir().rmdir(path);
}

std::optional<qint64> ModifiedMs(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    return info.lastModified().toMSecsSinceEpoch();
}

#else

EntryKind KindOf(const QString& path)
{
    struct stat entry {};
    if (::lstat(Native(path).constData(), &entry) != 0)
        return EntryKind::Missing;
    if (S_ISLNK(entry.st_mode))
        return EntryKind::Link;
    if (S_ISDIR(entry.st_mode))
        return EntryKind::Folder;
    return S_ISREG(entry.st_mode) ? EntryKind::File : EntryKind::Other;
}

PlainRead ReadPlainFile(const QString& path, qint64 maxBytes)
{
    PlainRead read;
    // Not blocking: a pipe opens at once instead of waiting for a writer.
    const int fd =
        Retried([&] { return ::open(Native(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC); });
    if (fd < 0) {
        if (errno == ELOOP) {
            read.reason = WrongKindText(EntryKind::Link);
            return read;
        }
        static_cast<FileOutcome&>(read) = Failure(errno, path);
        return read;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        read.reason = WrongKindText(S_ISDIR(opened.st_mode) ? EntryKind::Folder : EntryKind::Other);
        ::close(fd);
        return read;
    }
    read.bytes.resize(qsizetype(maxBytes));
    qint64 total = 0;
    while (total < maxBytes) {
        const ssize_t got =
            Retried([&] { return ::read(fd, read.bytes.data() + total, std::size_t(maxBytes - total)); });
        if (got < 0) {
            static_cast<FileOutcome&>(read) = Failure(errno, path);
            read.bytes.clear();
            ::close(fd);
            return read;
        }
        if (got == 0)
            break;
        total += got;
    }
    ::close(fd);
    read.bytes.resize(qsizetype(total));
    read.ok = true;
    return read;
}

FileOutcome CreateNewFile(const QString& path, const QByteArray& bytes)
{
    // O_EXCL refuses a link standing at the path as well as a file.
    const int fd = Retried(
        [&] { return ::open(Native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666); });
    if (fd < 0)
        return Failure(errno, path);
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t put =
            Retried([&] { return ::write(fd, bytes.constData() + written, std::size_t(bytes.size() - written)); });
        if (put <= 0) {
            const int error = put < 0 ? errno : ENOSPC;
            ::close(fd);
            ::unlink(Native(path).constData());
            return Failure(error, path);
        }
        written += put;
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(Native(path).constData());
        return Failure(error, path);
    }
    return FileOutcome{true, false, {}};
}

FolderCreation CreateFolder(const QString& path)
{
    const QByteArray native = Native(path);
    if (::mkdir(native.constData(), 0777) == 0) {
        // Whoever may write the parent may remove what we leave here, as in a
        // folder several users share: the creation mask would keep them out.
        ::chmod(native.constData(), 0777);
        return {Creation::Created, {}};
    }
    if (errno == EEXIST)
        return {Creation::Exists, {}};
    return {Creation::Failed, SystemErrorText(errno, FolderOf(path))};
}

Renaming RenameEntry(const QString& from, const QString& to)
{
    // rename() would replace an empty folder or a file at `to`; a link there
    // would count as taken, so only a name that is free is used.
    if (KindOf(to) != EntryKind::Missing)
        return Renaming::Refused;
    if (::rename(Native(from).constData(), Native(to).constData()) == 0)
        return Renaming::Done;
    if (errno != EPERM && errno != EACCES)
        return Renaming::Refused;
    // Only another user's entry in a folder with the sticky bit stays refused;
    // a share may refuse a rename for a moment while someone reads inside.
    struct stat folder {};
    struct stat entry {};
    const bool sticky = ::stat(Native(FolderOf(from)).constData(), &folder) == 0 && (folder.st_mode & S_ISVTX) != 0;
    const bool others = ::lstat(Native(from).constData(), &entry) == 0 && entry.st_uid != ::geteuid();
    return sticky && others ? Renaming::NotPermitted : Renaming::Refused;
}

bool RemoveEntry(const QString& path)
{
    if (KindOf(path) == EntryKind::Folder)
        return false;
    return ::unlink(Native(path).constData()) == 0 || errno == ENOENT;
}

bool RemoveFolderShallow(const QString& path)
{
    if (KindOf(path) != EntryKind::Folder)
        return KindOf(path) == EntryKind::Missing;
    const QByteArray native = Native(path);
    if (DIR* folder = ::opendir(native.constData())) {
        while (const dirent* entry = ::readdir(folder)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != ".." &&
                KindOf(path + QLatin1Char('/') + QFile::decodeName(name)) != EntryKind::Folder)
                ::unlink((native + '/' + name).constData());
        }
        ::closedir(folder);
    }
    return ::rmdir(native.constData()) == 0 || errno == ENOENT;
}

std::optional<qint64> ModifiedMs(const QString& path)
{
    struct stat entry {};
    if (::lstat(Native(path).constData(), &entry) != 0)
        return std::nullopt;
    return qint64(entry.st_mtim.tv_sec) * 1000 + entry.st_mtim.tv_nsec / 1000000;
}

#endif

FileOutcome ReplacePlainFile(const QString& path, const QByteArray& bytes)
{
    const EntryKind kind = KindOf(path);
    if (kind != EntryKind::File && kind != EntryKind::Missing)
        return FileOutcome{false, false, WrongKindText(kind)};
    if (std::optional<QString> reason = WriteFileAtomically(path, bytes))
        return FileOutcome{false, false, *reason};
    return FileOutcome{true, false, {}};
}

}  // namespace pomrola
