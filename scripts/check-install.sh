#!/usr/bin/env bash
# A packager's build: a plain Release build with no preset (warnings stay warnings), installed
# into a temporary prefix and packed as a .deb. The installed renderer and the unpacked
# package each render the demo with the build tree moved out of the way, finding the module,
# its platform library and the demo scene relative to themselves.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/plain
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DINKLINE_BUILD_TESTS=OFF -DINKLINE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"; [[ -d "$build.away" ]] && mv "$build.away" "$build"' EXIT
prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
(cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null)
deb=$(ls "$scratch"/deb/*.deb)
dpkg-deb -x "$deb" "$scratch/unpacked"

check_tree() {  # root: a folder holding bin/, lib/ and share/
  local root=$1 name=$2
  for file in "$root/bin/inkline-render" "$root"/lib*/inkline/Inkline.so "$root"/lib*/inkline/libwin32standin.so; do
    test -f "$file" || { echo "check-install: $name: $file is missing" >&2; exit 1; }
    if readelf -d "$file" | grep -E 'R(UN)?PATH' | grep -v '\$ORIGIN' | grep -q .; then
      echo "check-install: $name: $file has a RUNPATH that is not relative:" >&2
      readelf -d "$file" | grep -E 'R(UN)?PATH' >&2
      exit 1
    fi
  done
  local out="$scratch/$name-out"
  (cd "$scratch" && "$root/bin/inkline-render" --version | tee "$scratch/$name-version")
  grep -q "($root/" "$scratch/$name-version" || { echo "check-install: $name: the module is not the installed one" >&2; exit 1; }
  (cd "$scratch" && "$root/bin/inkline-render" -o "$out" --frames 0-3 --quiet)
  test "$(ls "$out" | grep -c '^frame_000[0-3]\.png$')" = 4 || { echo "check-install: $name: frames missing" >&2; exit 1; }
  echo "check-install: $name renders the demo"
}

mv "$build" "$build.away"  # nothing of the build tree can be found now
check_tree "$prefix" prefix
check_tree "$scratch/unpacked/usr" deb
mv "$build.away" "$build"
echo "check-install: $(basename "$deb") and the prefix install work without the build tree"
