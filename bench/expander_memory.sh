#!/bin/bash
# Peak resident size and wall time of keltosimu-run loading circuits of
# 10 000 and 100 000 output expanders (76 pins each, no wires) and running
# one tick:
#   bench/expander_memory.sh RUNNER [COUNTS...]
# The circuits are written to a temporary folder, 100 parts to a row.
set -euo pipefail
runner=${1:?usage: expander_memory.sh RUNNER [COUNTS...]}
shift
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

echo "load before: $(uptime | sed 's/.*load/load/')"
for parts in "${counts[@]}"; do
    circuit="$folder/expanders_$parts.dps"
    awk -v n="$parts" 'BEGIN {
        print "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n<KELTOSIMU>\n<COMP>"
        for (i = 0; i < n; ++i)
            printf "<record><CtrlNode TYPE=\"31\"><POSX>%d</POSX><POSY>%d</POSY><MODEL>1</MODEL></CtrlNode></record>\n",
                (i % 100) * 100, int(i / 100) * 200
        print "</COMP>\n<CONN>\n</CONN>\n</KELTOSIMU>"
    }' >"$circuit"
    measured=$( { /usr/bin/time -f '%M %e' "$runner" --ticks 1 "$circuit" >/dev/null; } 2>&1 | tail -1)
    read -r kilobytes seconds <<<"$measured"
    printf '%7d parts (%5.1f MB file): peak RSS %8d KB (%5.2f KB a part), %5.2f s\n' "$parts" \
        "$(echo "$(stat -c %s "$circuit") / 1000000" | bc -l)" "$kilobytes" \
        "$(echo "$kilobytes / $parts" | bc -l)" "$seconds"
done
echo "load after:  $(uptime | sed 's/.*load/load/')"
