#!/usr/bin/env bash
# Runs every libFuzzer target of build/fuzz for the given number of seconds
# (default 10), starting from its seed corpus in tests/fuzz/corpus/<target>.
# Finding no target is a failure: a smoke run that ran nothing tested nothing.
set -euo pipefail
seconds="${1:-10}"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
shopt -s nullglob
ran=0
for target in "$here"/build/fuzz/fuzz_*; do
  [[ -x "$target" && -f "$target" ]] || continue
  name=$(basename "$target")
  corpus="$here/build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [[ -d "$here/tests/fuzz/corpus/$name" ]] && seeds=("$here/tests/fuzz/corpus/$name")
  echo "fuzz: $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -print_final_stats=0 \
    "$corpus" "${seeds[@]}" 2>"$here/build/fuzz/$name.log" || { tail -40 "$here/build/fuzz/$name.log"; exit 1; }
  ran=$((ran + 1))
done
if [[ $ran -eq 0 ]]; then
  echo "fuzz: FAILED: no fuzz target in $here/build/fuzz (cmake --preset fuzz && cmake --build --preset fuzz)" >&2
  exit 1
fi
echo "fuzz: $ran targets ran for ${seconds}s each"
