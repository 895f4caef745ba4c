#!/bin/bash
# The game started in an empty directory: it writes its settings file, and
# without datos.dat it ends with status 1 after the Spanish fatal message,
# within two seconds, having made no hall of fame. A damaged settings file is
# repaired at start-up. The message goes through a stand-in for the library's
# message program that records it. $1: the built game's directory.
set -u
juego="$(cd "$1" && pwd)/zumbelo"
. "$(dirname "$0")/apoyo.sh"
pantalla_propia 640x480x16 || exit 1
DIR=$(mktemp -d /tmp/zumbelo-arranque-XXXXXX)
al_salir "rm -rf '$DIR'"
cd "$DIR" || exit 1
mensajero
fallos=0
falla() { echo "FALLO: $*"; fallos=$((fallos + 1)); }
bytes() { od -An -tu1 zumbelo.cfg | tr -s ' ' | sed 's/^ //; s/ $//'; }
arranca() {
    : > mensajes.txt
    local t0
    t0=$(date +%s%N)
    timeout -s KILL 60 "$juego" > salida.txt 2>&1
    ESTADO=$?
    MS=$((($(date +%s%N) - t0) / 1000000))
}

# The time is the best of up to three starts: other programs may load the machine.
for _ in 1 2 3; do
    rm -f zumbelo.cfg
    arranca
    echo "no datos.dat: status $ESTADO after $MS ms"
    [ "$MS" -le 2000 ] && break
done
[ "$ESTADO" = 1 ] || falla "exit status $ESTADO, expected 1"
[ "$MS" -le 2000 ] || falla "took $MS ms to give up, more than 2 s"
grep -q "^ \{19\}ERROR FATAL$" mensajes.txt || falla "no fatal message"
grep -q "^ No se encuentra el archivo DATOS.DAT" mensajes.txt || falla "fatal message without the file name"
[ "$(stat -c %s zumbelo.cfg 2>/dev/null)" = 5 ] || falla "no five-byte zumbelo.cfg written"
[[ "$(bytes)" =~ ^"0 1 0 0 "[0-6]$ ]] || falla "zumbelo.cfg holds '$(bytes)', expected 0 1 0 0 and 0..6"
[ -e scores.his ] && falla "scores.his made without a datafile"

# A damaged file is repaired at start-up; the window it asks for is granted.
printf '\011\011\011\011\011' > zumbelo.cfg
arranca
[ "$ESTADO" = 1 ] || falla "exit status $ESTADO with a damaged settings file"
[ "$(bytes)" = "0 1 0 1 0" ] || falla "damaged settings became '$(bytes)', expected 0 1 0 1 0"

# With no program to show it, the message goes to the terminal.
mkdir sin-programas
timeout -s KILL 60 env PATH="$DIR/sin-programas" "$juego" > salida.txt 2>&1
grep -q "^ No se encuentra el archivo DATOS.DAT" salida.txt || falla "no fatal message on the terminal"
[ "$fallos" = 0 ] && echo "arranque: todo bien"
exit "$fallos"
