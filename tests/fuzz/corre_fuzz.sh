#!/bin/bash
# Runs one reader's fuzz target for a bounded time from a small seed corpus
# made here, in a private directory (in memory when the machine has one).
# $1: the fuzz target, $2: configuracion or hiscore, $3: seconds.
set -u
fuzzer=$1
lector=$2
segundos=${3:-15}
base=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
dir=$(mktemp -d "$base/zumbelo-fuzz-XXXXXX") || exit 1
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/corpus" "$dir/trabajo"
c="$dir/corpus"

case "$lector" in
configuracion)
    # Valid, short, long, out of range and negative settings.
    printf '\000\001\000\000\000' > "$c/defecto"
    printf '\001\000\001\001\006' > "$c/valido"
    printf '\001\000' > "$c/corto"
    printf '\001\000\001\001\003\377\377' > "$c/largo"
    printf '\002\007\002\377\007' > "$c/fuera"
    printf '\377\001\376\000\377' > "$c/negativo"
    : > "$c/vacio"
    # Keys: a usable set, one with a key twice, one out of range, the scan codes' ends.
    printf 'T\124\125\122\123\103\073' > "$c/teclas"
    printf 'T\124\125\122\123\124\073' > "$c/teclas_repetidas"
    printf 'T\124\125\122\123\103\177' > "$c/teclas_fuera"
    printf 'T\001\125\122\123\103\176' > "$c/teclas_extremos"
    ;;
hiscore)
    # A valid table, one cut short, one with unterminated names, a foreign one.
    registro() { printf '%s' "$1" | head -c 10; head -c $((10 - ${#1})) /dev/zero; printf "$2"; }
    {
        printf 'R'
        for n in Ana Bea Carmen Dolores Elena Fausto Gines Hugo Ines Julia; do
            registro "$n" '\350\003\000\000'
        done
    } > "$c/valida"
    head -c 40 "$c/valida" > "$c/cortada"
    { printf 'R'; for _ in $(seq 10); do printf 'AAAAAAAAAA\377\377\377\377'; done; } > "$c/sin_fin"
    { printf 'X'; tail -c 140 "$c/valida"; } > "$c/ajena"
    : > "$c/vacio"
    ;;
*)
    echo "unknown reader $lector"
    exit 2
    ;;
esac

cd "$dir/trabajo" || exit 1
TMPDIR="$dir/trabajo" "$fuzzer" -max_total_time="$segundos" -max_len=256 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$dir/" "$c" > "$dir/salida.txt" 2>&1
rc=$?
grep -E "^(stat::number_of_executed_units|stat::new_units_added|Done)" "$dir/salida.txt"
if [ "$rc" != 0 ]; then
    tail -n 60 "$dir/salida.txt"
    # Keep the input that failed where it can be found.
    for f in "$dir"/crash-* "$dir"/leak-* "$dir"/timeout-* "$dir"/oom-*; do
        [ -e "$f" ] && cp "$f" /tmp/ && echo "failing input kept in /tmp/$(basename "$f")"
    done
    echo "fuzz_$lector FAILED (status $rc)"
fi
exit "$rc"
