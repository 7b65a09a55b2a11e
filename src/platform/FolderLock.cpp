#include "FolderLock.h"

#include "FileAccess.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <signal.h>
#include <cerrno>
#endif

namespace pomrola {

namespace {

const char OwnerFileName[] = "owner";
constexpr qint64 MaxOwnerBytes = 4096;
// Removing our own lock may meet a waiter's read of the owner file on a share
// that refuses to remove open files; such a read lasts milliseconds.
constexpr int RemoveRetryMs = 3000;
constexpr qint64 LookIntervalMs = 250;

struct Owner {
    QByteArray host;
    qint64 pid = 0;
    QByteArray token;
    qint64 timeMs = 0;  // the owner's clock, milliseconds since the epoch, UTC
    bool valid = false;
};

QByteArray HostName()
{
    return QSysInfo::machineHostName().toUtf8();
}

// Whether a lock's host is this computer. Host names differ in case between
// systems, and on Windows an older lock file names the computer by its
// COMPUTERNAME, which need not be the network host name.
bool IsThisHost(const QByteArray& host)
{
    const QByteArray trimmed = host.trimmed();
#ifdef Q_OS_WIN
    const QByteArray computerName = qgetenv("COMPUTERNAME");
    if (!computerName.isEmpty() && trimmed.compare(computerName, Qt::CaseInsensitive) == 0)
        return true;
#endif
    return trimmed.compare(HostName(), Qt::CaseInsensitive) == 0;
}

qint64 NowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

Owner ParseOwner(const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    Owner owner;
    if (lines.size() < 4)
        return owner;
    bool pidOk = false;
    bool timeOk = false;
    owner.host = lines[0];
    owner.pid = lines[1].toLongLong(&pidOk);
    owner.token = lines[2];
    owner.timeMs = lines[3].toLongLong(&timeOk);
    owner.valid = pidOk && timeOk && !owner.token.isEmpty();
    return owner;
}

// Tries `attempt` with a short back-off until it succeeds or `limitMs` pass.
template <typename Attempt>
bool Retry(int limitMs, Attempt attempt)
{
    QElapsedTimer timer;
    timer.start();
    unsigned long pauseMs = 2;
    while (!attempt()) {
        if (timer.elapsed() >= limitMs)
            return false;
        QThread::msleep(pauseMs);
        pauseMs = std::min(pauseMs * 2, 50UL);
    }
    return true;
}

QString GraveName(const QString& path)
{
    return path + QStringLiteral(".gone-") + QString::number(QRandomGenerator::system()->generate64(), 16);
}

bool RemoveFile(const QString& path)
{
    return Retry(RemoveRetryMs, [&] { return QFile::remove(path) || !QFileInfo::exists(path); });
}

bool RemoveFolder(const QString& path)
{
    return Retry(RemoveRetryMs, [&] { return QDir().rmdir(path) || !QFileInfo::exists(path); });
}

}  // namespace

bool IsProcessRunning(qint64 pid)
{
    if (pid <= 0)
        return false;
#ifdef Q_OS_WIN
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
#else
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
#endif
}

FolderLock::FolderLock(QString path, int staleMs) : path_(std::move(path)), staleMs_(staleMs)
{}

FolderLock::~FolderLock()
{
    // Nobody is left to tell; a lock left behind goes stale and is broken.
    if (locked_)
        static_cast<void>(unlock());
}

QString FolderLock::ownerFilePath() const
{
    return path_ + QLatin1Char('/') + QLatin1String(OwnerFileName);
}

FolderLock::Result FolderLock::tryLock(int waitMs)
{
    if (locked_)
        return Result::Locked;
    QElapsedTimer timer;
    timer.start();
    QByteArray seenToken;
    qint64 seenSinceMs = -1;
    qint64 nextLookMs = 0;
    unsigned long pauseMs = 2;
    for (;;) {
        if (QDir().mkdir(path_)) {
            token_ = QByteArray::number(QRandomGenerator::system()->generate64(), 16);
            const QByteArray owner = HostName() + '\n' + QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                                     token_ + '\n' + QByteArray::number(NowMs()) + '\n';
            QFile file(ownerFilePath());
            if (file.open(QIODevice::WriteOnly) && file.write(owner) == owner.size() && file.flush()) {
                file.close();
                locked_ = true;
                sweepGraves();
                return Result::Locked;
            }
            file.close();
            RemoveFile(ownerFilePath());
            RemoveFolder(path_);
            return Result::NoAccess;
        }
        if (!QFileInfo::exists(path_)) {
            // Not taken by anyone, yet not creatable: the folder is out of reach,
            // unless the holder removed it just now.
            if (!QFileInfo(path_).dir().exists() || timer.elapsed() >= waitMs)
                return Result::NoAccess;
            continue;
        }
        // Looking at the owner file is a read on the share that the holder's
        // unlock may meet; a few looks a second are plenty against a 15 s rule.
        if (timer.elapsed() < nextLookMs) {
            if (timer.elapsed() >= waitMs)
                return Result::Busy;
            QThread::msleep(pauseMs + QRandomGenerator::global()->bounded(quint32(pauseMs)));
            pauseMs = std::min(pauseMs * 2, 40UL);
            continue;
        }
        nextLookMs = timer.elapsed() + LookIntervalMs;
        const Judgement judgement = judge(seenToken, seenSinceMs, timer.elapsed());
        if (judgement == Judgement::Stale && breakStale(seenToken)) {
            seenSinceMs = -1;
            continue;
        }
        if (judgement == Judgement::Gone)
            continue;
        if (timer.elapsed() >= waitMs)
            return Result::Busy;
        // Jitter keeps waiters on several computers from retrying in step.
        QThread::msleep(pauseMs + QRandomGenerator::global()->bounded(quint32(pauseMs)));
        pauseMs = std::min(pauseMs * 2, 40UL);
    }
}

FolderLock::Judgement FolderLock::judge(QByteArray& seenToken, qint64& seenSinceMs, qint64 elapsedMs) const
{
    const QFileInfo info(path_);
    Owner owner;
    if (info.isDir()) {
        if (const std::optional<QByteArray> bytes = ReadFileBounded(ownerFilePath(), MaxOwnerBytes))
            owner = ParseOwner(*bytes);
    } else if (const std::optional<QByteArray> bytes = ReadFileBounded(path_, MaxOwnerBytes)) {
        // An older version's lock file: process id, program name, host name.
        const QList<QByteArray> lines = bytes->split('\n');
        if (lines.size() >= 3) {
            owner.pid = lines[0].toLongLong();
            owner.host = lines[2];
        }
        owner.token = "file:" + *bytes;
    }
    if (!QFileInfo::exists(path_))
        return Judgement::Gone;

    const QByteArray token = owner.valid || !owner.token.isEmpty() ? owner.token : QByteArray("?");
    if (token != seenToken || seenSinceMs < 0) {
        seenToken = token;
        seenSinceMs = elapsedMs;
    }
    const bool ourProcess = owner.pid == QCoreApplication::applicationPid();
    if (!owner.host.isEmpty() && IsThisHost(owner.host) && owner.pid > 0 && !ourProcess && !IsProcessRunning(owner.pid))
        return Judgement::Stale;
    // The owner's time when it wrote one, else the file system's; and in any
    // case a lock we ourselves have watched unchanged for the stale time.
    const qint64 takenMs = owner.valid ? owner.timeMs : info.lastModified().toMSecsSinceEpoch();
    if (NowMs() - takenMs > staleMs_ || elapsedMs - seenSinceMs > staleMs_)
        return Judgement::Stale;
    return Judgement::Live;
}

bool FolderLock::breakStale(const QByteArray& token) const
{
    if (!QFileInfo(path_).isDir())
        return RemoveFile(path_);
    // Moving the folder aside is one step that only one breaker wins; what
    // is left of it is removed afterwards.
    const QString grave = GraveName(path_);
    if (!QDir().rename(path_, grave))
        return false;
    const std::optional<QByteArray> bytes =
        ReadFileBounded(grave + QLatin1Char('/') + QLatin1String(OwnerFileName), MaxOwnerBytes);
    const QByteArray moved = bytes ? ParseOwner(*bytes).token : QByteArray("?");
    if (moved != token && !moved.isEmpty() && token != "?") {
        // Someone took the lock between our look and the move: give it back.
        QDir().rename(grave, path_);
        return false;
    }
    QDir(grave).removeRecursively();
    return true;
}

void FolderLock::sweepGraves() const
{
    // Folders moved aside whose removal met a reader; nobody locks with them.
    const QFileInfo lock(path_);
    const QStringList graves = lock.dir().entryList({lock.fileName() + QStringLiteral(".gone-*")},
                                                    QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& grave : graves)
        QDir(lock.dir().filePath(grave)).removeRecursively();
}

bool FolderLock::isStillOurs() const
{
    if (!locked_)
        return false;
    const std::optional<QByteArray> bytes = ReadFileBounded(ownerFilePath(), MaxOwnerBytes);
    return bytes && ParseOwner(*bytes).token == token_;
}

bool FolderLock::unlock()
{
    if (!locked_)
        return false;
    locked_ = false;
    const std::optional<QByteArray> bytes = ReadFileBounded(ownerFilePath(), MaxOwnerBytes);
    if (!bytes || ParseOwner(*bytes).token != token_)
        return false;  // broken as stale meanwhile; the folder is another's now
    if (QFile::remove(ownerFilePath()) && QDir().rmdir(path_))
        return true;
    // A waiter's read is in the way: the owner file cannot go, or went aside
    // (sshfs keeps a removed open file as a hidden one) and the folder is not
    // empty. Moving the folder away releases the lock all the same.
    const QString grave = GraveName(path_);
    if (!Retry(RemoveRetryMs, [&] { return QDir().rename(path_, grave) || !QFileInfo::exists(path_); }))
        return false;
    Retry(RemoveRetryMs, [&] { return QDir(grave).removeRecursively(); });
    return true;
}

}  // namespace pomrola
