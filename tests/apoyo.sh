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
# run side by side without taking each other's focus; exports DISPLAY.
# $1: the screen geometry (default 800x600x16).
pantalla_propia() {
    local f
    f=$(mktemp /tmp/zumbelo-pantalla-XXXXXX)
    Xvfb -displayfd 3 -screen 0 "${1:-800x600x16}" -nolisten tcp 3>"$f" >/dev/null 2>&1 &
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

# The colour of one screen pixel as "r g b" (0..255). $1 x, $2 y.
pixel() {
    import -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- 2>/dev/null |
        sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}
