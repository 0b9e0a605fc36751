#!/usr/bin/env bash
# One golden case through the node runner of the WebAssembly build; skipped
# (exit 77) where scripts/build-web.sh has not built it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runner=$root/build/web/keltosimu-run.js
if [[ ! -x $runner ]]; then
  echo "skipped: $runner is not built (scripts/build-web.sh)"
  exit 77
fi
exec bash "$root/scripts/make-golden.sh" --check --runner "$runner" "$@"
