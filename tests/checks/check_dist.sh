#!/usr/bin/env bash
# Makes the release of build/win32/tolmaro.exe (tools/build/make_dist.py) and checks
# it: what the zip holds, as unzip reads it, and that it does not depend on
# where it is built. For that, copies the sources (the files git knows, as
# they are in the work tree) into a second folder, builds the program and the
# release there and compares the program file, the zip and SHA256SUMS byte
# for byte; prints the SHA-256 values of both builds.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
python3 tools/build/make_dist.py >/dev/null
bad=0
zip=$(ls build/dist/tolmaro-*-win32.zip)
fail() {
  echo "$*"; bad=1
}

[ "$(unzip -Z1 "$zip" | tr '\n' ' ')" = "tolmaro.exe README.txt " ] || fail "$zip holds $(unzip -Z1 "$zip")"
unzip -p "$zip" tolmaro.exe | cmp - build/win32/tolmaro.exe || fail "the zip's tolmaro.exe is not build/win32/tolmaro.exe"
readme=$(unzip -p "$zip" README.txt)
grep -q "^SHA-256 of tolmaro.exe: $(sha256sum <build/win32/tolmaro.exe | cut -d' ' -f1)"$'\r'"\$" <<<"$readme" \
  || fail "README.txt does not name the program's SHA-256"
[ "$(grep -c $'\r$' <<<"$readme")" = "$(grep -c '' <<<"$readme")" ] || fail "README.txt has lines without CR LF"
(cd build/dist && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"

second=$(mktemp -d "${TMPDIR:-/tmp}/tolmaro-second.XXXXXX")
trap 'rm -rf "$second"' EXIT
git ls-files -z --cached --others --exclude-standard \
  | tar --null --ignore-failed-read -T - -cf - 2>/dev/null | tar -xf - -C "$second"
(cd "$second" && tools/build/build.sh win32 tolmaro >/dev/null && python3 tools/build/make_dist.py >/dev/null)
for file in build/win32/tolmaro.exe build/dist/SHA256SUMS "$zip"; do
  sha256sum "$file" "$second/$file"
  cmp "$file" "$second/$file" || fail "$file differs when built in $second"
done
exit "$bad"
