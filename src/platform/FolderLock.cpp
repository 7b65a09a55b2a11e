#include "FolderLock.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <unistd.h>
#include <cerrno>
#include <csignal>
#endif

namespace pomrola {

namespace {

const char OwnerFileName[] = "owner";
constexpr qint64 MaxOwnerBytes = 4096;
// Removing our own lock may meet a waiter's read of the owner file on a share
// that refuses to remove open files; such a read lasts milliseconds.
constexpr int RemoveRetryMs = 3000;
// Looking at the owner file is a read that the holder's unlock may meet; a few
// looks a second are plenty against the stale time.
constexpr qint64 LookIntervalMs = 250;
// Breakers of one taking whose turns were all left behind by crashed breakers.
constexpr int MaxBreakTurns = 8;

struct Owner {
    QByteArray host;
    qint64 pid = 0;
    QByteArray token;
    QByteArray computer;  // identity of the computer and process namespace
    bool valid = false;
};

QByteArray HostName()
{
    return QSysInfo::machineHostName().toUtf8();
}

// Two computers, or two containers, may carry the same host name; a process
// id means something only where machine, boot and process namespace agree.
QByteArray ThisComputer()
{
    static const QByteArray identity = [] {
        const QByteArray machine = QSysInfo::machineUniqueId();
        if (machine.isEmpty())
            return QByteArray();
        QByteArray id = machine + '/' + QSysInfo::bootUniqueId();
#ifndef Q_OS_WIN
        char ns[128] = {};
        const ssize_t length = ::readlink("/proc/self/ns/pid", ns, sizeof ns - 1);
        id += '/' + QByteArray(ns, length > 0 ? qsizetype(length) : 0);
#endif
        return id;
    }();
    return identity;
}

// Whether an older version's lock file names this computer. Host names differ
// in case between systems, and on Windows such a file names the computer by
// its COMPUTERNAME, which need not be the network host name.
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

Owner ParseOwner(const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    Owner owner;
    if (lines.size() < 4)
        return owner;
    bool pidOk = false;
    owner.host = lines[0];
    owner.pid = lines[1].toLongLong(&pidOk);
    owner.token = lines[2];
    owner.computer = lines.size() > 4 ? lines[4] : QByteArray();
    owner.valid = pidOk && !owner.token.isEmpty();
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

QByteArray RandomHex()
{
    return QByteArray::number(QRandomGenerator::system()->generate64(), 16);
}

QString GraveName(const QString& path)
{
    return path + QStringLiteral(".gone-") + QString::fromLatin1(RandomHex());
}

// Since when this program has watched the same taking at one lock, on its own
// steady clock: a lock nobody changes for the stale time was left behind,
// whatever any clock says, also across game ends.
class Watches {
public:
    qint64 watchedMs(const QString& path, const QByteArray& key)
    {
        const QMutexLocker locker(&mutex_);
        if (!clock_.isValid())
            clock_.start();
        auto it = since_.find(path);
        if (it == since_.end() || it->first != key)
            it = since_.insert(path, {key, clock_.elapsed()});
        return clock_.elapsed() - it->second;
    }

private:
    QMutex mutex_;
    QElapsedTimer clock_;
    QHash<QString, std::pair<QByteArray, qint64>> since_;
};

Watches& LockWatches()
{
    static Watches watches;
    return watches;
}

void Nap(unsigned long& pauseMs)
{
    // Jitter keeps waiters on several computers from retrying in step.
    QThread::msleep(pauseMs + QRandomGenerator::global()->bounded(quint32(pauseMs)));
    pauseMs = std::min(pauseMs * 2, 40UL);
}

// Whether a process of this host with the given id is running.
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

}  // namespace

// One look at what stands at the lock's place.
struct FolderLock::Look {
    EntryKind kind = EntryKind::Missing;
    bool odd = false;     // something no program of ours puts there
    Owner owner;          // when an owner could be read
    bool legacy = false;  // an older version's lock file
    QString agedEntry;    // whose modification time tells the lock's age
    QByteArray key;       // names this taking, for the breakers' turns
};

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
    reason_.clear();
    clockOffsetMs_.reset();
    QElapsedTimer timer;
    timer.start();
    qint64 nextLookMs = 0;
    unsigned long pauseMs = 2;
    for (;;) {
        const FolderCreation created = CreateFolder(path_);
        if (created.result == Creation::Created) {
            token_ = RandomHex();
            const QByteArray owner = HostName() + '\n' + QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                                     token_ + '\n' + QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + '\n' +
                                     ThisComputer() + '\n';
            const FileOutcome written = CreateNewFile(ownerFilePath(), owner);
            if (written.ok) {
                locked_ = true;
                sweep();
                return Result::Locked;
            }
            reason_ = written.reason;
            RemoveFolderShallow(path_);
            return Result::NoAccess;
        }
        if (created.result == Creation::Failed) {
            reason_ = created.reason;
            return Result::NoAccess;
        }
        const EntryKind kind = KindOf(path_);
        if (kind == EntryKind::Link || kind == EntryKind::Other) {
            reason_ = WrongKindText(kind);
            return Result::OddEntry;
        }
        if (kind != EntryKind::Missing && timer.elapsed() >= nextLookMs) {
            nextLookMs = timer.elapsed() + LookIntervalMs;
            const Look seen = look();
            if (seen.odd) {
                reason_ = WrongKindText(EntryKind::Other);
                return Result::OddEntry;
            }
            if (seen.kind != EntryKind::Missing && isStale(seen)) {
                if (breakStale(seen))
                    continue;
                if (!reason_.isEmpty())
                    return Result::NoAccess;
            }
        }
        if (timer.elapsed() >= waitMs)
            return Result::Busy;
        Nap(pauseMs);
    }
}

FolderLock::Look FolderLock::look() const
{
    Look seen;
    seen.kind = KindOf(path_);
    QByteArray bytes;
    if (seen.kind == EntryKind::Folder) {
        const PlainRead read = ReadPlainFile(ownerFilePath(), MaxOwnerBytes);
        const EntryKind ownerKind = read.ok ? EntryKind::File : KindOf(ownerFilePath());
        seen.odd = ownerKind != EntryKind::File && ownerKind != EntryKind::Missing;
        if (read.ok) {
            bytes = read.bytes;
            seen.owner = ParseOwner(bytes);
        }
        // An owner still being written (or never written: its taker died
        // first) ages with the folder.
        seen.agedEntry = seen.owner.valid ? ownerFilePath() : path_;
    } else if (seen.kind == EntryKind::File) {
        // An older version's lock file: process id, program name, host name.
        const PlainRead read = ReadPlainFile(path_, MaxOwnerBytes);
        bytes = read.bytes;
        const QList<QByteArray> lines = bytes.split('\n');
        if (lines.size() >= 3) {
            seen.owner.pid = lines[0].toLongLong();
            seen.owner.host = lines[2];
        }
        seen.legacy = true;
        seen.agedEntry = path_;
    }
    const std::optional<qint64> modified = ModifiedMs(seen.agedEntry);
    const QByteArray form = QByteArray::number(int(seen.kind)) + ':' +
                            (seen.owner.valid ? bytes : bytes + '@' + QByteArray::number(modified.value_or(-1)));
    seen.key = QCryptographicHash::hash(form, QCryptographicHash::Sha1).toHex().left(16);
    return seen;
}

std::optional<qint64> FolderLock::ageMs(const QString& entry)
{
    if (!clockOffsetMs_) {
        // The folder's own clock, read from a file made there now: a lock's
        // time is never compared with a clock of another computer.
        const QString probe = path_ + QStringLiteral(".probe-") + QString::fromLatin1(RandomHex());
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        if (CreateNewFile(probe, QByteArray()).ok) {
            if (const std::optional<qint64> stamped = ModifiedMs(probe))
                clockOffsetMs_ = *stamped - before;
            RemoveEntry(probe);
        }
        if (!clockOffsetMs_)
            return std::nullopt;
    }
    const std::optional<qint64> modified = ModifiedMs(entry);
    if (!modified)
        return std::nullopt;
    return QDateTime::currentMSecsSinceEpoch() + *clockOffsetMs_ - *modified;
}

bool FolderLock::isStale(const Look& seen)
{
    const Owner& owner = seen.owner;
    const bool otherProcess = owner.pid > 0 && owner.pid != QCoreApplication::applicationPid();
    const bool sameComputer = seen.legacy
                                  ? IsThisHost(owner.host)
                                  : owner.valid && !ThisComputer().isEmpty() && owner.computer == ThisComputer();
    if (sameComputer && otherProcess && !IsProcessRunning(owner.pid))
        return true;
    if (const std::optional<qint64> age = ageMs(seen.agedEntry); age && *age > staleMs_)
        return true;
    return LockWatches().watchedMs(path_, seen.key) > staleMs_;
}

bool FolderLock::breakStale(const Look& seen)
{
    // One breaker at a time for one taking: the turn is a folder named after
    // it. A turn whose breaker died is itself left behind after the stale
    // time, and the next one is taken.
    for (int turn = 1; turn <= MaxBreakTurns; ++turn) {
        const QString turnPath = path_ + QStringLiteral(".break-%1-%2").arg(QString::fromLatin1(seen.key)).arg(turn);
        const FolderCreation created = CreateFolder(turnPath);
        if (created.result == Creation::Failed)
            return false;
        if (created.result == Creation::Exists) {
            const std::optional<qint64> age = ageMs(turnPath);
            if (KindOf(turnPath) == EntryKind::Folder &&
                ((age && *age > staleMs_) || LockWatches().watchedMs(turnPath, seen.key) > staleMs_))
                continue;
            return false;  // another breaker is at it
        }
        // Ours alone now; the taking must still be the one judged stale.
        const Look again = look();
        bool broken = false;
        if (again.key == seen.key && again.kind == seen.kind) {
            Renaming moved = Renaming::Done;
            if (seen.kind == EntryKind::File) {
                broken = RemoveEntry(path_);
            } else {
                const QString grave = GraveName(path_);
                moved = RenameEntry(path_, grave);
                broken = moved == Renaming::Done;
                if (broken)
                    RemoveFolderShallow(grave);
            }
            if (moved == Renaming::NotPermitted) {
                // Another user's lock in a folder that lets only its owner
                // remove it: waiting cannot help.
                reason_ = QCoreApplication::translate("FolderLock",
                                                      "замок другого пользователя не удаётся снять, нет разрешения");
            }
        }
        RemoveFolderShallow(turnPath);
        return broken;
    }
    return false;
}

void FolderLock::sweep() const
{
    // Folders moved aside whose removal met a reader, breakers' turns and
    // clock probes of programs that died: nobody uses them while we hold the
    // lock. Links among them are someone else's and stay.
    const QFileInfo lock(path_);
    const QDir folder = lock.dir();
    const QStringList leftovers =
        folder.entryList({lock.fileName() + QStringLiteral(".gone-*"), lock.fileName() + QStringLiteral(".break-*"),
                          lock.fileName() + QStringLiteral(".probe-*")},
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : leftovers) {
        const QString entry = folder.filePath(name);
        const EntryKind kind = KindOf(entry);
        if (kind == EntryKind::Folder)
            RemoveFolderShallow(entry);
        else if (kind == EntryKind::File && name.contains(QLatin1String(".probe-")))
            RemoveEntry(entry);
    }
}

bool FolderLock::isStillOurs() const
{
    if (!locked_)
        return false;
    const PlainRead read = ReadPlainFile(ownerFilePath(), MaxOwnerBytes);
    return read.ok && ParseOwner(read.bytes).token == token_;
}

bool FolderLock::unlock()
{
    if (!locked_)
        return false;
    const bool ours = isStillOurs();
    locked_ = false;
    if (!ours)
        return false;  // broken as stale meanwhile; the folder is another's now
    if (RemoveEntry(ownerFilePath()) && QDir().rmdir(path_))
        return true;
    // A waiter's read is in the way: the owner file cannot go, or went aside
    // (sshfs keeps a removed open file as a hidden one) and the folder is not
    // empty. Moving the folder away releases the lock all the same.
    const QString grave = GraveName(path_);
    if (!Retry(RemoveRetryMs,
               [&] { return RenameEntry(path_, grave) == Renaming::Done || KindOf(path_) == EntryKind::Missing; }))
        return false;
    Retry(RemoveRetryMs, [&] { return RemoveFolderShallow(grave); });
    return true;
}

}  // namespace pomrola
