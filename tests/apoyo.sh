# Shared by the whole-program tests (tests/test_*.sh) and the tools that play
# the built game: a virtual display of the script's own, a working directory
# with the game's data, the game started there, key presses given when the
# game shows it is ready for them, and looks at the screen. Sourced.
RAIZ_FUENTES=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Cleanup commands, run in reverse order when the script ends.
_limpieza=()
al_salir() { _limpieza+=("$1"); }
_limpia() {
    local i
    for ((i = ${#_limpieza[@]} - 1; i >= 0; i--)); do eval "${_limpieza[i]}" 2>/dev/null; done
}
trap _limpia EXIT

# Faults: falla counts one and goes on; aborta keeps the screen in
# /tmp/zumbelo-SCRIPT-fallo.png and ends; termina reports and ends.
fallos=0
inicio=$SECONDS
falla() { echo "FALLO: $*"; fallos=$((fallos + 1)); }
aborta() {
    falla "$@"
    [ -n "${DISPLAY:-}" ] && import -window root "/tmp/zumbelo-$(basename "$0" .sh)-fallo.png" 2>/dev/null
    [ -s "${DIR:-/nonexistent}/salida.txt" ] && grep -v '^ALSA' "$DIR/salida.txt" | tail -5
    exit 1
}
termina() {
    echo "$(basename "$0" .sh): $fallos faults in $((SECONDS - inicio)) s"
    exit "$fallos"
}

# Waits up to $2 s (default 60) until the command $1 succeeds, looking five
# times a second. The time only ends a wait that is truly stuck.
espera() {
    local _fin
    _fin=$(awk -v a="$EPOCHREALTIME" -v b="${2:-60}" 'BEGIN { printf "%.0f", (a + b) * 1000000 }')
    until eval "$1"; do
        [ "${EPOCHREALTIME/./}" -lt "$_fin" ] || return 1
        sleep 0.2
    done
}

# Starts Xvfb on a display number the server picks itself, so scripts run side
# by side without taking each other's focus, and exports DISPLAY. It never
# resets between clients, so a game started right after another meets a
# ready server. $1: the screen (default 640x480x16, where the game's picture
# lies at the corner both in a window and full screen).
pantalla_propia() {
    local f
    f=$(mktemp /tmp/zumbelo-pantalla-XXXXXX)
    Xvfb -displayfd 3 -screen 0 "${1:-640x480x16}" -nolisten tcp -noreset 3>"$f" >/dev/null 2>&1 &
    PANTALLA_PID=$!
    al_salir "kill $PANTALLA_PID"
    espera '[ -s "$f" ]' 30 || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(head -1 "$f")"
    rm -f "$f"
    espera 'xdpyinfo >/dev/null 2>&1' 30 || { echo "Xvfb did not answer on $DISPLAY" >&2; return 1; }
}

# A fresh working directory DIR, the current one, open to every user and
# removed at the end, with links to the data of the run directory $1; JUEGO
# is its game.
dir_de_juego() {
    DIR=$(mktemp -d /tmp/zumbelo-prueba-XXXXXX)
    al_salir "chmod -R u+w '$DIR'; rm -rf '$DIR'"
    chmod 755 "$DIR"
    ln -s "$1/datos.dat" "$1/patches.dat" "$DIR/"
    JUEGO=$1/zumbelo
    cd "$DIR" || return 1
}

# A stand-in for the library's message program, first on the PATH: the text
# of every call (its last argument) goes to $DIR/mensajes.txt.
mensajero() {
    mkdir -p "${DIR:?no working directory}/bin"
    printf '#!/bin/sh\nfor m; do :; done\nprintf "%%s\\n" "$m" >> "%s/mensajes.txt"\n' "$DIR" >"$DIR/bin/xmessage"
    chmod 755 "$DIR/bin" "$DIR/bin/xmessage"
    export PATH="$DIR/bin:$PATH"
}
# Whether a message was shown.
sin_mensajes() { [ ! -s "$DIR/mensajes.txt" ] || falla "a message was shown: $(cat "$DIR/mensajes.txt")"; }

# The game's sound through ALSA into the file (or "|command") $1, no sound card needed.
sonido_a() {
    printf 'pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n' "$1" >"$DIR/alsa.conf"
    export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$DIR/alsa.conf"
}

# Starts the game ($JUEGO, or the command given) in the current directory, its
# output added to $DIR/salida.txt, and waits for its window; PID is its process.
juega() {
    "${@:-$JUEGO}" >>"${DIR:-.}/salida.txt" 2>&1 &
    PID=$!
    al_salir "kill $PID"
    espera_ventana
}
# Waits for the game's window; VENTANA is it.
espera_ventana() {
    espera 'VENTANA=$(xdotool search --name "^Zumbelo" 2>/dev/null | head -1); [ -n "$VENTANA" ]' 60
}
# Waits up to $2 s for the process $1 to end; ESTADO is its exit status.
espera_fin() {
    local p=$1
    espera '! kill -0 "$p" 2>/dev/null' "$2" || return 1
    wait "$p"
    ESTADO=$?
}
# Chooses Exit and checks the game ends with status 0.
sal() {
    elige 5 || aborta "the pointer did not reach Exit"
    espera_fin "$PID" 30 || aborta "the game did not end after Exit"
    [ "$ESTADO" = 0 ] || falla "exit status $ESTADO after Exit"
}

# Presses the keys given on the game's window; with PULSO each is held that
# many seconds, for a game too slow to see a bare tap (under valgrind).
pulsa() {
    local k
    xdotool windowfocus --sync "$VENTANA" 2>/dev/null
    if [ -z "${PULSO:-}" ]; then xdotool key "$@"; return; fi
    for k; do xdotool keydown "$k" sleep "$PULSO" keyup "$k"; done
}

# Copies part of the screen, WxH+X+Y, into a picture.
recorte() { import -window root -crop "$1" +repage "$2" 2>/dev/null; }
# Whether part of the screen ($1) looks like a picture taken before ($2), to
# within $3 pixels (default none).
como() {
    recorte "$1" "${DIR:-/tmp}/.ahora.png" &&
        [ "$(compare -metric AE "${DIR:-/tmp}/.ahora.png" "$2" null: 2>&1 | cut -d' ' -f1)" -le "${3:-0}" ]
}
# Waits up to $3 s (default 60) until part of the screen ($1) holds still: two
# looks in a row alike, with more than four colours (not a fade). The look is
# left in the picture $2.
espera_quieto() {
    local z=$1 f=$2
    recorte "$z" "$f"
    # Still: the screen as at the last look; else this look is the next one's picture.
    espera 'como "$z" "$f" && [ "$(identify -format %k "$f")" -gt 4 ] || { recorte "$z" "$f"; false; }' "${3:-60}"
}
# The mean colour of part of the screen: "r g b", 0..255.
color() {
    import -window root -crop "$1" +repage png:- 2>/dev/null | convert - -scale 1x1! -depth 8 txt:- |
        sed -n '2s/[^(]*(\([0-9.]*\),\([0-9.]*\),\([0-9.]*\).*/\1 \2 \3/p'
}
# Whether something is written over the title backdrop in part $1 of the
# screen: more than $2 pixels (default 100) unlike the bare picture.
escrito() {
    local d
    recorte "$1" "${DIR:-/tmp}/.escrito.png" || return 1
    d=$(compare -metric AE -fuzz 10% "${DIR:-/tmp}/.escrito.png" "$RAIZ_FUENTES/docs/titulo.png[$1]" null: 2>&1)
    [ "${d%%.*}" -gt "${2:-100}" ] 2>/dev/null
}
# The road is on screen: its status line, white text on the pavement, warmer
# than the plain white of the sweep that opens the phase.
en_carretera() { color 640x1+0+6 | awk '{ exit !($1 > 150 && $2 > 150 && $3 > 100 && $3 < 230 && $1 > $3 + 10) }'; }

# The red jacket of the walking pointer figure of the menus and the pause box
# within part $1 of the screen, as WxH+X+Y; empty when he is not there.
chaqueta() {
    import -window root -crop "$1" +repage png:- 2>/dev/null |
        convert - -fx 'r > 0.55 && g < 0.35 && b < 0.35' -format '%@' info: 2>/dev/null | grep '^[0-9]*x[0-9]*+'
}
# The top row of the jacket in part $1 while the figure stands facing the
# options, as he does once the keys pressed on his way are dropped and keys
# are read again; empty while he walks. Graphic set 0, then set 1.
de_pie() {
    local g
    g=$(chaqueta "$1")
    case $g in 9x9+25+* | 5x8+25+* | 13x24+21+*) echo "${g##*+}" ;; esac
}
# The line of the main or the settings menu (0 the first, 27 rows apart) the
# pointer stands at, ready for a key; empty while he walks.
linea() {
    local y
    y=$(de_pie 40x220+95+215) && [ -n "$y" ] && echo $(((y - 13) / 27))
}
# Walks the pointer to line $1 of the menu, one key each time he stands
# ready, and chooses it.
elige() {
    local l n
    for ((n = 0; n < 20; n++)); do
        espera 'l=$(linea); [ -n "$l" ]' || return 1
        [ "$l" = "$1" ] && { pulsa Return; return 0; }
        pulsa "$([ "$l" -lt "$1" ] && echo Down || echo Up)"
        espera '[ "$(linea)" != "$l" ]' 20
    done
    return 1
}

# The key definition asks for action $1 (0 the first): its name is written
# under the others, and nothing is left of the settings.
accion_pedida() { escrito "200x12+220+$((281 + 24 * $1))" 50 && ! escrito 90x140+140+265 50; }

# The pause box is open: its see-through frame is yellow.
caja_abierta() { color 8x140+131+170 | awk '{ exit !($1 > $3 + 60 && $2 > $3 + 60) }'; }
# In a game: opens the pause box (again should an accident have emptied the
# key buffer), walks its cursor to the second line and abandons the game.
abandona() {
    local n
    for ((n = 0; n < 20; n++)); do
        caja_abierta && break
        pulsa Escape
        espera caja_abierta 3 && break
    done
    espera '[ "$(de_pie 30x100+155+190)" = 22 ]' && pulsa Down &&
        espera '[ "$(de_pie 30x100+155+190)" = 72 ]' && pulsa Return && espera '! caja_abierta'
}

# The share of one core, in percent, that the process $1 uses (processor
# time, user and system, of all its threads) over $2 seconds of wall time.
reparto_cpu() {
    local a b t0 t1
    t0=$(date +%s%N)
    a=$(awk '{ print $14 + $15 }' "/proc/$1/stat") || return 1
    sleep "$2"
    b=$(awk '{ print $14 + $15 }' "/proc/$1/stat") || return 1
    t1=$(date +%s%N)
    echo $(((b - a) * 100000000000 / ($(getconf CLK_TCK) * (t1 - t0))))
}
