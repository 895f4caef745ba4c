# Shared by ./run and ./test: install what is missing, build, and find or
# start an X display. Sourced, not run.

# What ./run needs to build the game and its data and to play it, or its
# scripted tour on a virtual display without one. (dpkg-dev gives the build
# Debian's hardening flags, dpkg-buildflags.)
ZUMBELO_PAQUETES="liballegro4-dev cmake g++ make pkg-config dpkg-dev \
timgm6mb-soundfont libfreetype-dev zlib1g-dev fonts-dejavu-core fonts-dejavu-extra \
xvfb xdotool x11-utils imagemagick sox python3"
# What the test suite needs besides: GoogleTest, the fuzzers' compiler and
# runtime, the static checkers, valgrind, and the tools that check the
# installed game and its packages (cpack's dependency scan needs file).
ZUMBELO_PAQUETES_PRUEBAS="libgtest-dev clang libclang-rt-14-dev clang-tidy cppcheck valgrind \
desktop-file-utils file lintian appstream appstream-compose"

# Installs the Debian packages named (by default those the game needs) that
# are not there yet.
instala_paquetes() {
    local faltan=""
    for p in ${*:-$ZUMBELO_PAQUETES}; do
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

# Configures and builds (Release) the game and its data files, and the
# tests with -DBUILD_TESTING=ON; any arguments go to cmake's configure step.
compila() {
    cmake -S "$RAIZ" -B "$RAIZ/build" -DCMAKE_BUILD_TYPE=Release "$@" > /dev/null
    cmake --build "$RAIZ/build" -j "$(nproc)"
}

# Builds the game alone with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-san/, for the long-play tests.
compila_sanitizado() {
    cmake -S "$RAIZ" -B "$RAIZ/build-san" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUMBELO_SANITIZE=ON -DBUILD_TESTING=OFF > /dev/null
    cmake --build "$RAIZ/build-san" -j "$(nproc)" --target zumbelo
}

# True when $DISPLAY names an X server that answers.
hay_pantalla() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo > /dev/null 2>&1
}

# Starts a virtual X server on a display number the server picks itself and
# exports DISPLAY; XVFB_PID holds its process.
arranca_xvfb() {
    local f n
    f=$(mktemp /tmp/zumbelo-pantalla-XXXXXX)
    Xvfb -displayfd 3 -screen 0 800x600x16 -nolisten tcp -noreset 3>"$f" > /dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 200); do
        [ -s "$f" ] && break
        sleep 0.05
    done
    n=$(head -1 "$f")
    rm -f "$f"
    export DISPLAY=":$n"
    for _ in $(seq 100); do
        [ -n "$n" ] && xdpyinfo > /dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb did not start" >&2
    return 1
}
