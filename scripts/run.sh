#!/usr/bin/env bash
# Builds Halvorn2.exe and shows its main job under Wine: the sample
# reservation in examples/ is handed over with the registration switch, as a
# browser would, Halvorn2 registers it without a click and ends, and the work
# item the Task Scheduler stored is printed. A screenshot of the dialog is
# saved as well.
#
#   bash scripts/run.sh          the demonstration above
#   bash scripts/run.sh --open   open the dialog itself on your display, with
#                                any further arguments; without a display,
#                                only the screenshot is taken
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
cmake --preset windows >/dev/null
cmake --build --preset windows

bench=tests/e2e/wine_bench.sh
open_dialog=no
if [ "${1:-}" = "--open" ]; then
  shift
  if [ -n "${DISPLAY:-}" ]; then
    LANG=ja_JP.UTF-8 WINEDEBUG=-all exec wine build/windows/Halvorn2.exe "$@"
  fi
  open_dialog=yes  # no display here: a picture of the dialog instead
fi

bash $bench setup build/windows
trap 'bash $bench teardown build/windows' EXIT
examples=$(bash $bench wine build/windows winepath -w "$PWD/examples")
if [ $open_dialog = no ]; then
  bash $bench run build/windows demo "$examples"
fi
bash $bench run build/windows screenshot "$examples" >/dev/null
echo "screenshot of the dialog: build/windows/e2e/out/halvorn2.png"
