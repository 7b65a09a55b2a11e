#!/bin/bash
# run-on-share.sh <scenario> <records_tests binary>: runs records tests against real
# network file systems served and mounted on this machine (127.0.0.1 only), started by
# start-share.sh beside this script (it reuses servers that already run). Exits 77, the
# CTest skip code, with a loud message where that cannot be done: not root, no FUSE.
#   smb-eight   eight writers on the Samba share (smbnetfs)
#   sftp-eight  eight writers split over two sshfs mounts of one SFTP server
#   sftp-cached-eight  eight writers split over the two sshfs mounts with default caching:
#               each write keeps every result or reports a stale copy
#   smb-faults  a writer killed while it holds the lock; a reader holding the file open
#   smb-lock    writers against a dead lock on the Samba share, killed at random, clocks
#               off, own process namespaces: one holder at a time, nothing lost
set -uo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scenario=$1
tests=$2
export SHARE_ROOT="${SHARE_ROOT:-/tmp/pomrola-share}"
S=$SHARE_ROOT

skip() {
  echo "########################################################################" >&2
  echo "SKIPPED network share test ($scenario): $*" >&2
  echo "########################################################################" >&2
  exit 77
}
[ "$(id -u)" -eq 0 ] || skip "needs root to start servers and mount shares"
[ -c /dev/fuse ] && grep -qw fuse /proc/filesystems || skip "no FUSE on this machine"
"$HERE/start-share.sh" > "$S.start.log" 2>&1 || { cat "$S.start.log" >&2; skip "the share servers did not start"; }

case $scenario in
  smb-eight)  export POMROLA_RECORDS_FOLDERS="$S/smb-records"; filter='RecordsConcurrency.*' ;;
  sftp-eight) export POMROLA_RECORDS_FOLDERS="$S/mnt-ssh:$S/mnt-ssh2"; filter='RecordsConcurrency.*' ;;
  sftp-cached-eight)
    export POMROLA_RECORDS_FOLDERS="$S/mnt-ssh-cached:$S/mnt-ssh2-cached" POMROLA_RECORDS_CHECK_FOLDER="$S/mnt-ssh"
    filter='CachingShare.*' ;;
  smb-faults) export POMROLA_SMB_FOLDER="$S/smb-records"; filter='NetShare.*' ;;
  smb-lock)   export POMROLA_RECORDS_FOLDERS="$S/smb-records" POMROLA_LOCK_TRIALS=40; filter='LockExclusion.*' ;;
  *) echo "unknown scenario $scenario" >&2; exit 2 ;;
esac
QT_QPA_PLATFORM=offscreen "$tests" --gtest_filter="$filter"
