#!/usr/bin/env bash
# orvmedia check on scripts with one fault each (tests/media/findings/*.inf, UTF-8,
# converted to Shift-JIS as the installer reads them): each must give exactly the
# findings its "; expect: LINE error|warning KIND" lines name, and exit 1 with an error,
# 0 with warnings only (1 under --werror). The sample product's script is clean.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
orvmedia=$(realpath "${1:?usage: check-findings.sh ORVMEDIA}")
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
failures=0
for inf in "$here"/findings/*.inf; do
  name=$(basename "$inf")
  iconv -f UTF-8 -t CP932 "$inf" >"$work/$name"
  want=$(sed -n 's/^; expect: //p' "$inf" | sort)
  status=0
  out=$(cd "$work" && LC_ALL=C.UTF-8 "$orvmedia" check "$name") || status=$?
  got=$(printf '%s\n' "$out" | sed -n "s/^$name:\([0-9]*\): \(error\|warning\): .* \[\([a-z-]*\)\]\$/\1 \2 \3/p" | sort)
  wanted_status=0
  grep -q ' error ' <<<"$want" && wanted_status=1
  if [[ "$got" != "$want" || $status -ne $wanted_status ]]; then
    echo "FAILED: $name (exit $status, expected $wanted_status)"; echo "--- expected"; echo "$want"; echo "--- got"; echo "$out"
    failures=$((failures + 1))
  fi
  if [[ $wanted_status -eq 0 ]] && (cd "$work" && "$orvmedia" check --werror "$name" >/dev/null); then
    echo "FAILED: $name passes --werror"; failures=$((failures + 1))
  fi
done
# The sample is clean; bad usage exits 2.
"$orvmedia" check --werror "$here/../../examples/sample/SETUP.INF" || { echo "FAILED: the sample has findings"; failures=$((failures + 1)); }
status=0; "$orvmedia" check 2>/dev/null || status=$?
[[ $status -eq 2 ]] || { echo "FAILED: usage exit $status"; failures=$((failures + 1)); }
# Script text in messages follows the terminal's character set: "ソフト" as a registry root.
printf '[Common::RegUpdates]\n\x83\x5c\x83\x74\x83\x67=Software\n' >"$work/sjis.inf"
utf8=$(LC_ALL=C.UTF-8 "$orvmedia" check "$work/sjis.inf" || true)
sjis=$(LC_ALL=C "$orvmedia" check "$work/sjis.inf" || true)
[[ "$utf8" == *'"ソフト"'* && "$sjis" == *$'"\x83\x5c\x83\x74\x83\x67"'* ]] ||
  { echo "FAILED: script text in the terminal's character set: $utf8"; failures=$((failures + 1)); }
count=$(ls "$here"/findings/*.inf | wc -l)
echo "$((count + 3 - failures)) passed, $failures failed"
[[ $failures -eq 0 ]]
