#!/usr/bin/env bash
# Builds Halvorn2.exe and starts it under Wine. On a desktop it opens on your
# display; without one it runs on a virtual display of its own and saves a
# screenshot of the dialog.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
cmake --preset windows >/dev/null
cmake --build --preset windows

if [ -n "${DISPLAY:-}" ]; then
  LANG=ja_JP.UTF-8 WINEDEBUG=-all exec wine build/windows/Halvorn2.exe "$@"
fi

bench=tests/e2e/wine_bench.sh
bash $bench setup build/windows
trap 'bash $bench teardown build/windows' EXIT
bash $bench run build/windows screenshot
echo "screenshot: build/windows/e2e/out/halvorn2.png"
