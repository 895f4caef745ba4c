#!/bin/bash
# Memory over a game and over many, on a virtual display of its own.
#
#   tools/memoria.sh RUNDIR [GAMES]
#
# 1. Leaks: the game of RUNDIR (a plain build, not a sanitized one) runs under
#    valgrind's memcheck with --leak-check=full through a start, one game (the
#    road, the pause box, abandon) and Exit. Fails when a definitely or
#    indirectly lost block was allocated with a frame of our code in its
#    stack, told by the frame's object (the game's own binary) or its source
#    file (under src/). Leaks wholly inside the libraries below our calls are
#    suppressed by tools/valgrind.supp, each with its reason; what is left of
#    the libraries' is counted, not failed.
# 2. Growth: the same binary without valgrind plays GAMES quick games (default
#    10: start, pause, abandon) and the anonymous memory of the process (heap,
#    mapped blocks and stacks: "Anonymous" of /proc/PID/smaps_rollup) is read
#    in the main menu after the first game and after the last. Fails when it
#    grew by more than 1 MB; a leak of a few kB a game shows over ten.
set -u
run=$(cd "${1:?run directory}" && pwd -P)  # as valgrind names the binary
partidas=${2:-10}
raiz=$(cd "$(dirname "$0")/.." && pwd)
[ -x "$run/zumbelo" ] || { echo "no game in $run"; exit 1; }
. "$raiz/tests/apoyo.sh"
pantalla_propia || exit 1
dir_de_juego "$run" || exit 1
mensajero
# Sound on through ALSA into nothing, so tunes and effects are made too;
# Spanish, set 0, in a window, no frame skipping.
sonido_a /dev/null
printf '\000\001\000\001\000' >zumbelo.cfg

# One game from the main menu back to it, abandoned from the pause box (the
# default hall of fame asks no name for it).
partida() {
    elige 0 || aborta "no Start"
    espera en_carretera "$1" || aborta "no road after Start"
    abandona || aborta "the game was not abandoned from the pause box"
    espera '[ "$(linea)" = 0 ]' "$1" || aborta "no main menu after the game"
}
# Exit, waited for up to $1 s.
termina_juego() {
    elige 5 || aborta "the pointer did not reach Exit"
    espera_fin "$PID" "$1" || aborta "the game did not end through Exit"
    [ "$ESTADO" = 0 ] || aborta "exit status $ESTADO"
    sin_mensajes
}

# ---------------------------------------------------------------- 1. leaks
# Under valgrind the game is slow: each key is held long enough to be seen.
juega valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect --num-callers=40 --fair-sched=yes \
    --suppressions="$raiz/tools/valgrind.supp" --xml=yes --xml-file=valgrind.xml "$JUEGO" ||
    aborta "no game window under valgrind"
PULSO=0.4
espera '[ "$(linea)" = 0 ]' 180 || aborta "no main menu under valgrind"
partida 180
termina_juego 180
# Each lost record, ours when a frame is in the game's binary or under src/.
awk -v juego="$JUEGO" '
    /<error>/ { dentro = 1; perdido = 0; nuestro = 0; texto = "" }
    dentro { texto = texto $0 "\n" }
    dentro && /<kind>Leak_(Definitely|Indirectly)Lost</ { perdido = 1 }
    dentro && (index($0, "<obj>" juego "</obj>") || /<dir>.*\/src(\/.*)?<\/dir>/) { nuestro = 1 }
    /<\/error>/ { dentro = 0; if (perdido && nuestro) { n++; printf "%s", texto } else if (perdido) ajenos++ }
    /<pair>/ { supr++ }
    END { printf "valgrind: %d lost records of our code, %d of the libraries alone, %d suppressions used\n", n, ajenos, supr
          exit n > 0 }' valgrind.xml || aborta "valgrind: blocks lost by our code"
echo "memoria: valgrind part done in $((SECONDS - inicio)) s"

# ---------------------------------------------------------------- 2. growth
unset PULSO
juega || aborta "no game window"
espera '[ "$(linea)" = 0 ]' || aborta "no main menu"
anonima() { awk '/^Anonymous:/ { print $2 }' "/proc/$PID/smaps_rollup"; }
for ((n = 1; n <= partidas; n++)); do
    partida 60
    [ "$n" = 1 ] && primera=$(anonima)
done
ultima=$(anonima)
termina_juego 30
echo "memoria: anonymous memory after game 1: $primera kB, after game $partidas: $ultima kB ($((ultima - primera)) kB)"
[ $((ultima - primera)) -le 1024 ] || falla "memory grew by more than 1 MB over $((partidas - 1)) games"
termina
