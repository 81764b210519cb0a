#!/usr/bin/env bash
# Makes the download a Japanese user unpacks: build/windows/Halvorn2-<version>-win64.zip
# with both programs, a channel table to start from, the guide in Japanese,
# the license and a sample file association, all in one folder.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target package
for zip in build/windows/Halvorn2-*-win64.zip; do
  echo "$zip:"
  cmake -E tar tf "$zip"
done
