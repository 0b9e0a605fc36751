#!/usr/bin/env bash
# Runs each fuzz target for SECONDS, seeded from the test data and examples.
#   fuzz/run_fuzzers.sh BUILD_DIR SECONDS
# Inputs that found new paths stay in BUILD_DIR/corpus/<target> for the next
# run; a crashing input is written to BUILD_DIR/crashes/ and the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
seconds=$2

# target, then the find(1) tests selecting its seed files
targets=(
  "kelto_fuzz_circuit_file -name *.dps"
  "kelto_fuzz_program -name *.txt"
  "kelto_fuzz_note_string -name *.notes"
  "kelto_fuzz_recording -name *.rec"
)

mkdir -p "$build/crashes"
for entry in "${targets[@]}"; do
  read -r target tests <<<"$entry"
  corpus="$build/corpus/$target"
  seeds="$build/seeds/$target"
  mkdir -p "$corpus" "$seeds"
  # Named by content, so seeds with the same file name in different folders all stay.
  set -f
  find tests/data examples -type f $tests -print0 |
    while IFS= read -r -d '' file; do
      cp "$file" "$seeds/$(sha1sum <"$file" | cut -c1-40)"
    done
  set +f
  echo "== $target: ${seconds}s"
  log="$build/$target.log"
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/crashes/$target-" -print_final_stats=1 "$corpus" "$seeds" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "$target failed; the input is in $build/crashes/" >&2
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$log" || true
done
