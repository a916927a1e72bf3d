#!/usr/bin/env bash
# Both programs as a user of another system meets them: installed in a folder whose name neither GBK
# nor the system's code page can hold ("C:\users\Zoë\QivYun", a folder named in Hangul), on systems
# whose code page for non-Unicode programs is 1252 and 950, against the test world:
#   1. an outdated QivYunPlay.exe there is downloaded, checked, put in its place and started there;
#      its start-up check finds it current and fills the status line; it has written the browser
#      mode 11001 for its file name;
#   2. an outdated updater there replaces itself through QivYunUpdate_Tmp.exe and reports.
#   folders.sh win32|win64 BIN_DIR
set -euo pipefail
arch="$1"
bin="$(realpath "$2")"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
wine_run="$root/scripts/wine-run"
source "$root/scripts/wine-env" "$arch"
work="$(mktemp -d "$bin/../e2e-folders.XXXXXX")"
created=()
cleanup() {
  rm -rf "$work"
  local folder
  for folder in "${created[@]}"; do rm -rf "$folder"; done
}
trap cleanup EXIT
passed=0
failures=0

check() {  # check DESCRIPTION COMMAND...
  local what="$1"; shift
  if "$@"; then echo "ok: $what"; passed=$((passed + 1)); else echo "FAILED: $what"; failures=$((failures + 1)); fi
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
probe() { "$wine_run" "$arch" "$bin/window-probe.exe" "$@"; }
forget_manifest() {
  "$wine_run" "$arch" cmd /c del /q "%TEMP%\\QivYunUpdate.ini" "%TEMP%\\QivYunUpdate.ini.sig" >/dev/null 2>&1 || true
}
same() { cmp -s "$1" "$2"; }
emulation_key='HKCU\Software\Microsoft\Internet Explorer\Main\FeatureControl\FEATURE_BROWSER_EMULATION'
browser_mode() { "$wine_run" "$arch" reg query "$emulation_key" /v QivYunPlay.exe 2>/dev/null | tr -d '\r' | grep -o '0x[0-9a-f]*' || true; }

for system in "1252 en_US.UTF-8" "950 zh_TW.UTF-8"; do
  read -r codePage locale <<<"$system"
  export QIVYUN_LANG="$locale"
  for name in "users/Zoë/QivYun" "users/김민준/큐브윤"; do
    case="$codePage, C:\\${name//\//\\}"
    app="$WINEPREFIX/drive_c/$name"
    created+=("$WINEPREFIX/drive_c/${name%/*}")
    mkdir -p "$app"
    cp "$bin/QivYunUpdate.exe" "$bin/QivYunPlay.exe" "$app/"
    echo "outdated" >>"$app/QivYunPlay.exe"

    # 1. Replace and restart the main program there.
    "$wine_run" "$arch" reg delete "$emulation_key" /v QivYunPlay.exe /f >/dev/null 2>&1 || true
    forget_manifest
    start_program "$app" QivYunUpdate.exe; pid=$!
    wait_exit $pid; check "$case: the updater ends after starting the new main program" test "$code" = 0
    check "$case: QivYunPlay.exe is the published one" same "$app/QivYunPlay.exe" "$bin/QivYunPlay.exe"
    shown="$(probe "Z:$work/main-window.png" 60 || true)"
    check "$case: the new QivYunPlay runs there and finds itself current" \
      grep -q "code page $codePage, status line:    连接到远程服务器成功 .*Accumulative: [0-9]" <<<"$shown"
    check "$case: the browser mode 11001 is written for QivYunPlay.exe" test "$(browser_mode)" = 0x2af9

    # 2. The updater replaces itself there.
    echo "old updater" >>"$app/QivYunUpdate.exe"
    start_program "$app" QivYunUpdate.exe; pid=$!
    check "$case: the replaced updater goes on to report" probe --answer "当前已为最新版本！" 90
    wait_exit $pid
    sleep 2
    check "$case: QivYunUpdate.exe is the published one" same "$app/QivYunUpdate.exe" "$bin/QivYunUpdate.exe"
    check "$case: QivYunUpdate_Tmp.exe is gone" test ! -e "$app/QivYunUpdate_Tmp.exe"
  done
done

echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
