# Shared by the whole-program tests (tests/test_*.sh) and the tools that play
# the built game: a virtual display of the test's own, a working directory
# with the game's data files, the game's window and key presses. Sourced.

# Cleanup commands, run in reverse order when the script ends.
_limpieza=()
al_salir() { _limpieza+=("$1"); }
_limpia() {
    local i
    for ((i = ${#_limpieza[@]} - 1; i >= 0; i--)); do eval "${_limpieza[i]}" 2>/dev/null; done
}
trap _limpia EXIT

# Starts Xvfb on a display number the server picks itself, so that tests can
# run side by side without taking each other's focus; exports DISPLAY. It
# never resets when its last client leaves, so a game started right after
# another ended never meets a server in the middle of a reset.
# $1: the screen geometry (default 800x600x16).
pantalla_propia() {
    local f
    f=$(mktemp /tmp/zumbelo-pantalla-XXXXXX)
    Xvfb -displayfd 3 -screen 0 "${1:-800x600x16}" -nolisten tcp -noreset 3>"$f" >/dev/null 2>&1 &
    PANTALLA_PID=$!
    al_salir "kill $PANTALLA_PID"
    for _ in $(seq 200); do
        [ -s "$f" ] && break
        sleep 0.05
    done
    local n
    n=$(head -1 "$f")
    rm -f "$f"
    [ -n "$n" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$n"
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "Xvfb did not answer on $DISPLAY" >&2
    return 1
}

# Makes a fresh temporary working directory holding links to the game's data
# files, changes into it and removes it at the end. $1: the run directory.
dir_de_juego() {
    DIR=$(mktemp -d /tmp/zumbelo-prueba-XXXXXX)
    al_salir "rm -rf '$DIR'"
    ln -s "$1/datos.dat" "$DIR/datos.dat"
    ln -s "$1/patches.dat" "$DIR/patches.dat"
    cd "$DIR" || return 1
}

# Waits up to 20 s for the game's window; sets VENTANA.
espera_ventana() {
    VENTANA=""
    for _ in $(seq 100); do
        VENTANA=$(xdotool search --name '^Zumbelo' 2>/dev/null | head -1)
        [ -n "$VENTANA" ] && return 0
        sleep 0.2
    done
    return 1
}

# Presses each key given, with the focus on the game's window.
pulsa() {
    local k
    for k in "$@"; do
        xdotool windowfocus --sync "$VENTANA" 2>/dev/null
        xdotool key "$k"
        sleep "${PAUSA_TECLA:-0.35}"
    done
}

# Copies part of the screen into a picture. $1 WxH+X+Y, $2 the file.
recorte() {
    import -window root -crop "$1" +repage "$2" 2>/dev/null
}

# Whether part of the screen ($1) now looks exactly like a picture taken before ($2).
como() {
    recorte "$1" "${DIR:-/tmp}/.ahora.png" &&
        [ "$(compare -metric AE "${DIR:-/tmp}/.ahora.png" "$2" null: 2>&1)" = 0 ]
}

# Waits up to $3 s (default 30) until part of the screen ($1) holds still:
# two looks a third of a second apart alike, with more than four colours (not a
# fade). The look is left in the file $2.
espera_quieto() {
    local fin=$((SECONDS + ${3:-30}))
    while [ "$SECONDS" -lt "$fin" ]; do
        recorte "$1" "$2"
        sleep 0.3
        como "$1" "$2" && [ "$(identify -format %k "$2")" -gt 4 ] && return 0
    done
    return 1
}

# Waits up to $2 s until part of the screen ($1) no longer looks like the picture $3.
espera_cambio() {
    local fin=$((SECONDS + $2))
    while [ "$SECONDS" -lt "$fin" ]; do
        como "$1" "$3" || return 0
        sleep 0.2
    done
    return 1
}

# A stand-in for the library's message program: the text of every call (its
# last argument) is written to $DIR/mensajes.txt, and it ends at once. Puts it
# first on the PATH.
mensajero() {
    mkdir -p "$DIR/bin"
    printf '#!/bin/sh\nfor m; do :; done\nprintf "%%s\\n" "$m" >> "%s/mensajes.txt"\n' "$DIR" > "$DIR/bin/xmessage"
    chmod 755 "$DIR/bin/xmessage"
    export PATH="$DIR/bin:$PATH"
}

# Waits up to $2 s for the process $1 to end; ESTADO gets its exit status.
# Returns 1 (and leaves it running) when it does not end in time.
espera_fin() {
    local fin=$((SECONDS + $2))
    while kill -0 "$1" 2>/dev/null; do
        [ "$SECONDS" -ge "$fin" ] && return 1
        sleep 0.1
    done
    wait "$1"
    ESTADO=$?
    return 0
}

# The mean colour of part of the screen: "r g b", 0..255.
color() {
    import -window root -crop "$1" +repage png:- 2>/dev/null | convert - -scale 1x1! -depth 8 txt:- |
        sed -n '2s/[^(]*(\([0-9.]*\),\([0-9.]*\),\([0-9.]*\).*/\1 \2 \3/p'
}
# The top row of the red jacket of the walking pointer figure (of a menu or
# the pause box) within a part of the screen; empty when he is not there.
figura_en() {
    local g
    g=$(import -window root -crop "$1" +repage png:- 2>/dev/null |
        convert - -fx 'r > 0.55 && g < 0.35 && b < 0.35' -format '%@' info: 2>/dev/null)
    case $g in *x*+*+*) echo "${g##*+}" ;; esac
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
