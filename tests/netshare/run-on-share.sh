#!/bin/bash
# run-on-share.sh <scenario> <records_tests binary>: the records tests named by the scenario
# on real Samba and SFTP shares served and mounted on 127.0.0.1 by start-share.sh (servers
# already running are reused). Exits 77, the CTest skip code, without root or FUSE.
# sftp-eight splits its writers over two sshfs mounts, as over two computers; the cached
# mounts keep sshfs's default caching, so a write may only report a stale copy.
set -uo pipefail
scenario=$1
export SHARE_ROOT="${SHARE_ROOT:-/tmp/pomrola-share}"
S=$SHARE_ROOT

bar=########################################################################
skip() { printf '%s\nSKIPPED network share test (%s): %s\n%s\n' $bar "$scenario" "$*" $bar >&2; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "needs root to start servers and mount shares"
[ -c /dev/fuse ] && grep -qw fuse /proc/filesystems || skip "no FUSE on this machine"
"$(dirname "${BASH_SOURCE[0]}")/start-share.sh" > "$S.start.log" 2>&1 || { cat "$S.start.log" >&2; skip "the share servers did not start"; }

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
QT_QPA_PLATFORM=offscreen "$2" --gtest_filter="$filter"
