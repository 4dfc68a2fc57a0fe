#!/usr/bin/env bash
# Checks the Windows build of the module: a 64-bit DLL that exports EntryPointFunc alone,
# needs no MinGW runtime DLL, carries the same PiPL bytes as the Linux module, and holds the
# options dialog and its banner.
set -euo pipefail
cd "$(dirname "$0")/.."

aex=build/windows/src/Inkline.aex
test -f "$aex" || { echo "missing $aex"; exit 1; }

objdump=x86_64-w64-mingw32-objdump
"$objdump" -f "$aex" | grep -q 'pei-x86-64' || { echo "$aex is not a 64-bit Windows DLL"; exit 1; }

exports=$("$objdump" -p "$aex" | awk '/Ordinal\/Name Pointer\] Table/{t=1;next} t && /^[ \t]*\[/{print $NF; next} t{t=0}')
if [[ "$exports" != "EntryPointFunc" ]]; then
  echo "unexpected exports of $aex:"; echo "$exports"; exit 1
fi

dlls=$("$objdump" -p "$aex" | awk '/DLL Name:/{print $3}' | tr 'A-Z' 'a-z' | sort -u)
for dll in $dlls; do
  case "$dll" in
    libstdc++*|libgcc*|libwinpthread*) echo "$aex depends on the MinGW runtime: $dll"; exit 1 ;;
  esac
done

# The resource script compiles to the same PiPL the Linux module carries in its .pipl section.
res=$(mktemp --suffix=.res)
trap 'rm -f "$res"' EXIT
x86_64-w64-mingw32-windres -I src -i build/windows/src/Inkline.rc -O res -o "$res"
if [[ -f build/default/src/Inkline.so ]]; then
  pipl=$(mktemp)
  objcopy --dump-section .pipl="$pipl" build/default/src/Inkline.so
  python3 - "$pipl" "$res" <<'PY'
import sys
pipl, res = (open(p, "rb").read() for p in sys.argv[1:3])
sys.exit(0 if pipl and pipl in res else "PiPL of the Windows resource differs from the Linux module's")
PY
  rm -f "$pipl"
fi
# The module's own resources: the PiPL, the options dialog 206 with its six controls, and the
# banner bitmap 203, 730 x 130 at 32 bits.
resources=$(x86_64-w64-mingw32-windres -i "$aex" -O rc)
grep -q '^16000 "PIPL"' <<<"$resources" || { echo "$aex holds no PiPL resource"; exit 1; }
grep -q '^203 2 /\* RT_BITMAP \*/' <<<"$resources" || { echo "$aex holds no bitmap 203"; exit 1; }
grep -q '^206 DIALOGEX 22, 17, 235, 170' <<<"$resources" || { echo "$aex holds no dialog 206"; exit 1; }
for control in '"OK", 1,' '2000,' '2001,' '2002,' '2059, "STATIC"' '2060, "SYSLINK"'; do
  grep -qF "$control" <<<"$resources" || { echo "dialog 206 of $aex lacks control $control"; exit 1; }
done
python3 - src/resources/banner.bmp <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
width, height, planes, bits = struct.unpack("<iiHH", data[18:30])
sys.exit(0 if (data[:2], width, abs(height), bits) == (b"BM", 730, 130, 32) else f"banner.bmp is {width} x {height} at {bits} bits")
PY

echo "Windows module OK: exports EntryPointFunc only, imports: $(echo $dlls)"
