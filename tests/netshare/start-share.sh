#!/bin/bash
# start-share.sh: real network file servers on 127.0.0.1 only, mounted through FUSE; needs root.
# Everything lives in SHARE_ROOT (default /tmp/pomrola-share), PIDs and ports in $S/run.
#   Samba (user pomshare/pomsecret), share "records" = $S/export, smbnetfs: $S/smb-records
#   sshd (sftp only, key auth, same folder), mounted with sshfs as two computers, $S/mnt-ssh and
#     $S/mnt-ssh2 (no attribute caching), and twice with sshfs's default caching (20 s), as a
#     computer mounted carelessly: $S/mnt-ssh-cached and $S/mnt-ssh2-cached.
#     SSHFS_CACHE=default keeps the default caching on the first two as well.
# No systemd: the servers are plain background processes on ports chosen free when they
# start, so a leftover server or a second SHARE_ROOT never keeps these from starting.
set -euo pipefail
S="${SHARE_ROOT:-/tmp/pomrola-share}"
RUN=$S/run
mkdir -p $RUN $S/export $S/samba/{private,lock,state,cache,pid,log,ncalrpc} \
         $S/smbnetfs-home/.smb $S/ssh $S/mnt-smb $S/mnt-ssh{,2}{,-cached} /run/sshd

