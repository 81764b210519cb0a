#!/usr/bin/env bash
# The Wine test bench: a Wine prefix and a virtual X display of its own, in
# the build folder, for running Halvorn2.exe and the driver as a user would.
#
#   wine_bench.sh setup    BUILD_DIR          make the prefix, start X and the Task Scheduler
#   wine_bench.sh run      BUILD_DIR SCENARIO [ARGS...]   run one driver scenario
#   wine_bench.sh run-without-scheduler BUILD_DIR SCENARIO  the same with no Task Scheduler to reach
#   wine_bench.sh wine     BUILD_DIR COMMAND...           run any command in the bench
#   wine_bench.sh teardown BUILD_DIR          end what setup started, and nothing else
set -euo pipefail

action=$1
build=$(cd "$2" && pwd)
shift 2
bench=$build/e2e
export WINEPREFIX=$bench/prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

display_of_bench() { cat "$bench/display" 2>/dev/null || true; }

start_display() {
  local n=90
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >"$bench/xvfb.log" 2>&1 &
  echo $! >"$bench/xvfb.pid"
  echo ":$n" >"$bench/display"
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && return 0; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}

# Registry settings a Japanese user's Windows has, and a desktop window for
# the dialogs to live in on a bare X server.
configure_prefix() {
  local reg=$bench/bench.reg
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"MS UI Gothic"="IPAPGothic"' '"MS Shell Dlg"="IPAGothic"' '"MS Shell Dlg 2"="IPAGothic"' \
    '"ＭＳ Ｐゴシック"="IPAGothic"' '"MS PGothic"="IPAGothic"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"Default"="1024x900"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' >"$reg"
  wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
  # Wine's own fonts (Marlett draws the title bar's buttons), where a
  # Windows has its fonts.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}

# The drives the scenarios record to. R:, a small volume for the scenarios that fill a disk: a 64 MB tmpfs
# where the bench may mount one, else a folder of the ordinary disk (the
# scenario then makes its recordings look larger instead).
make_small_drive() {
  local small=$bench/small
  mkdir -p "$small"
  if ! mountpoint -q "$small"; then
    mount -t tmpfs -o size=64m halvorn-bench "$small" 2>/dev/null || echo "drive R: is not a small volume" >&2
  fi
  ln -sfn "$small" "$WINEPREFIX/dosdevices/r:"
  # Drive D:, where the sample settings record to, on a folder of the bench.
  mkdir -p "$bench/drive_d"
  ln -sfn "$bench/drive_d" "$WINEPREFIX/dosdevices/d:"
  # Drive N:, a folder of the bench that Windows takes for a network drive.
  mkdir -p "$bench/drive_n"
  ln -sfn "$bench/drive_n" "$WINEPREFIX/dosdevices/n:"
  if ! grep -q '^"n:"="network"' "$WINEPREFIX/system.reg"; then
    wine reg add 'HKLM\Software\Wine\Drives' /v n: /d network /f >/dev/null 2>&1
    wineserver -w
  fi
}

start_scheduler() {
  for _ in $(seq 30); do
    # net answers in the console's code page; ask it in English.
    out=$(LANG=C LC_ALL=C wine net start schedule 2>&1 || true)
    case "$out" in
      *"started successfully"*|*"already running"*) return 0 ;;
    esac
    sleep 1
  done
  echo "the Task Scheduler service did not start: $out" >&2
  return 1
}

case "$action" in
  setup)
    mkdir -p "$bench"
    bash "$0" teardown "$build" || true
    start_display
    export DISPLAY=$(display_of_bench)
    if [ ! -e "$WINEPREFIX/system.reg" ]; then
      wineboot -i >"$bench/wineboot.log" 2>&1
      wineserver -w
      configure_prefix
    fi
    make_small_drive
    wineboot >/dev/null 2>&1 || true
    start_scheduler
    ;;
  run)
    scenario=$1
    shift
    export DISPLAY=$(display_of_bench)
    out=$bench/out
    mkdir -p "$out"
    data=$(cd "$(dirname "$0")/../data" && pwd)
    exec wine "$build/e2e_driver.exe" "$scenario" "$(winepath -w "$build/Halvorn2.exe")" "$(winepath -w "$out")" \
      "$(winepath -w "$data")" "$@"
    ;;
  run-without-scheduler)
    # A wineserver started with the scheduler's service disabled answers
    # CoCreateInstance with "service not running"; afterwards the bench gets
    # its scheduler back for the other tests.
    export DISPLAY=$(display_of_bench)
    wineserver -k 2>/dev/null || true
    status=0
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;schedsvc=d" bash "$0" run "$build" "$@" || status=$?
    wineserver -k 2>/dev/null || true
    start_scheduler
    exit $status
    ;;
  wine)
    export DISPLAY=$(display_of_bench)
    exec "$@"
    ;;
  teardown)
    if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
    if mountpoint -q "$bench/small" 2>/dev/null; then umount "$bench/small" || true; fi
    if [ -f "$bench/xvfb.pid" ]; then
      kill "$(cat "$bench/xvfb.pid")" 2>/dev/null || true
      rm -f "$bench/xvfb.pid"
    fi
    ;;
  *)
    echo "unknown action $action" >&2
    exit 2
    ;;
esac
