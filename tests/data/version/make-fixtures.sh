#!/usr/bin/env bash
# Rebuilds the version-resource fixtures from the .rc files beside this script. Needs the
# mingw-w64 binutils (Debian: binutils-mingw-w64-x86-64); the outputs are committed, so the
# tests do not need them.
set -euo pipefail
cd "$(dirname "$0")"
for rc in *.rc; do
  name=${rc%.rc}
  x86_64-w64-mingw32-windres --preprocessor=cpp -i "$rc" -o "$name.o"
  x86_64-w64-mingw32-ld --dll -e 0 --subsystem windows -o "$name.dll" "$name.o"
  rm -f "$name.o"
done
