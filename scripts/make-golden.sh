#!/usr/bin/env bash
# Records the runner's outputs for the circuits in tests/golden/cases.txt, or
# (--check) runs them again and compares byte for byte.
#   scripts/make-golden.sh [--check] [--runner PATH] [CASE...]
# Without CASE names every case is done. The runner defaults to $KELTO_RUNNER.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
golden="$root/tests/golden"
check=0
runner=${KELTO_RUNNER:-}
wanted=()
while (($#)); do
  case $1 in
    --check) check=1 ;;
    --runner) runner=$2; shift ;;
    -h|--help) sed -n 2,5p "$0"; exit 0 ;;
    *) wanted+=("$1") ;;
  esac
  shift
done
if [[ -z $runner || ! -x $runner ]]; then
  echo "make-golden: give the keltosimu-run binary with --runner PATH or KELTO_RUNNER" >&2
  exit 2
fi
runner=$(cd "$(dirname "$runner")" && pwd)/$(basename "$runner")

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
outputs=(state.json trace.jsonl events.jsonl saved.dps stdout.txt)
failed=0
found=0

trim() { local s=$1; s=${s#"${s%%[![:space:]]*}"}; printf '%s' "${s%"${s##*[![:space:]]}"}"; }

# Runs from the repository root with relative paths so no absolute path can
# reach an output.
run_case() { # name circuit program options -> files in $2
  local name=$1 out=$2 circuit=$3 program=$4 options=$5
  local args
  read -r -a args <<<"$options"
  args+=(--seed 7 --time 14:05:09 --state "$out/state.json" --trace "$out/trace.jsonl"
         --events "$out/events.jsonl" --save "$out/saved.dps" "$circuit")
  [[ $program != - ]] && args+=("$program")
  if ! (cd "$root" && "$runner" "${args[@]}" >"$out/stdout.txt" 2>"$out/stderr.txt"); then
    echo "golden $name: the runner failed: $(cat "$out/stderr.txt")" >&2
    return 1
  fi
  rm -f "$out/stderr.txt"
}

while IFS='|' read -r name circuit program options; do
  name=$(trim "$name")
  [[ -z $name || $name == \#* ]] && continue
  if ((${#wanted[@]})) && [[ ! " ${wanted[*]} " == *" $name "* ]]; then
    continue
  fi
  found=$((found + 1))
  if ((check)); then
    out="$scratch/$name"
  else
    out="$golden/$name"
    rm -rf "$out"
  fi
  mkdir -p "$out"
  if ! run_case "$name" "$out" "$(trim "$circuit")" "$(trim "$program")" "$(trim "$options")"; then
    failed=1
    continue
  fi
  if ((check)); then
    for file in "${outputs[@]}"; do
      if ! cmp -s "$golden/$name/$file" "$out/$file"; then
        echo "golden $name: $file differs from tests/golden/$name/$file" >&2
        diff -u "$golden/$name/$file" "$out/$file" | head -20 >&2 || true
        failed=1
      fi
    done
  fi
done <"$golden/cases.txt"

if ((found == 0)); then
  echo "make-golden: no case named ${wanted[*]}" >&2
  exit 2
fi
exit $failed
