#!/usr/bin/env bash
# The updater as a user meets it, as separate processes under Wine against the test world, whose
# manifest announces the programs of this build:
#   1. an outdated QivYunPlay.exe is downloaded, checked and started;
#   2. a current installation gets "当前已为最新版本！";
#   3. a second updater gets "自动更新已经在运行";
#   4. an outdated updater replaces itself through QivYunUpdate_Tmp.exe;
#   5. a manifest whose digest is not the served program's leaves the installed program as it was;
#   6. started from another folder, it copies itself there, then installs QivYunPlay.exe there.
#   updater.sh win32|win64 BIN_DIR
set -euo pipefail
arch="$1"
bin="$(realpath "$2")"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
wine_run="$root/scripts/wine-run"
work="$(mktemp -d "$bin/../e2e-updater.XXXXXX")"
trap 'rm -rf "$work"' EXIT
passed=0
failures=0

check() {  # check DESCRIPTION COMMAND...
  local what="$1"; shift
  if "$@"; then echo "ok: $what"; passed=$((passed + 1)); else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
probe() { "$wine_run" "$arch" "$bin/window-probe.exe" "$@" >/dev/null; }
forget_manifest() { "$wine_run" "$arch" cmd /c del /q "%TEMP%\\QivYunUpdate.ini" >/dev/null 2>&1 || true; }
# Runs the updater in a folder; wait_exit waits for it (at most 90 s) and leaves its exit code in $code.
start_updater() { (cd "$1" && exec "$wine_run" "$arch" "$2") & }
code=""
wait_exit() {
  local pid="$1"
  for _ in $(seq 900); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then kill "$pid"; code=timeout; return; fi
  code=0
  wait "$pid" || code=$?
}
same() { cmp -s "$1" "$2"; }

app="$work/app"
mkdir -p "$app"
cp "$bin/QivYunUpdate.exe" "$bin/QivYunPlay.exe" "$app/"
echo "outdated" >>"$app/QivYunPlay.exe"  # still runs, but its digest differs

# 1. The outdated main program is replaced and the new one started.
forget_manifest
start_updater "$app" QivYunUpdate.exe; pid=$!
wait_exit $pid; check "the updater ends after starting the new main program" test "$code" = 0
check "QivYunPlay.exe is the published one" same "$app/QivYunPlay.exe" "$bin/QivYunPlay.exe"
check "the new QivYunPlay is running" probe "Z:$work/main-window.png" 60

# 2. Up to date.
start_updater "$app" QivYunUpdate.exe; pid=$!
check "up to date is reported" probe --answer "当前已为最新版本！" 60
wait_exit $pid; check "the updater ends with 0 after the message" test "$code" = 0

# 3. A second updater while one runs.
start_updater "$app" QivYunUpdate.exe; first=$!
sleep 3  # the first one takes its mutex
start_updater "$app" QivYunUpdate.exe; second=$!
check "the second updater says one is running" probe --answer "自动更新已经在运行" 60
wait_exit $second; check "the second updater ends with 0" test "$code" = 0
check "the first updater still reports" probe --answer "当前已为最新版本！" 60
wait_exit $first; check "the first updater ends with 0" test "$code" = 0

# 4. An outdated updater replaces itself.
echo "old updater" >>"$app/QivYunUpdate.exe"
start_updater "$app" QivYunUpdate.exe; pid=$!
check "the replaced updater goes on to report" probe --answer "当前已为最新版本！" 90
wait_exit $pid
sleep 2
check "QivYunUpdate.exe is the published one" same "$app/QivYunUpdate.exe" "$bin/QivYunUpdate.exe"
check "QivYunUpdate_Tmp.exe is gone" test ! -e "$app/QivYunUpdate_Tmp.exe"

# 5. A manifest that names another digest than the served program's: the download is not installed.
server="$(sed -n 's/.*UpdateServerAddress\[\] = "\(.*\)";/\1/p' "$bin/../generated/BuildConfig.h")"
echo "outdated again" >>"$app/QivYunPlay.exe"
cp "$app/QivYunPlay.exe" "$work/installed.exe"
curl -s "$server/QivYun/QivYunUpdate.txt" |
  awk '/^\[/ { section = $0 } section ~ /^\[QivYunPlay\]/ { sub(/^md5=[0-9A-Fa-f]*/, "md5=0123456789abcdef0123456789abcdef") } 1' |
  curl -s -o /dev/null --data-binary @- "$server/world/manifest"
forget_manifest
start_updater "$app" QivYunUpdate.exe; pid=$!
check "a download with another digest ends in the up-to-date message" probe --answer "当前已为最新版本！" 90
wait_exit $pid; check "the updater ends with 0" test "$code" = 0
check "the installed QivYunPlay.exe is byte-identical" same "$app/QivYunPlay.exe" "$work/installed.exe"
check "no side file is left" test ! -e "$app/QivYunPlay.exe.new"
curl -s -o /dev/null -X DELETE "$server/world/manifest"
forget_manifest

# 6. Started from another folder: it settles there and installs the main program there.
elsewhere="$work/elsewhere"
mkdir -p "$elsewhere"
start_updater "$elsewhere" "$(cd "$app" && pwd)/QivYunUpdate.exe"; pid=$!
check "the copy installs and starts QivYunPlay there" probe "Z:$work/main-window-2.png" 90
wait_exit $pid
check "the updater copied itself there" same "$elsewhere/QivYunUpdate.exe" "$bin/QivYunUpdate.exe"
check "QivYunPlay.exe was installed there" same "$elsewhere/QivYunPlay.exe" "$bin/QivYunPlay.exe"

echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
