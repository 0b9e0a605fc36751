#!/bin/bash
# Prints, for each folder of src/core (lowest layer first), the other core
# folders its files include.
set -euo pipefail
cd "$(dirname "$0")/../src/core"
layers=(numbers canvas sound circuit sim devices instruments basic files board)
folders=("${layers[@]}")
for dir in */; do
    [[ " ${layers[*]} " == *" ${dir%/} "* ]] || folders+=("${dir%/}")
done
for folder in "${folders[@]}"; do
    used=$(grep -rhoE '#include "core/[a-z_]+/' "$folder" | sed -E 's|#include "core/([a-z_]+)/|\1|' |
        sort -u | grep -vx "$folder" | paste -sd ' ' || true)
    printf '%-12s %s\n' "$folder:" "${used:-(nothing)}"
done