# --- packages (services must not be started by the install) -------------------
need=()
for p in samba smbnetfs openssh-server sshfs fuse3; do dpkg -s "$p" >/dev/null 2>&1 || need+=("$p"); done
if [ ${#need[@]} -gt 0 ]; then
  made_policy=no
  [ -e /usr/sbin/policy-rc.d ] ||
    { printf '#!/bin/sh\nexit 101\n' > /usr/sbin/policy-rc.d; chmod +x /usr/sbin/policy-rc.d; made_policy=yes; }
  apt-get update -q >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${need[@]}" >/dev/null
  [ $made_policy = yes ] && rm -f /usr/sbin/policy-rc.d
fi
grep -qw fuse /proc/filesystems || { echo "no FUSE in this kernel" >&2; exit 1; }
[ -c /dev/fuse ] || { echo "/dev/fuse missing" >&2; exit 1; }

# --- the account that owns the shared folder -------------------------------------
id pomshare >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin pomshare
usermod -p '*' pomshare            # not "locked" ("!"), so sshd accepts its key; no password login
chown pomshare $S/export

# --- ports: kept while the server that took them runs, else chosen free now ---------
running() { [ -f "$RUN/$1.pid" ] && kill -0 "$(cat "$RUN/$1.pid")" 2>/dev/null; }
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
listening() { ss -ltn | grep -q "127.0.0.1:$1 "; }
unmount() { grep -q " $S/$1 fuse" /proc/mounts && { fusermount3 -u $S/$1 2>/dev/null || umount -l $S/$1; }; true; }
wait_for() { for _ in $(seq 50); do "$@" && return 0; sleep 0.2; done; false; }
# serve <name> <PID file it writes> <port> <log> <command...>: starts the server unless it
# runs, in a session of its own (setsid: smbd signals its whole process group on SIGTERM,
# which killed our shell once), and waits until it listens.
serve() {
  local name=$1 pidfile=$2 port=$3 log=$4
  shift 4
  if ! running $name; then
    rm -f $pidfile
    setsid nohup "$@" > $log 2>&1 < /dev/null &
    wait_for test -s $pidfile
    cp $pidfile $RUN/$name.pid  # the PID the server itself wrote
  fi
  wait_for listening $port || { echo "$name did not start on port $port, see $log" >&2; exit 1; }
}
# A server's port is in its configuration file, also where an older script started it.
SMB_PORT=$(sed -n 's/^ *smb ports = //p' $S/samba/smb.conf 2>/dev/null || true)
if ! running smbd || [ -z "$SMB_PORT" ]; then
  SMB_PORT=$(free_port)
  unmount mnt-smb        # a client of an earlier server would look for it on its old port
fi
SSH_PORT=$(sed -n 's/^Port //p' $S/ssh/sshd_config 2>/dev/null || true)
if ! running sshd || [ -z "$SSH_PORT" ]; then
  SSH_PORT=$(free_port)
  for m in mnt-ssh{,2}{,-cached}; do unmount $m; done
fi
echo $SMB_PORT > $RUN/smbd.port
echo $SSH_PORT > $RUN/sshd.port

# --- Samba server ------------------------------------------------------------------
cat > $S/samba/smb.conf <<EOF
[global]
   server role = standalone server
   interfaces = 127.0.0.1
   bind interfaces only = yes
   smb ports = $SMB_PORT
   disable netbios = yes
   server min protocol = SMB2_10
   private dir = $S/samba/private
   lock directory = $S/samba/lock
   state directory = $S/samba/state
   cache directory = $S/samba/cache
   pid directory = $S/samba/pid
   ncalrpc dir = $S/samba/ncalrpc
   log file = $S/samba/log/log.%m
   load printers = no
   printing = bsd
   printcap name = /dev/null
   disable spoolss = yes
[records]
   path = $S/export
   read only = no
   valid users = pomshare
   force user = pomshare
   create mask = 0664
   directory mask = 0775
EOF
printf 'pomsecret\npomsecret\n' | smbpasswd -c $S/samba/smb.conf -s -a pomshare >/dev/null
serve smbd $S/samba/pid/smbd.pid $SMB_PORT $S/samba/log/smbd.out \
  smbd --configfile=$S/samba/smb.conf --foreground --no-process-group --debug-stdout -d 1

# --- SMB client: smbnetfs (FUSE; the kernel here has no cifs) -----------------------
cat > $S/smbnetfs-home/.smb/smb.conf <<EOF
[global]
   client min protocol = SMB2_10
   disable netbios = yes
   name resolve order = host
EOF
cat > $S/smbnetfs-home/.smb/smbnetfs.conf <<EOF
log_file "$S/smbnetfs-home/smbnetfs.log"
smb_query_browsers "false"
use_libsecret "false"
show_hidden_hosts "true"
auth "127.0.0.1" "pomshare" "pomsecret"
host 127.0.0.1 visible=true
EOF
chmod 600 $S/smbnetfs-home/.smb/smbnetfs.conf
if ! grep -q " $S/mnt-smb fuse" /proc/mounts; then
  HOME=$S/smbnetfs-home setsid nohup smbnetfs $S/mnt-smb -f -o config=$S/smbnetfs-home/.smb/smbnetfs.conf \
      > $S/smbnetfs-home/smbnetfs.out 2>&1 < /dev/null &
  echo $! > $RUN/smbnetfs.pid
fi
# smbnetfs reaches a server on another port than 445 as "host:port".
ln -sfn "$S/mnt-smb/127.0.0.1:$SMB_PORT/records" $S/smb-records
wait_for test -d $S/smb-records && touch $S/smb-records/.probe && rm -f $S/smb-records/.probe ||
  { echo "SMB mount not writable" >&2; exit 1; }

# --- SSH/SFTP server ------------------------------------------------------------------
for k in host client; do [ -f $S/ssh/${k}_ed25519 ] || ssh-keygen -q -t ed25519 -N '' -f $S/ssh/${k}_ed25519; done
cp $S/ssh/client_ed25519.pub $S/ssh/authorized_keys; chmod 644 $S/ssh/authorized_keys
cat > $S/ssh/sshd_config <<EOF
ListenAddress 127.0.0.1
Port $SSH_PORT
HostKey $S/ssh/host_ed25519
PidFile $S/ssh/sshd.pid
AuthorizedKeysFile $S/ssh/authorized_keys
StrictModes no
PasswordAuthentication no
KbdInteractiveAuthentication no
PermitRootLogin no
AllowUsers pomshare
UsePAM no
AllowTcpForwarding no
Subsystem sftp internal-sftp
Match User pomshare
    ForceCommand internal-sftp -d $S/export
EOF
/usr/sbin/sshd -t -f $S/ssh/sshd_config
serve sshd $S/ssh/sshd.pid $SSH_PORT $S/ssh/sshd.out /usr/sbin/sshd -D -e -f $S/ssh/sshd_config

# --- SFTP clients: four sshfs mounts, two of them with the default caching ---------------
cached="IdentityFile=$S/ssh/client_ed25519,UserKnownHostsFile=$S/ssh/known_hosts,StrictHostKeyChecking=accept-new,Port=$SSH_PORT"
uncached="$cached,dir_cache=no,attr_timeout=0,entry_timeout=0"
[ "${SSHFS_CACHE:-off}" = default ] && uncached=$cached
mount_sftp() {  # mount_sftp <mount folder> <sshfs options>
  grep -q " $S/$1 fuse" /proc/mounts || sshfs pomshare@127.0.0.1:$S/export $S/$1 -o "$2" > /dev/null 2>&1 < /dev/null
}
for m in mnt-ssh mnt-ssh2; do mount_sftp $m "$uncached"; mount_sftp $m-cached "$cached"; done

echo "SMB (smbd $(cat $RUN/smbd.pid) on port $SMB_PORT, smbnetfs): $S/smb-records; server side: $S/export"
echo "SFTP (sshd $(cat $RUN/sshd.pid) on port $SSH_PORT, sshfs): $(echo $S/mnt-ssh{,2}{,-cached})"
