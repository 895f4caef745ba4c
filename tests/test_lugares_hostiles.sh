#!/bin/bash
# Hostile places. A datos.dat that is a pipe, a directory or a 3 GB file ends
# start-up with status 1 and the Spanish fatal message, never with a crash or
# a wait, within a few seconds and 1 GB of memory. In a working directory it
# cannot write to, the game starts and plays with its defaults, keeps a
# language switch in memory, writes nothing and reports nothing. As root the
# game runs as nobody there, from a copy in a directory of the test's own,
# wherever the build lies. $1: the directory of the built game.
set -u
. "$(dirname "$0")/apoyo.sh"
run="$(cd "$1" && pwd)"
pantalla_propia || exit 1
dir_de_juego "$run" || exit 1
mensajero
: >mensajes.txt
chmod 666 mensajes.txt

# ---- A datafile that is no datafile, each in a directory of its own.
mkdir tuberia carpeta enorme
mkfifo tuberia/datos.dat
mkdir carpeta/datos.dat
cp "$run/datos.dat" enorme/
truncate -s 3G enorme/datos.dat   # the whole datafile, then sparse: no room taken
for d in tuberia carpeta enorme; do
    printf '\000\000\000\001\000' >"$d/zumbelo.cfg"
    t0=${EPOCHREALTIME/./}
    (cd "$d" && ulimit -v 1048576 && exec timeout -s KILL 20 "$JUEGO" >salida.txt 2>&1)
    estado=$?
    ms=$(((${EPOCHREALTIME/./} - t0) / 1000))
    echo "$d: status $estado in $ms ms"
    [ "$estado" = 1 ] || falla "$d: exit status $estado, expected 1"
    grep -q "No se encuentra el archivo DATOS.DAT" mensajes.txt || falla "$d: no fatal message"
    [ "$ms" -lt 10000 ] || falla "$d: took $ms ms"
    [ -e "$d/scores.his" ] && falla "$d: scores.his written"
    : >mensajes.txt
done

# ---- A directory the game cannot write to, with no settings file in it. As
# root every directory is writable, so the game runs as nobody there.
solo=$DIR/solo
mkdir "$solo"
cp "$JUEGO" "$run/datos.dat" "$run/patches.dat" "$solo/"
if [ "$(id -u)" = 0 ]; then
    chmod 755 "$solo"
    como_otro=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
    chmod 555 "$solo"
    como_otro=()
fi
cd "$solo" || exit 1
juega "${como_otro[@]}" env HOME=/nonexistent "$solo/zumbelo" || aborta "no game window in the read-only directory"
cd "$DIR" || exit 1
espera '[ "$(linea)" = 0 ]' || aborta "no main menu"
recorte 300x100+330+10 titulo_es.png
elige 1 || aborta "no language line"
espera '! como 300x100+330+10 titulo_es.png 500' 20 || falla "the title did not change language"
espera_quieto 150x125+150+225 menu_en.png 20 || aborta "the English menu never settled"
elige 0 || aborta "no Start"
espera en_carretera 30 || aborta "no road"
abandona || aborta "the game was not abandoned"
espera '[ "$(linea)" = 0 ]' 30 || aborta "the main menu did not come back"
como 150x125+150+225 menu_en.png || falla "the language switch was not kept in memory"
sal
ls "$solo" | grep -v -x -e zumbelo -e datos.dat -e patches.dat | sed 's/^/written: /' | grep . && falla "files appeared"
sin_mensajes
termina
