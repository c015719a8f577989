#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) and runs each for a fixed number of inputs.
#   scripts/fuzz.sh [RUNS]      (default 200000 inputs per target)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-200000}
build=build-fuzz

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc 2>/dev/null || echo 2)"

seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
mkdir -p "$seeds/numbers" "$seeds/files"
for s in " 10" "12.5" "13.5" "1e3" "-5" "." "1 2" "12ab" "1e400" "+.5E-2"; do
    printf '%s' "$s" >"$seeds/numbers/$(printf '%s' "$s" | md5sum | cut -c1-8)"
done
printf '[Difficulty]\ndiff=Hard\n\n[Times]\nTimelimit=" 10"\nEasy=" 95"\n\n[Names]\nEasy=Ada\n' >"$seeds/files/normal"
printf '[Names]\nEasy=a, b, c\nMedium=@Variant(\\0\\0\\0\\x7f)\n' >"$seeds/files/odd"
printf '[Times]\r\nTimelimit=" 12"\r\n; a lone " in a comment\r\n\r\n[Names]\r\nEasy=Ada\r\n' >"$seeds/files/crlf"
printf '[Difficulty]\rdiff=Hard\r\r[Times]\rTimelimit=3\r' >"$seeds/files/cr"

export ASAN_OPTIONS=detect_leaks=0
for target in fuzz_leading_number fuzz_text_to_int16; do
    echo "== $target, $runs inputs"
    "$build/tests/fuzz/$target" -runs="$runs" -max_len=64 "$seeds/numbers" 2>&1 | tail -n 2
done
echo "== fuzz_settings_file, $((runs / 10)) inputs"
# A folder in memory keeps the store's flushes to disk cheap.
[ -d /dev/shm ] && export TMPDIR=/dev/shm
"$build/tests/fuzz/fuzz_settings_file" -runs=$((runs / 10)) -max_len=4096 "$seeds/files" 2>&1 | tail -n 2
rm -rf "${TMPDIR:-/tmp}"/taviq-fuzz-*
echo "fuzzing: no crash"
