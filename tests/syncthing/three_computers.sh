#!/bin/bash
# three_computers.sh <records_writer>: Syncthing computers a, b and c on 127.0.0.1 share one records
# folder; each one's writer runs under its own host name (unshare --uts), a process per game end.
# In 6 rounds the three write within ~100 ms, so that Syncthing makes conflict copies. Once in
# sync and each started once more, every copy holds the 2 starting and 18 new results once, and
# no conflict copy, lock, seal or other file of the game is left. Exits 77 (skipped) without
# syncthing or a working unshare. SYNC_KEEP=1 keeps the work folder.
set -uo pipefail
writer=$1
skip() { echo "SKIPPED SyncedFolder.three-computers: $*" >&2; exit 77; }
command -v syncthing >/dev/null || skip "no syncthing (apt-get install syncthing)"
UNSHARE=(unshare --uts)
[ "$(id -u)" -eq 0 ] || UNSHARE=(unshare --user --map-root-user --uts)
"${UNSHARE[@]}" true 2>/dev/null || skip "unshare --uts does not work here"

start=$SECONDS
status=0
W=$(mktemp -d /tmp/pomrola-sync.XXXXXX)
KEY=pomrola-three-computers  # REST API key of all three instances
declare -A ID LPORT GPORT
pids=()
stop_all() {  # TERM what we started, KILL after 5 s; the work folder goes unless kept
  kill "${pids[@]}" 2>/dev/null
  for _ in $(seq 50); do [ -z "$(jobs -rp)" ] && break; sleep 0.1; done
  kill -KILL "${pids[@]}" 2>/dev/null
  if [ "${SYNC_KEEP:-0}" = 1 ]; then echo "work folder kept: $W"; else rm -rf "$W"; fi
}
trap stop_all EXIT

# free_port VAR: a loopback port nobody listens on and not handed out yet.
free_port() {
  local p
  for _ in $(seq 200); do
    p=$((20000 + RANDOM % 40000))
    [[ " ${LPORT[*]} ${GPORT[*]} " == *" $p "* ]] || (exec 3<>/dev/tcp/127.0.0.1/$p) 2>/dev/null ||
      { printf -v "$1" %s "$p"; return 0; }
  done
  return 1
}

# rest COMPUTER PATH: the body of a GET on its REST API (HTTP/1.0 over /dev/tcp), empty after 5 s.
rest() {
  timeout 5 bash -c 'exec 3<>/dev/tcp/127.0.0.1/$0 || exit
    printf "GET %s HTTP/1.0\r\nHost: 127.0.0.1\r\nX-API-Key: %s\r\n\r\n" "$1" "$2" >&3; cat <&3' \
    "${GPORT[$1]}" "$2" "$KEY" 2>/dev/null | sed '1,/^\r$/d'
}

# on COMPUTER ARGS...: the records writer under that computer's host name and pending file.
on() { local c=$1; shift; POMROLA_PENDING_FILE="$W/pending-$c" timeout 30 "${UNSHARE[@]}" sh -c 'hostname "$0" && exec "$@"' "comp${c^^}" "$writer" "$@"; }

# --- three homes with keys; config.xml written whole: loopback only, nothing outside ----
for c in a b c; do
  syncthing generate --home="$W/home-$c" --no-default-folder >/dev/null 2>&1 || { echo "generate failed" >&2; exit 1; }
  ID[$c]=$(syncthing serve --home="$W/home-$c" --device-id)
  free_port "LPORT[$c]" && free_port "GPORT[$c]" || { echo "no free port" >&2; exit 1; }
  mkdir -p "$W/$c/.stfolder"  # the folder marker Syncthing wants before it syncs a folder
done
for c in a b c; do
  h=$W/home-$c
  version=$(grep -o 'configuration version="[0-9]*"' "$h/config.xml")
  {
    echo "<$version>"
    # Changes seen by the watcher after 1 s; a full rescan every ~5 s catches the rest.
    # Every conflict copy is kept (the default keeps 10), so none is lost before counted.
    echo "<folder id=\"records\" path=\"$W/$c\" type=\"sendreceive\" rescanIntervalS=\"5\"" \
         "fsWatcherEnabled=\"true\" fsWatcherDelayS=\"1\"><maxConflicts>-1</maxConflicts>"
    for d in a b c; do echo "<device id=\"${ID[$d]}\"></device>"; done
    echo "</folder>"
    # One dialer per pair (the later letter dials the earlier): two computers dialing each
    # other at once can stall the handshake for 20 s. "dynamic" finds nothing here.
    for d in a b c; do
      address=dynamic && [[ $d < $c ]] && address=tcp://127.0.0.1:${LPORT[$d]}
      echo "<device id=\"${ID[$d]}\" name=\"comp${d^^}\"><address>$address</address></device>"
    done
    echo "<gui enabled=\"true\" tls=\"false\"><address>127.0.0.1:${GPORT[$c]}</address><apikey>$KEY</apikey></gui>"
    echo "<options><listenAddress>tcp://127.0.0.1:${LPORT[$c]}</listenAddress>"
    echo "<globalAnnounceEnabled>false</globalAnnounceEnabled><localAnnounceEnabled>false</localAnnounceEnabled>"
    echo "<relaysEnabled>false</relaysEnabled><natEnabled>false</natEnabled><urAccepted>-1</urAccepted>"
    echo "<crashReportingEnabled>false</crashReportingEnabled><autoUpgradeIntervalH>0</autoUpgradeIntervalH>"
    echo "<startBrowser>false</startBrowser><reconnectionIntervalS>1</reconnectionIntervalS></options>"
    echo "</configuration>"
  } >"$h/config.xml"
  STNODEFAULTFOLDER=1 STNOUPGRADE=1 syncthing serve --home="$h" --no-browser --no-restart >"$W/syncthing-$c.log" 2>&1 &
  pids+=($!)
