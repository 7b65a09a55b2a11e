#pragma once

#include "SharedFolderFiles.h"

#include <QString>

namespace pomrola {

// A lock in a folder that several computers share, on any file system they
// may share it through (local disks, SMB and Windows shares, NFS, sshfs).
// Taking it creates a folder, which succeeds for one program only; a small
// file inside names the owner: host, process, a token for this taking, the
// owner's time and an identity of its computer and process namespace.
// Nobody keeps the lock's files open, so that a share that cannot remove an
// open file never keeps the owner from releasing it.
//
// A lock is left behind (stale) when its owner ran on this very computer and
// that process is gone, or when it is older than the stale time by the clock
// of the computer that keeps the folder, or when we have watched the same
// taking for the stale time; no two computers' clocks are ever compared.
// Waiters that find a stale lock together take turns at breaking it through
// a second folder named after the taking they saw, so only one breaker acts on
// one taking and it re-reads the taking before it moves it aside.
// docs/architecture.md says why this keeps one holder at a time.
class FolderLock {
public:
    enum class Result { Locked, Busy, NoAccess, OddEntry };

    explicit FolderLock(QString path, int staleMs);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Waits up to `waitMs` for the lock, breaking it when it is stale. Every
    // wait sleeps; a folder that cannot be written is reported at once.
    [[nodiscard]] Result tryLock(int waitMs);
    // Whether the owner file still names this taking: nobody broke the lock.
    [[nodiscard]] bool isStillOurs() const;
    // Releases the lock; false when it was no longer ours or could not be removed.
    [[nodiscard]] bool unlock();

    // Why the lock could not be taken (NoAccess, OddEntry), in the player's language.
    QString reason() const { return reason_; }
    QString ownerFilePath() const;

private:
    struct Look;
    Look look() const;
    bool isStale(const Look& seen);
    bool breakStale(const Look& seen);
    std::optional<qint64> ageMs(const QString& entry);
    void sweep() const;

    QString path_;
    int staleMs_;
    QByteArray token_;
    QString reason_;
    std::optional<qint64> clockOffsetMs_;  // the folder's clock minus ours, once measured
    bool locked_ = false;
};

}  // namespace pomrola
