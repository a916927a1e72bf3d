#!/usr/bin/env bash
# The updater as a user meets it, as separate processes under Wine against the test world, whose
# manifest announces the programs of this build:
#   1. an outdated QivYunPlay.exe is downloaded, checked and started;
#   2. a current installation gets "当前已为最新版本！";
#   3. a second updater gets "自动更新已经在运行";
#   4. an outdated updater replaces itself through QivYunUpdate_Tmp.exe;
#   5. someone on the network path answers for the update server: both programs refuse, in turn,
#      (a) the real manifest naming a stand-in program, beside the honest signature, (b) the same
#      without a signature, (c) a correctly signed manifest of a release older than the one
#      applied, (d) a correctly signed manifest whose md5 is the stand-in's but whose sha256 is not;
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
forget_manifest() {
  "$wine_run" "$arch" cmd /c del /q "%TEMP%\\QivYunUpdate.ini" "%TEMP%\\QivYunUpdate.ini.sig" >/dev/null 2>&1 || true
}
# Runs a program in a folder; wait_exit waits for it (at most 90 s) and leaves its exit code in $code.
start_program() { (cd "$1" && exec "$wine_run" "$arch" "$2") & }
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
start_program "$app" QivYunUpdate.exe; pid=$!
wait_exit $pid; check "the updater ends after starting the new main program" test "$code" = 0
check "QivYunPlay.exe is the published one" same "$app/QivYunPlay.exe" "$bin/QivYunPlay.exe"
check "the new QivYunPlay is running" probe "Z:$work/main-window.png" 60
serial="$(sed -n 's/.*ReleaseSerial = \([0-9]*\);/\1/p' "$bin/../generated/BuildConfig.h")"
check "the installation records the release it applied" test "$(tr -d '\r' <"$app/QivYunSerial.txt")" = "$serial"

# 2. Up to date.
start_program "$app" QivYunUpdate.exe; pid=$!
check "up to date is reported" probe --answer "当前已为最新版本！" 60
wait_exit $pid; check "the updater ends with 0 after the message" test "$code" = 0

# 3. A second updater while one runs.
start_program "$app" QivYunUpdate.exe; first=$!
sleep 3  # the first one takes its mutex
start_program "$app" QivYunUpdate.exe; second=$!
check "the second updater says one is running" probe --answer "自动更新已经在运行" 60
wait_exit $second; check "the second updater ends with 0" test "$code" = 0
check "the first updater still reports" probe --answer "当前已为最新版本！" 60
wait_exit $first; check "the first updater ends with 0" test "$code" = 0

# 4. An outdated updater replaces itself.
echo "old updater" >>"$app/QivYunUpdate.exe"
start_program "$app" QivYunUpdate.exe; pid=$!
check "the replaced updater goes on to report" probe --answer "当前已为最新版本！" 90
wait_exit $pid
sleep 2
check "QivYunUpdate.exe is the published one" same "$app/QivYunUpdate.exe" "$bin/QivYunUpdate.exe"
check "QivYunUpdate_Tmp.exe is gone" test ! -e "$app/QivYunUpdate_Tmp.exe"

