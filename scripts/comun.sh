# Shared by ./run and ./test: install what is missing, build, and find or
# start an X display. Sourced, not run.

ZUMBELO_PAQUETES="liballegro4-dev allegro4-doc cmake g++ make pkg-config libgtest-dev \
timgm6mb-soundfont libfreetype-dev fonts-dejavu-core xvfb xdotool x11-utils imagemagick sox python3"

# Installs the Debian packages the game needs that are not there yet.
instala_paquetes() {
    local faltan=""
    for p in $ZUMBELO_PAQUETES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan="$faltan $p"
    done
    [ -z "$faltan" ] && return 0
    echo "Installing:$faltan"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
    # shellcheck disable=SC2086
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $faltan
}

# Configures and builds everything (Release), the data files included.
compila() {
    cmake -S "$RAIZ" -B "$RAIZ/build" -DCMAKE_BUILD_TYPE=Release > /dev/null
    cmake --build "$RAIZ/build" -j "$(nproc)"
}

# True when $DISPLAY names an X server that answers.
hay_pantalla() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo > /dev/null 2>&1
}

# Starts a virtual X server on the first free display from :90 and exports
# DISPLAY; XVFB_PID holds its process.
arranca_xvfb() {
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 800x600x16 -nolisten tcp > /dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
        xdpyinfo > /dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on $DISPLAY" >&2
    return 1
}
