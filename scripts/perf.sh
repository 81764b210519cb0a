#!/usr/bin/env bash
# Measures the figures in the README, side by side in one run: the Google
# Benchmarks of the reservation reader, the channel look-up and the
# composition, then under Wine the wall time of an automatic registration
# against schtasks creating the same once-task, and the time to first paint.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
cmake --preset native >/dev/null
cmake --build --preset native --target benchmarks
cmake --preset windows >/dev/null
cmake --build --preset windows

build/native/benchmarks --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

bench=tests/e2e/wine_bench.sh
bash $bench setup build/windows
trap 'bash $bench teardown build/windows' EXIT
examples=$(bash $bench wine build/windows winepath -w "$PWD/examples")
bash $bench run build/windows timing "$examples"
