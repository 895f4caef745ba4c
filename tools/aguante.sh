#!/bin/bash
# Long play: random key presses for a given time against a build of the game
# (meant for the one with AddressSanitizer and UndefinedBehaviorSanitizer),
# on a virtual display of its own, with sound going through ALSA into a file
# that is thrown away.
#
#   tools/aguante.sh SECONDS RUNDIR
#
# The keys come from a weighted set (arrows, Enter, Escape, space and a few
# letters), so play wanders through the main menu, the language switch, the
# settings (screen mode, sound, key definition, graphic set, frame skipping),
# the hall of fame, the credits, many games with their pause box and name
# entry. Whenever the game leaves through Exit (status 0) it is started again.
# A key definition can bind the keys strangely for the rest of a run, so a run
# is ended after AGUANTE_TANDA seconds (default 60): first by steering to Exit
# with the default keys, reading the screen, and if that does not work by a
# signal; the next run starts with the default keys again. Fails on any other exit status, any sanitizer report (each run logs
# into the temporary directory and stops at the first error; leaks at exit are
# reported too, less those of tools/lsan.supp), a message box, or a game that
# stops answering: a screen that does not change for 20 s of key presses, nor
# after two sweeps of every key of the set. AGUANTE_SEMILLA repeats a run's
# key choices; AGUANTE_TRAZA=file writes every key press with the screen it
# was given on. Prints a summary: seconds, starts (left through Exit by the
# random keys, steered to Exit, stopped), key presses, games seen (the road
# following a menu, from looks every two seconds).
set -u
duracion=${1:?seconds}
run=$(cd "${2:?run directory}" && pwd)
raiz=$(cd "$(dirname "$0")/.." && pwd)
juego="$run/zumbelo"
[ -x "$juego" ] || { echo "no game in $run"; exit 1; }
. "$raiz/tests/apoyo.sh"

semilla=${AGUANTE_SEMILLA:-$(( $(date +%s) % 32768 ))}
RANDOM=$semilla
tanda=${AGUANTE_TANDA:-60}
quieto=20            # seconds of key presses without a change before a sweep

pantalla_propia || exit 1
dir_de_juego "$run" || exit 1
inicio=$SECONDS

# Spanish, sound on, graphic set 0, in a window, no frame skipping; settings
# changed during play carry over to the next run, as they would for a player.
printf '\000\001\000\001\000' > zumbelo.cfg
printf 'pcm.!default { type file; slave.pcm "null"; file "/dev/null"; format "raw" }\n' > alsa.conf
export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$DIR/alsa.conf"
# A message box would wait for a click: a stand-in writes it down instead.
mkdir programas saneador
printf '#!/bin/sh\necho "$*" >> "%s/mensajes.txt"\n' "$DIR" > programas/xmessage
chmod +x programas/xmessage
export PATH="$DIR/programas:$PATH"
export ASAN_OPTIONS="log_path=$DIR/saneador/asan:halt_on_error=1:detect_leaks=1:fast_unwind_on_malloc=0"
export UBSAN_OPTIONS="log_path=$DIR/saneador/ubsan:halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$raiz/tools/lsan.supp:print_suppressions=0"

# The weighted key set: menus move with Up and Down and act on Enter, so those
# come most; a handful of letters for names and strange key bindings.
teclas=()
pon() { local i; for ((i = 0; i < $2; i++)); do teclas+=("$1"); done; }
pon Down 20; pon Up 12; pon Left 7; pon Right 7; pon Return 20; pon Escape 8; pon space 5
for l in a s z q p m; do pon "$l" 2; done
todas=(Up Down Left Right Return Escape space a s z q p m)

# Pictures to recognise the screen by, small: the title backdrop of every menu
# and the road of each graphic set.
convert "$raiz/docs/titulo.png" -scale 160x120 -depth 8 ref_titulo.ppm
convert "$raiz/docs/carretera0.png" -scale 160x120 -depth 8 ref_carretera0.ppm
convert "$raiz/docs/carretera1.png" -scale 160x120 -depth 8 ref_carretera1.ppm

arranques=0 salidas=0 guiadas=0 cortadas=0 pulsaciones=0 partidas=0
pid=""
al_salir '[ -n "$pid" ] && kill -9 $pid'

