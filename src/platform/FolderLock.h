#pragma once

#include <QString>

namespace pomrola {

// A lock that holds on network shares where a file that any program holds
// open cannot be removed or replaced (SMB, Windows shares). Taking it creates
// a folder, which succeeds for one program only; a small file inside names
// the owner: host, process, a token for this taking, and the owner's time.
// Nobody keeps the lock's files open: waiters read the owner file and close
// it at once, and removals that meet such a read are tried again.
//
// A lock whose owner died on this host is broken at once; any other lock
// older than the stale time is broken too (the owner's time is compared with
// ours, so the computers' clocks must agree to within seconds, as they do
// under network time). A plain file at the lock's place is a lock taken by an
// older version of the program and is honoured and broken the same way.
class FolderLock {
public:
    enum class Result { Locked, Busy, NoAccess };

    explicit FolderLock(QString path, int staleMs);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Waits up to `waitMs` for the lock, breaking it when it is stale.
    [[nodiscard]] Result tryLock(int waitMs);
    // Whether the owner file still names this taking (nobody broke the lock).
    bool isStillOurs() const;
    // Releases the lock; false when it was no longer ours or could not be removed.
    [[nodiscard]] bool unlock();

    QString ownerFilePath() const;

private:
    enum class Judgement { Live, Stale, Gone };
    Judgement judge(QByteArray& seenToken, qint64& seenSinceMs, qint64 elapsedMs) const;
    bool breakStale(const QByteArray& token) const;
    void sweepGraves() const;

    QString path_;
    int staleMs_;
    QByteArray token_;
    bool locked_ = false;
};

// Whether a process of this host with the given id is running.
bool IsProcessRunning(qint64 pid);

}  // namespace pomrola
