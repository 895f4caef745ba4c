#!/bin/bash
# Runs the file readers' fuzz target for a bounded time, in a private
# directory (in memory when the machine has one), from a few seeds: settings,
# keys with one twice, a hall of fame cut short.
# $1: the fuzz target, $2: seconds.
set -u
base=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
dir=$(mktemp -d "$base/zumbelo-fuzz-XXXXXX") || exit 1
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/semillas" "$dir/trabajo"
printf '\001\000\001\001\006' > "$dir/semillas/ajustes"
printf 'T\124\125\122\123\124\073' > "$dir/semillas/teclas"
{ printf 'RAna'; head -c 24 /dev/zero; printf 'Bea\000'; } > "$dir/semillas/records"
cd "$dir/trabajo" || exit 1
"$1" -max_total_time="${2:-10}" -max_len=256 -timeout=10 -print_final_stats=1 -artifact_prefix="$dir/" \
    "$dir/semillas" > "$dir/salida.txt" 2>&1
rc=$?
grep -E "^(stat::number_of_executed_units|stat::new_units_added|Done)" "$dir/salida.txt"
if [ "$rc" != 0 ]; then
    tail -n 60 "$dir/salida.txt"
    # Keep the input that failed where it can be found.
    for f in "$dir"/crash-* "$dir"/leak-* "$dir"/timeout-* "$dir"/oom-*; do
        [ -e "$f" ] && cp "$f" /tmp/ && echo "failing input kept in /tmp/$(basename "$f")"
    done
    echo "fuzz_archivos FAILED (status $rc)"
fi
exit "$rc"
