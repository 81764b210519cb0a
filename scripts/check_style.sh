#!/usr/bin/env bash
# The project's own style and static checks: every C++ file formatted as
# .clang-format says, and the checks of .clang-tidy silent over the portable
# sources. Reads the compile commands of the native build.
set -euo pipefail
cd "$(dirname "$0")/.."

git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

portable=(framework model compose iepg settings scheduler platform dialog app reservations/rules reservations/tuners
  reservations/checks reservations/stored reservations/views reservations/edit posix)
sources=()
for folder in "${portable[@]}"; do
  for source in src/"$folder"/*.cpp; do
    [ "$source" = src/app/main.cpp ] || sources+=("$source")
  done
done
printf '%s\0' "${sources[@]}" | xargs -0 -P2 -n4 clang-tidy -p build/native --quiet
