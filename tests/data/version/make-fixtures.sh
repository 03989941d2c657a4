#!/usr/bin/env bash
# Rebuilds the version-resource fixtures from the .rc files beside this script: 64-bit
# libraries, and plain32.dll, a 32-bit one from plain.rc. Needs the mingw-w64 binutils
# (Debian: binutils-mingw-w64-x86-64 and binutils-mingw-w64-i686); the outputs are
# committed, so the tests do not need them.
set -euo pipefail
cd "$(dirname "$0")"
build() {  # build PREFIX RC OUTPUT
  "$1-windres" --preprocessor=cpp -i "$2" -o "$3.o"
  "$1-ld" --dll -e 0 --subsystem windows -o "$3" "$3.o"
  rm -f "$3.o"
}
for rc in *.rc; do
  build x86_64-w64-mingw32 "$rc" "${rc%.rc}.dll"
done
build i686-w64-mingw32 plain.rc plain32.dll
