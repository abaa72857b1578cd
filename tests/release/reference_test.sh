#!/usr/bin/env bash
# The function reference: generated twice, the same bytes (and those of the
# copy in docs/, which README links); every worked
# example in it, evaluated by torven, prints the result shown; every function
# and argument name of the catalogue appears.
#   reference_test.sh TORVEN_REFERENCE ADDIN TORVEN REFERENCIA.HTML DOCS_COPY
set -euo pipefail
generator=$1 addin=$2 torven=$3 page=$4 copy=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

"$generator" "$addin" "$work/again.html"
cmp -s "$page" "$work/again.html" || fail "generating the reference again gives other bytes"
cmp -s "$page" "$copy" || fail "$copy is not the generated reference: cp $page $copy"

unescape() { sed -e 's/&lt;/</g' -e 's/&gt;/>/g' -e 's/&quot;/"/g' -e 's/&amp;/\&/g'; }
grep -o '<code class="formula">[^<]*</code>' "$page" | sed 's/<[^>]*>//g' | unescape >"$work/formulas"
grep -o '<code class="resultado">[^<]*</code>' "$page" | sed 's/<[^>]*>//g' | unescape >"$work/shown"
examples=$(wc -l <"$work/formulas")
[ "$examples" -ge 11 ] && [ "$(wc -l <"$work/shown")" -eq "$examples" ] || fail "$examples examples, $(wc -l <"$work/shown") results"
while IFS= read -r formula && IFS= read -r shown <&3; do
  got=$("$torven" --decimal-comma "$formula")
  [ "$got" = "$shown" ] || fail "$formula: torven prints '$got', the reference shows '$shown'"
done <"$work/formulas" 3<"$work/shown"

# Each example that gives FAO 56's published value rounds to it (FAO 56
# examples 3, 5, 8, 9, 10, 13, 15, 17, 18, 20, 27, 28 and 36).
published=$(perl -0777 -ne 'while (/publicado: ([0-9,]+)[^<]*<\/p>\n<pre class="ejemplo"><code class="formula">[^<]*<\/code>\n→ <code class="resultado">([^<]*)</g) { print "$1 $2\n" }' "$page")
[ "$(wc -l <<<"$published")" -ge 8 ] || fail "fewer than 8 examples with a published value"
while read -r want got; do
  whole=${want%%,*}
  decimals=0
  [[ $want == *,* ]] && decimals=$(( ${#want} - ${#whole} - 1 ))
  rounded=$(LC_ALL=C printf "%.${decimals}f" "${got/,/.}" | tr . ,)
  [ "$rounded" = "$want" ] || fail "an example gives $got, FAO 56 publishes $want"
done <<<"$published"

# Names as torven --list shows the registered functions: NAME(ARG; ARG).
"$torven" --list | sed -n 's/^\([^ ][^(]*\)(\(.*\))    \[.*/\1;\2/p' | tr ';' '\n' | sed 's/^ *//' |
  sort -u >"$work/names"
[ "$(wc -l <"$work/names")" -gt 30 ] || fail "too few names from torven --list"
while IFS= read -r name; do
  grep -qF -- "$name" "$page" || fail "'$name' does not appear in the reference"
done <"$work/names"
for topic in $("$torven" --list | sed -n 's/.*torven.hlp!\([0-9]*\)\]$/\1/p' | sort -u); do
  grep -q "<section id=\"$topic\">" "$page" || fail "no section for help topic $topic"
done
echo "reference: $examples examples as torven computes them ($(wc -l <<<"$published") at FAO 56's published values), $(wc -l <"$work/names") names, the same bytes twice"
exit $((failures > 0))
