# Sourced by the scripts that run the Windows build under Wine on a virtual display.
# Usage, at the top of a script (from the project folder):
#   source scripts/wine-common.sh; on_virtual_display "$@"
# then `fresh_wine_prefix DIR` before running programs with "$wine".

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

# Runs the calling script again under xvfb-run, unless it already is.
on_virtual_display() {
  if [[ "${1:-}" != --on-virtual-display ]]; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" --on-virtual-display
  fi
  test -x "$wine" || { echo "$(basename "$0"): Wine (wine64) is not installed" >&2; exit 1; }
}

# A new Wine prefix in DIR, exported as WINEPREFIX. Its windows are unmanaged: without a
# window manager Wine otherwise waits two seconds on every window it hides.
fresh_wine_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=-all
  "$wine" wineboot -i >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}

stop_wine() { "$wineserver" -k 2>/dev/null || true; }
