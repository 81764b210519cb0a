#!/usr/bin/env bash
# Installs the Debian packages that building and testing Halvorn2 need, and
# the Japanese locale Wine runs under. Safe to run again: present packages
# are skipped.
set -euo pipefail

packages=(
  cmake make g++ libgtest-dev libbenchmark-dev  # native build, unit tests, benchmarks
  clang libclang-rt-14-dev                       # fuzzing with libFuzzer
  clang-format clang-tidy                        # the style and static checks
  mingw-w64 wine wine64 fonts-wine               # Windows build, and running it with Wine's own fonts
  xvfb fonts-ipafont-gothic locales              # a display, Japanese fonts and locale
  faketime                                       # the unit tests once more at a date years ahead
)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo=sudo; fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine takes its code page from the locale; without ja_JP.UTF-8 it falls back
# to code page 1252 and Japanese settings turn into question marks.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
