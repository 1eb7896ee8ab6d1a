#!/usr/bin/env bash
# Configures and builds one of the project's builds:
#   build.sh native   portable core and its tests, with ASan and UBSan
#   build.sh fuzz     libFuzzer targets (clang)
#   build.sh bench    benchmarks, optimised, without sanitizers
#   build.sh win32    tolmaro.exe and the Windows tests, 32-bit
#   build.sh win64    the same sources as a 64-bit program (for 64-bit Wine)
# A second argument builds only that target of the build (build.sh win32 tolmaro).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
jobs=$(nproc 2>/dev/null || echo 2)

configure_and_build() {
  local dir=$1; shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S . -B "$dir" "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
  fi
  # The build's own status, not grep's: with pipefail, "|| true" would hide it.
  local status=0
  cmake --build "$dir" -j "$jobs" ${target:+--target "$target"} -- --no-print-directory 2>&1 \
    | grep -v -E '^\[ *[0-9]+%\]|^Consolidate|^Scanning|^Built target|^Linking' || status=${PIPESTATUS[0]}
  return "$status"
}

target=${2:-}
mkdir -p build
case "${1:-}" in
  native) configure_and_build build/native -DCMAKE_BUILD_TYPE=Debug -DTOLMARO_SANITIZE=ON ;;
  fuzz)   configure_and_build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLMARO_FUZZ=ON \
            -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ ;;
  bench)  configure_and_build build/bench -DCMAKE_BUILD_TYPE=Release -DTOLMARO_SANITIZE=OFF -DTOLMARO_BENCH=ON ;;
  win32)  configure_and_build build/win32 -DCMAKE_BUILD_TYPE=MinSizeRel \
            -DCMAKE_TOOLCHAIN_FILE=cmake/mingw.cmake -DTOLMARO_ARCH=i686 ;;
  win64)  configure_and_build build/win64 -DCMAKE_BUILD_TYPE=MinSizeRel \
            -DCMAKE_TOOLCHAIN_FILE=cmake/mingw.cmake -DTOLMARO_ARCH=x86_64 ;;
  *) echo "usage: build.sh native|fuzz|bench|win32|win64" >&2; exit 2 ;;
esac