done

# All three connected to both others, which have everything, the folder idle; same records
# file and copies. Sets `why` to what is still missing.
in_sync() {
  local c d s peers sums=()
  for c in a b c; do
    peers=$(rest $c /rest/system/connections | grep -c '"connected": true')
    why="$c is connected to $peers of 2"
    [ "$peers" -eq 2 ] || return 1
    s=$(rest $c '/rest/db/status?folder=records')
    why="$c: $(grep -oE '"(needTotalItems|state|errors|pullErrors)": [^,]*' <<<"$s" | tr -d '"' | tr '\n' ' ')"
    grep -q '"needTotalItems": 0' <<<"$s" && grep -q '"state": "idle"' <<<"$s" || return 1
    for d in a b c; do
      why="$c has not all of $d"
      [ $d = $c ] || rest $c "/rest/db/completion?folder=records&device=${ID[$d]}" | grep -q '"completion": 100' || return 1
    done
    # Not Syncthing's own temporary files: one whose download was cut short stays for a day.
    sums+=("$(cd "$W/$c" && { ls -A | grep '^[^.].*\.sync-conflict-'; md5sum Pomrola99.rec 2>/dev/null; })")
  done
  why="the folders differ: a: ${sums[0]//$'\n'/ } | b: ${sums[1]//$'\n'/ } | c: ${sums[2]//$'\n'/ }"
  [ "${sums[0]}" = "${sums[1]}" ] && [ "${sums[0]}" = "${sums[2]}" ]
}
# wait_sync SECONDS: until in sync twice 3 s apart (longer than the watcher's delay). After
# one wait in vain the others give up at once: the run ends with its counts, not minutes later.
gave_up=no why="nothing looked at yet"
wait_sync() {
  [ $gave_up = no ] || return 1
  local until=$((SECONDS + $1))
  while [ $SECONDS -lt "$until" ]; do
    in_sync && sleep 3 && in_sync && return 0
    sleep 1
  done
  echo "NOT IN SYNC after $1 s: $why" >&2
  gave_up=yes
  return 1
}

# Every conflict copy that shows up in any of the folders, polled every 0.1 s.
(while :; do ls "$W/a" "$W/b" "$W/c" 2>/dev/null | grep '^[^.].*\.sync-conflict-' >>"$W/conflicts.seen"; sleep 0.1; done) &
pids+=($!)

# --- the starting table, written on a and synced everywhere --------------------------
on a --keep-going "$W/a" Start 5000 500,400 >"$W/start.log" || { echo "the starting table failed" >&2; exit 1; }
wait_sync 60 || exit 1
echo "syncthing up and the starting table on all three after $((SECONDS - start)) s"

# --- 6 rounds: the three computers end a game within ~100 ms, then ~3 s pass ----------
for round in 1 2 3 4 5 6; do
  w=()
  for c in a b c; do
    score=$(( ($(printf %d "'$c") - 96) * 1000 + round ))  # a 1001.., b 2001.., c 3001..
    (sleep "0.0$((RANDOM % 10))"; on $c --keep-going "$W/$c" "comp${c^^}" 5000 $score >>"$W/writer-$c.log") &
    w+=($!)
  done
  wait "${w[@]}"
  sleep "$((2 + RANDOM % 2)).$((RANDOM % 10))"
done
cat "$W"/writer-?.log | grep -v '^ok' | sed 's/^/writer: /'
wait_sync 120 || status=1

# --- one more start of the game on each computer, then the check ---------------------
for c in a b c; do on $c --start "$W/$c" >>"$W/writer-$c.log"; wait_sync 60 || status=1; done
wait_sync 60 || status=1
conflicts=$(sort -u "$W/conflicts.seen" | grep -c '^Pomrola99\.sync-conflict-.*\.rec$')
others=$(( $(sort -u "$W/conflicts.seen" | wc -l) - conflicts ))

# table FILE: the lines of a records file: byte b stored as (256 - b) mod 256, CR LF plain.
table() {
  od -An -v -tu1 "$1" | LC_ALL=C awk '{for (i = 1; i <= NF; i++) b[n++] = $i}
    END {for (i = 0; i < n; i++) if (b[i] == 13 && b[i + 1] == 10) {print ""; i++} else printf "%c", (256 - b[i]) % 256}'
}
expected=$(printf '%s\n' Start_500 Start_400; for r in 1 2 3 4 5 6; do printf 'comp%s_%d\n' A $((1000 + r)) B $((2000 + r)) C $((3000 + r)); done)
for c in a b c; do
  lines=$(table "$W/$c/Pomrola99.rec" 2>/dev/null)
  kept=$(grep -cxFf <(echo "$lines") <<<"$expected")
  missing=$(grep -vxFf <(echo "$lines") <<<"$expected" | tr '\n' ' ')
  twice=$(sort <<<"$lines" | uniq -d | tr '\n' ' ')
  stray=$(cd "$W/$c" && ls -A | grep -vxE '\.stfolder|\.stignore|Pomrola99\.rec|Pomrola99\.computer-[0-9a-f]{8}\.rec|\.syncthing\..*\.tmp' | tr '\n' ' ')
  echo "computer $c: results kept $kept of 20 written${missing:+; MISSING: $missing}${twice:+; TWICE: $twice}${stray:+; LEFT IN THE FOLDER: $stray}"
  [ "$kept" -eq 20 ] && [ -z "$twice$stray" ] || status=1
done
echo "run time $((SECONDS - start)) s; conflict copies seen: $conflicts of Pomrola99.rec, $others of other files"
[ "$conflicts" -gt 0 ] || { echo "no conflict copy was made: the test proves nothing" >&2; status=1; }
exit $status
