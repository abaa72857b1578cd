#!/usr/bin/env bash
# Reads the version resource back from a built Windows file and checks every
# field against the build's version and author; for an add-in, also that the
# version text it shows (torven --info, under Wine where it can run) is the
# resource's.
#   version_test.sh READER FILE VERSION AUTHOR [BITS TORVEN.EXE]
set -euo pipefail
reader=$1 file=$2 version=$3 author=$4 bits=${5:-} host=${6:-}
wine_run=$(cd "$(dirname "$0")/../.." && pwd)/scripts/wine-run
if [ ! -x "$reader" ]; then
  echo "version_test: $reader is missing: build the native target first" >&2
  exit 1
fi
fields=$("$reader" "$file")
name=$(basename "$file")
fail() { printf 'version_test: %s: %s\n%s\n' "$name" "$1" "$fields" >&2; exit 1; }
for line in "FileVersion(fixed)=$version.0.0" "ProductVersion(fixed)=$version.0.0" \
    "FileVersion=$version.0.0" "ProductVersion=$version" "CompanyName=$author" \
    "ProductName=TORVEN" "OriginalFilename=$name" "InternalName=${name%.*}"; do
  grep -qxF "$line" <<<"$fields" || fail "expected $line"
done
for key in FileDescription LegalCopyright; do
  grep -q "^$key=..........*" <<<"$fields" || fail "no $key"
done
[ -n "$host" ] || exit 0

label=$(sed -n 's/^Comments=//p' <<<"$fields")
[ "$label" = "VENTISOLA.XLL $bits bits v${version%%.*}" ] || fail "comment is not the version label"
if ! why=$("$wine_run" --can "$bits"); then
  echo "version_test: $name: resource checked; torven --info not run ($why)"
  exit 0
fi
info=$("$wine_run" "$host" --addin "$file" --info)
grep -qF "$label; $author (" <<<"$info" || fail "torven --info shows another version: $info"
echo "version_test: $name: resource and torven --info agree ($label)"