# 5. Forged updates. The server's answers are steered through the test world's control addresses.
server="$(sed -n 's/.*UpdateServerAddress\[\] = "\(.*\)";/\1/p' "$bin/../generated/BuildConfig.h")"
post() { curl -s -o /dev/null -H 'Content-Type: application/octet-stream' --data-binary @- "$server$1"; }
standin="$bin/stand-in.exe"
mkdir -p "$work/stand-in" && (cd "$work/stand-in" && "$wine_run" "$arch" "$standin")
check "the stand-in leaves its mark when it runs" test -e "$work/stand-in/stand-in-ran.txt"
post /world/files/stand-in.exe <"$standin"
standin_md5="$(md5sum <"$standin" | cut -c1-32)"
standin_sha256="$(sha256sum <"$standin" | cut -c1-64)"
curl -s "$server/QivYun/QivYunUpdate.txt" >"$work/real.txt"
curl -s "$server/QivYun/QivYunUpdate.txt.sig" >"$work/real.txt.sig"
# The real manifest with the main program's digests and address turned to the stand-in's.
naming_standin() {  # naming_standin SHA256
  awk -v md5="$standin_md5" -v sha256="$1" -v url="$server/files/stand-in.exe" '
    /^\[/ { section = $0 }
    section ~ /^\[QivYunPlay\]/ && /^md5=/ { $0 = "md5=" md5 "\r" }
    section ~ /^\[QivYunPlay\]/ && /^sha256=/ { $0 = "sha256=" sha256 "\r" }
    section ~ /^\[QivYunPlay\]/ && /^url=/ { $0 = "url=" url "\r" }
    1' "$work/real.txt"
}
cp "$app/QivYunPlay.exe" "$work/installed-play.exe"
cp "$app/QivYunUpdate.exe" "$work/installed-update.exe"
notice="有新版本需要更新！ 版本MD5值:$(echo "$standin_md5" | tr a-f A-F)"
unchanged() {  # unchanged CASE: what every refused update leaves
  check "$1: QivYunPlay.exe is byte-identical" same "$app/QivYunPlay.exe" "$work/installed-play.exe"
  check "$1: QivYunUpdate.exe is byte-identical" same "$app/QivYunUpdate.exe" "$work/installed-update.exe"
  check "$1: the stand-in never ran" test ! -e "$app/stand-in-ran.txt"
  check "$1: no side file is left" test ! -e "$app/QivYunPlay.exe.new"
}
# The main program refuses a manifest that fails its check and stays (it would end on handing
# over to the updater); the updater alone, fetching the manifest itself, refuses it too.
refused_by_both() {  # refused_by_both CASE MESSAGE
  forget_manifest
  start_program "$app" QivYunPlay.exe; pid=$!
  check "$1: the main program names the cause" probe --answer "$2" 90
  check "$1: the main program goes on without the updater" probe "Z:$work/refused-$1.png" 60
  wait_exit $pid
  forget_manifest
  start_program "$app" QivYunUpdate.exe; pid=$!
  check "$1: the updater names the cause" probe --answer "$2" 90
  wait_exit $pid; check "$1: the updater ends with 0" test "$code" = 0
  unchanged "$1"
}

naming_standin "$standin_sha256" | post /world/manifest
post /world/manifest/signature <"$work/real.txt.sig"
refused_by_both a "更新信息签名无效，已停止更新。"

naming_standin "$standin_sha256" | post "/world/manifest?signature=none"
refused_by_both b "更新信息未签名，已停止更新。"

# The installation has applied a later release than the one this correctly signed manifest names.
naming_standin "$standin_sha256" | post /world/manifest
printf '%s\r\n' "$((serial + 1))" >"$app/QivYunSerial.txt"
refused_by_both c "更新信息版本较旧，已停止更新。"
printf '%s\r\n' "$serial" >"$app/QivYunSerial.txt"

# Signed and current, so the main program hands over as for any update; the updater then finds
# that the stand-in's SHA-256 is not the manifest's, whatever its MD5 says.
naming_standin "$(sha256sum <"$bin/QivYunPlay.exe" | cut -c1-64)" | post /world/manifest
forget_manifest
start_program "$app" QivYunPlay.exe; pid=$!
check "d: the main program announces the update" probe --answer "$notice" 90
wait_exit $pid
check "d: the updater names the cause" probe --answer "下载的文件与更新信息不符，已停止更新。" 90
sleep 2  # the updater ends on the answer
unchanged d
curl -s -o /dev/null -X DELETE "$server/world/manifest"
forget_manifest

# 6. Started from another folder: it settles there and installs the main program there.
elsewhere="$work/elsewhere"
mkdir -p "$elsewhere"
start_program "$elsewhere" "$(cd "$app" && pwd)/QivYunUpdate.exe"; pid=$!
check "the copy installs and starts QivYunPlay there" probe "Z:$work/main-window-2.png" 90
wait_exit $pid
check "the updater copied itself there" same "$elsewhere/QivYunUpdate.exe" "$bin/QivYunUpdate.exe"
check "QivYunPlay.exe was installed there" same "$elsewhere/QivYunPlay.exe" "$bin/QivYunPlay.exe"

echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
