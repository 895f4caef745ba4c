#!/bin/bash
# The installed `zumbelo` command and the player's directory: a first start
# makes it private (mode 700, and so what it had to make on the way) with
# links to the installed data; a wrong data link is put right; a read-only
# home whose links are right still starts the game. A player's directory
# that belongs to another user, or that others may write into, is refused
# with status 1 before anything is written there, the reason shown in a
# message window without a terminal, or on standard error without a display.
# As root the player is nobody, and everything nobody runs is installed
# into a directory of the test's own. $1: the run directory of the build;
# $2: the source tree.
set -u
build="$(cd "$1/.." && pwd)"
. "$2/tests/apoyo.sh"

DIR=$(mktemp -d /tmp/zumbelo-lanzador-XXXXXX)
al_salir "chmod -R u+w '$DIR'; rm -rf '$DIR'"
chmod 755 "$DIR"
DESTDIR="$DIR/inst" cmake --install "$build" --prefix /usr >"$DIR/instalacion.txt" 2>&1 ||
    { echo "FALLO: cmake --install: $(tail -3 "$DIR/instalacion.txt")"; exit 1; }
lanzador="$DIR/inst/usr/games/zumbelo"
datos="$DIR/inst/usr/share/zumbelo"
mensajero
: >"$DIR/mensajes.txt"
chmod 666 "$DIR/mensajes.txt"
pantalla_propia 640x480x16 || exit 1

if [ "$(id -u)" = 0 ]; then
    como_jugador=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
    como_jugador=()
fi
jugador=$("${como_jugador[@]}" id -u)
como=("${como_jugador[@]}")
# Runs the launcher as $como (the player unless changed) with HOME $1; any
# further arguments are options of env (-u DISPLAY). Its output goes to
# $DIR/salida.txt. Run it in a subshell: it ends in the game itself.
lanza() {
    local casa=$1
    shift
    cd "$DIR" && exec "${como[@]}" env -u XDG_DATA_HOME "$@" HOME="$casa" "$lanzador" >"$DIR/salida.txt" 2>&1
}
# A home of the player's own.
casa_nueva() {
    mkdir -p "$1"
    chown "$jugador" "$1"
}

# Starts the game through the launcher (HOME $1), waits for its window and
# stops it; a busy X server may turn a new client away, so one more start
# is allowed.
juega() {
    local pid intento
    for intento in 1 2; do
        (lanza "$1") &
        pid=$!
        al_salir "kill $pid"
        if espera_ventana; then
            kill "$pid"
            espera_fin "$pid" 20
            espera '! xdotool search --name "^Zumbelo" >/dev/null 2>&1' 20
            return 0
        fi
        if kill -0 "$pid" 2>/dev/null; then
            kill "$pid"
            return 1
        fi
        echo "the game ended before its window (start $intento): $(grep -v '^ALSA' "$DIR/salida.txt" | tr '\n' ' ')"
    done
    return 1
}
bien_enlazado() {
    [ -L "$1/$2" ] && [ "$(readlink -f "$1/$2")" = "$(readlink -f "$datos/$2")" ]
}

# ---- A first start, a wrong link, a read-only home.
casa="$DIR/casa"
casa_nueva "$casa"
propio="$casa/.local/share/zumbelo"
juega "$casa" || falla "no game window at the first start"
for d in "$casa/.local" "$casa/.local/share" "$propio"; do
    [ "$(stat -c '%a %u' "$d" 2>/dev/null)" = "700 $jugador" ] ||
        falla "$d is '$(stat -c '%a %u' "$d" 2>/dev/null)', expected mode 700 and the player's"
done
for f in datos.dat patches.dat; do bien_enlazado "$propio" "$f" || falla "$f is not linked to the installed data"; done

ln -sfn /nonexistent/datos.dat "$propio/datos.dat"
juega "$casa" || falla "no game window after a wrong data link"
bien_enlazado "$propio" datos.dat || falla "a wrong data link was not put right"

chmod -R a-w "$casa"
juega "$casa" || falla "no game window in a read-only home with the right links: $(cat "$DIR/salida.txt")"
chmod -R u+w "$casa"

# ---- Places that are refused: the launcher ends with status 1 and writes
# nothing there. $1: what; $2: the home, whose
# .local/share/zumbelo is the player's directory; $3: a text the reason
# holds; the rest goes to lanza.
rechaza() {
    local que=$1 casa=$2 texto=$3
    shift 3
    local dir=$casa/.local/share/zumbelo antes pid
    antes=$(ls -A "$dir")
    : >"$DIR/mensajes.txt"
    (lanza "$casa" "$@") &
    pid=$!
    if ! espera_fin "$pid" 30; then
        kill -9 "$pid"  # the game it started, which may not heed a plain kill
        falla "$que: the launcher did not end"
        return
    fi
    [ "$ESTADO" = 1 ] || falla "$que: exit status $ESTADO, expected 1"
    [ "$(ls -A "$dir")" = "$antes" ] || falla "$que: the launcher wrote into the directory"
    grep -q "$texto" "$DIR/mensajes.txt" "$DIR/salida.txt" || falla "$que: no message saying '$texto'"
}
for modo in 777 770; do
    casa="$DIR/casa-$modo"
    casa_nueva "$casa"
    "${como_jugador[@]}" mkdir -p "$casa/.local/share/zumbelo"
    chmod "$modo" "$casa/.local/share/zumbelo"
    rechaza "mode $modo" "$casa" "others may write into the player's directory"
    grep -q "others may write" "$DIR/mensajes.txt" || falla "mode $modo: the reason was not shown in a window"
done
# Without a display the reason goes to standard error.
rechaza "mode 770 without a display" "$casa" "others may write" -u DISPLAY
grep -q "others may write" "$DIR/salida.txt" || falla "without a display the reason is not on standard error"
[ -s "$DIR/mensajes.txt" ] && falla "without a display a message window was tried"

casa="$DIR/casa-ajena"
casa_nueva "$casa"
"${como_jugador[@]}" mkdir -p "$casa/.local/share"
if [ -n "${como_jugador[*]}" ]; then
    mkdir "$casa/.local/share/zumbelo"  # root's, in nobody's home
    chmod 755 "$casa/.local/share/zumbelo"
    rechaza "a directory of root's" "$casa" "belongs to another user"
    # And root, in a directory that nobody has made.
    chown "$jugador" "$casa/.local/share/zumbelo"
    como=()
    rechaza "root in a directory of nobody's" "$casa" "belongs to another user"
    como=("${como_jugador[@]}")
else
    ln -s / "$casa/.local/share/zumbelo"  # root's
    rechaza "a directory of root's" "$casa" "belongs to another user"
fi

termina
