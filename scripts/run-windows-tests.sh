#!/usr/bin/env bash
# Runs the Windows build's tests (build/windows/tests/windows/inkline_windows_tests.exe)
# under Wine on a virtual display, once in each of three locales: C (decimal point, English
# Windows), de_DE (decimal comma) and ja_JP (Japanese Windows). Each run gets a fresh Wine
# prefix, a throwaway user profile the tests may change, and a "browser" that records the
# addresses it is asked to open.
set -euo pipefail
cd "$(dirname "$0")/.."

# On a virtual display of its own: the script runs itself again under xvfb-run.
if [[ "${1:-}" != --on-virtual-display ]]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" --on-virtual-display
fi

exe=build/windows/tests/windows/inkline_windows_tests.exe
test -f "$exe" || { echo "run-windows-tests.sh: build the windows preset first ($exe)" >&2; exit 1; }
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
test -x "$wine" || { echo "run-windows-tests.sh: Wine (wine64) is not installed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/record-url" <<'SH'
#!/bin/sh
echo "$1" >>"$INKLINE_BROWSER_LOG"
SH
chmod +x "$work/record-url"

run_in_locale() {
  local locale=$1 separator=$2 japanese=$3
  local prefix="$work/prefix-$locale"
  export WINEPREFIX="$prefix" WINEDEBUG=-all LC_ALL="$locale" LANG="$locale"
  export INKLINE_BROWSER_LOG="$work/browser-$locale.log"
  "$wine" wineboot -i >/dev/null 2>&1
  # Without a window manager, Wine waits two seconds on every window it hides unless it
  # leaves the windows unmanaged; and the manual link's browser is the recorder.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$work/record-url" /f >/dev/null 2>&1
  echo "=== Windows tests under Wine, locale $locale ==="
  INKLINE_DISPOSABLE_PROFILE=1 INKLINE_EXPECT_DECIMAL_SEPARATOR="$separator" INKLINE_EXPECT_JAPANESE_UI="$japanese" \
    "$wine" "$exe" --gtest_brief=1
  "$wineserver" -k 2>/dev/null || true
}

run_in_locale C . 0
run_in_locale de_DE.UTF-8 , 0
run_in_locale ja_JP.UTF-8 . 1
