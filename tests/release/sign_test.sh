#!/usr/bin/env bash
# Signs a copy of the add-in and of torven.exe with a throwaway self-signed
# certificate made here, verifies the signatures, checks that taking the
# signature off gives back the built file byte for byte, and (where Wine runs
# programs of this bitness) that the signed add-in loads and computes as the
# unsigned one.
#   sign_test.sh ADDIN TORVEN.EXE BITS
set -euo pipefail
addin=$1 host=$2 bits=$3
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d /tmp/torven-sign.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "sign_test: $*" >&2; exit 1; }

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=TORVEN prueba/O=Equipo TORVEN" \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/throwaway.pfx" \
  -passout pass:prueba-descartable
mkdir "$work/signed"
cp "$addin" "$host" "$work/signed/"
signed_addin=$work/signed/$(basename "$addin")
TORVEN_SIGN_PFX=$work/throwaway.pfx TORVEN_SIGN_PASSWORD=prueba-descartable \
  "$top/scripts/sign" "$signed_addin" "$work/signed/$(basename "$host")" >/dev/null

for file in "$signed_addin" "$work/signed/$(basename "$host")"; do
  osslsigncode verify -CAfile "$work/cert.pem" -in "$file" >"$work/verify.txt" 2>&1 ||
    fail "$(basename "$file"): the signature does not verify: $(cat "$work/verify.txt")"
  grep -q "Signature verification: ok" "$work/verify.txt" || fail "$(basename "$file"): no verified signature"
done
# Without its signature the signed file is the built one, but for the image
# checksum that signing fills in and the zeros that align the signature.
osslsigncode remove-signature -in "$signed_addin" -out "$work/unsigned" >/dev/null
size=$(stat -c %s "$addin")
checksum=$(( $(od -An -tu4 -j60 -N4 "$addin") + 88 ))  # PE header + 88
others=$({ cmp -l <(head -c "$size" "$work/unsigned") "$addin" || true; } |
         awk -v first=$((checksum + 1)) -v last=$((checksum + 4)) '$1 < first || $1 > last' | wc -l)
padding=$(tail -c +$((size + 1)) "$work/unsigned" | tr -d '\0' | wc -c)
[ "$others" -eq 0 ] && [ "$padding" -eq 0 ] ||
  fail "the signed add-in is not the built one plus a signature ($others bytes differ)"

if ! why=$("$top/scripts/wine-run" --can "$bits"); then
  echo "sign_test: signatures verified; the signed add-in not run ($why)"
  exit 0
fi
calls=('ETPF56(187, 22.07, 21.5, 12.3, 0, 1.409, 2.778, 10, 100, 50.8)' 'JDIA.VENTISOLA(2024, 12, 31)'
       'PVHRF56(25, 18, 82, 54)' 'RADF56A(135, 7.1, 0.25, 0.5, -22.9)' 'PVSF56(1e300)' 'VENTISOLA()')
expected=$("$top/scripts/wine-run" "$host" --addin "$addin" "${calls[@]}")
got=$("$top/scripts/wine-run" "$host" --addin "$signed_addin" "${calls[@]}")
[ "$got" = "$expected" ] || fail "the signed add-in answers otherwise: $got"
echo "sign_test: signatures verified; the signed add-in loads and gives the same results"
