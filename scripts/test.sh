#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the unit
# tests natively (also at a date years ahead), the style and static checks,
# the unit tests under the sanitizers, each fuzz target for a few seconds,
# then the end-to-end tests of the real programs under Wine; last it makes
# the download, so that packaging cannot break unnoticed.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
cmake --workflow --preset native
# No unit test may depend on the day it runs: the same tests years ahead.
faketime '2031-06-01 12:00:00' ctest --preset native
bash scripts/check_style.sh
cmake --workflow --preset native-asan
cmake --workflow --preset fuzz
cmake --workflow --preset windows
bash scripts/package.sh
