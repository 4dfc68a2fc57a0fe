#!/usr/bin/env bash
# Runs the Windows build's tests (build/windows/tests/windows/inkline_windows_tests.exe)
# under Wine on a virtual display, once in each of three locales: C (decimal point, English
# Windows), de_DE (decimal comma) and ja_JP (Japanese Windows). Each run gets a fresh Wine
# prefix, a throwaway user profile the tests may change, and a "browser" that records the
# addresses it is asked to open.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wine-common.sh
on_virtual_display "$@"

exe=build/windows/tests/windows/inkline_windows_tests.exe
test -f "$exe" || { echo "run-windows-tests.sh: build the windows preset first ($exe)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/record-url" <<'SH'
#!/bin/sh
echo "$1" >>"$INKLINE_BROWSER_LOG"
SH
chmod +x "$work/record-url"

run_in_locale() {
  local locale=$1 separator=$2 japanese=$3
  export LC_ALL="$locale" LANG="$locale" INKLINE_BROWSER_LOG="$work/browser-$locale.log"
  fresh_wine_prefix "$work/prefix-$locale"
  # The manual link's browser is the recorder.
  "$wine" reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$work/record-url" /f >/dev/null 2>&1
  echo "=== Windows tests under Wine, locale $locale ==="
  INKLINE_DISPOSABLE_PROFILE=1 INKLINE_EXPECT_DECIMAL_SEPARATOR="$separator" INKLINE_EXPECT_JAPANESE_UI="$japanese" \
    "$wine" "$exe" --gtest_brief=1
  stop_wine
}

run_in_locale C . 0
run_in_locale de_DE.UTF-8 , 0
run_in_locale ja_JP.UTF-8 . 1