resumen() {
    echo "aguante: $((SECONDS - inicio)) s, $arranques starts ($salidas left through Exit, $guiadas steered" \
         "to Exit, $cortadas stopped), $pulsaciones key presses, $partidas games seen, seed $semilla"
}
falla() {
    echo "FAILED: $*"
    import -window root /tmp/zumbelo-aguante-fallo.png 2>/dev/null
    local f
    for f in saneador/* mensajes.txt; do [ -s "$f" ] && { echo "== $f"; head -80 "$f"; }; done
    echo "== game output (last lines)"; tail -20 salida.txt 2>/dev/null
    resumen
    exit 1
}

# The screen: SCREEN gets a fingerprint of it, ESTADO what it shows (titulo:
# a menu over the title backdrop, carretera: the road, otro: anything else).
parecido() {
    local d
    d=$(compare -metric AE -fuzz 12% muestra.ppm "$1" null: 2>&1)
    [ "${d%%.*}" -lt 6000 ] 2>/dev/null   # of 19200 small pixels
}
mira() {
    # In a window the game sits at the display's corner; full screen, in its middle.
    local donde=+0+0
    [ "$(od -An -tu1 -j3 -N1 zumbelo.cfg 2>/dev/null | tr -d ' ')" = 0 ] && donde=+80+60
    import -window root -crop "640x480$donde" +repage miff:- 2>/dev/null |
        convert - -scale 160x120 -depth 8 muestra.ppm 2>/dev/null || return 1
    HUELLA=$(md5sum < muestra.ppm)
    if parecido ref_titulo.ppm; then ESTADO=titulo
    elif parecido ref_carretera0.ppm || parecido ref_carretera1.ppm; then ESTADO=carretera
    else ESTADO=otro
    fi
}

ventana() { VENTANA=$(xdotool search --name '^Zumbelo' 2>/dev/null | head -1); [ -n "$VENTANA" ]; }
# Presses the keys given, a fraction of a second apart, on the game's window.
teclea() {
    { [ -n "${VENTANA:-}" ] || ventana; } || return 1
    xdotool windowfocus --sync "$VENTANA" key --delay "${RETRASO:-250}" "$@" 2>/dev/null ||
        { ventana && xdotool windowfocus --sync "$VENTANA" key --delay "${RETRASO:-250}" "$@" 2>/dev/null; }
    [ -n "${AGUANTE_TRAZA:-}" ] && echo "$((SECONDS - inicio)) ${ESTADO:-} $*" >> "$AGUANTE_TRAZA"
    pulsaciones=$((pulsaciones + $#))
}

# Steers back to Exit with the default keys, reading the screen, for up to
# 40 s: the pause box's abandon in a game, any key out of the credits, and
# five steps down and Enter in a menu over the title backdrop, which also ends
# a name entry, leaves the settings through Back and the main menu through Exit.
guia_a_salir() {
    local hasta=$((SECONDS + 40))
    while [ $SECONDS -lt $hasta ] && kill -0 "$pid" 2>/dev/null; do
        mira || { sleep 1; continue; }
        case $ESTADO in
        titulo) RETRASO=450 teclea Down Down Down Down Down; sleep 0.5; teclea Return ;;
        carretera) RETRASO=900 teclea Escape Down Return ;;
        otro) teclea Escape; sleep 1; mira && [ "$ESTADO" = otro ] && RETRASO=900 teclea Escape Down Return ;;
        esac
        sleep 3
    done
    ! kill -0 "$pid" 2>/dev/null
}

while [ $((SECONDS - inicio)) -lt "$duracion" ]; do
    # Every start with the default keys: the game keeps the keys a random key
    # definition gave, and steering to Exit needs the defaults.
    rm -f zumbelo.keys
    "$juego" >> salida.txt 2>&1 &
    pid=$!
    arranques=$((arranques + 1))
    desde=$SECONDS
    cambio=$SECONDS
    visto=$SECONDS
    barridos=0
    miradas=0
    anterior=""
    ultimo=""
    cortada=0
    guiada=0
    while kill -0 "$pid" 2>/dev/null; do
        if [ $((SECONDS - inicio)) -ge "$duracion" ] || [ $((SECONDS - desde)) -ge "$tanda" ]; then
            if guia_a_salir; then
                guiada=1
            else
                # No polite signal: the library's handler would shut down the
                # display from inside whatever the game was doing.
                cortada=1
                kill -9 "$pid" 2>/dev/null
            fi
            break
        fi
        if ! ventana; then
            [ $((SECONDS - visto)) -gt 40 ] && falla "no game window for 40 s"
            sleep 0.3
            continue
        fi
        visto=$SECONDS
        # One to three keys at a time, a quarter to half a second apart.
        n=$((RANDOM % 3 + 1))
        lote=()
        for ((k = 0; k < n; k++)); do lote+=("${teclas[RANDOM % ${#teclas[@]}]}"); done
        RETRASO=$((250 + RANDOM % 250)) teclea "${lote[@]}"
        sleep 0.$((RANDOM % 3 + 1))

        # A look at the screen every two seconds.
        [ "$SECONDS" -lt "$((miradas + 2))" ] && continue
        miradas=$SECONDS
        mira || continue
        if [ "$HUELLA" != "$anterior" ]; then
            anterior=$HUELLA
            cambio=$SECONDS
            barridos=0
        fi
        # A game has started when the road follows a menu.
        if [ "$ESTADO" != otro ] && [ "$ESTADO" != "$ultimo" ]; then
            [ "$ESTADO" = carretera ] && [ "$ultimo" = titulo ] && partidas=$((partidas + 1))
            ultimo=$ESTADO
        fi
        if [ $((SECONDS - cambio)) -ge "$quieto" ]; then
            [ "$barridos" -ge 2 ] && falla "the game stopped answering (screen unchanged for $quieto s, after two sweeps of every key)"
            barridos=$((barridos + 1))
            RETRASO=400 teclea "${todas[@]}"
            cambio=$SECONDS
        fi
    done
    wait "$pid"
    estado=$?
    pid=""
    for f in saneador/*; do [ -e "$f" ] && falla "sanitizer report (exit status $estado)"; done
    [ -s mensajes.txt ] && falla "the game showed a message"
    if [ "$cortada" = 1 ]; then
        cortadas=$((cortadas + 1))
    elif [ "$estado" = 0 ] && [ "$guiada" = 1 ]; then
        guiadas=$((guiadas + 1))
    elif [ "$estado" = 0 ]; then
        salidas=$((salidas + 1))
    else
        falla "the game ended with status $estado"
    fi
done
resumen
