#!/bin/bash
# Long play: random key presses for a given time against a build of the game
# (meant for the one with AddressSanitizer and UndefinedBehaviorSanitizer),
# on a virtual display of its own, with sound going through ALSA into nothing.
#
#   tools/aguante.sh SECONDS RUNDIR
#
# The keys come from a weighted set (arrows, Enter, Escape, space and a few
# letters), so play wanders through the menus, every setting (the key
# definition too), the hall of fame, the credits, many games with their pause
# box and name entry. A game that leaves through Exit is started again; a run
# ends after AGUANTE_TANDA seconds (default 30), steered to Exit from the
# main menu or the pause box, or else stopped by a signal, and the next one
# starts with the default keys. Fails on any other exit status, any sanitizer
# report (leaks at exit too, less those of tools/lsan.supp), a message box,
# or a game that stops answering: a screen unchanged for 20 s of key presses
# and after two sweeps of every key. AGUANTE_SEMILLA repeats a run's keys.
set -u
duracion=${1:?seconds}
run=$(cd "${2:?run directory}" && pwd)
raiz=$(cd "$(dirname "$0")/.." && pwd)
[ -x "$run/zumbelo" ] || { echo "no game in $run"; exit 1; }
. "$raiz/tests/apoyo.sh"
semilla=${AGUANTE_SEMILLA:-$(($(date +%s) % 32768))}
RANDOM=$semilla
tanda=${AGUANTE_TANDA:-30}

pantalla_propia || exit 1
dir_de_juego "$run" || exit 1
mensajero
sonido_a /dev/null
mkdir saneador
# Spanish, sound on, graphic set 0, in a window, no frame skipping; settings
# changed during play carry over to the next run, as they would for a player.
printf '\000\001\000\001\000' >zumbelo.cfg
export ASAN_OPTIONS="log_path=$DIR/saneador/asan:halt_on_error=1:detect_leaks=1:fast_unwind_on_malloc=0"
export UBSAN_OPTIONS="log_path=$DIR/saneador/ubsan:halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$raiz/tools/lsan.supp:print_suppressions=0"

# Menus move with Up and Down and act on Enter, so those come most; a handful
# of letters for names and strange key bindings.
teclas=()
pon() { local i; for ((i = 0; i < $2; i++)); do teclas+=("$1"); done; }
pon Down 20; pon Up 12; pon Left 7; pon Right 7; pon Return 20; pon Escape 8; pon space 5
for l in a s z q p m; do pon "$l" 2; done
todas=(Up Down Left Right Return Escape space a s z q p m)

arranques=0 salidas=0 guiadas=0 cortadas=0 pulsaciones=0
resumen() {
    echo "aguante: $((SECONDS - inicio)) s, $arranques starts ($salidas left through Exit, $guiadas steered" \
        "to Exit, $cortadas stopped), $pulsaciones key presses, seed $semilla"
}
fracasa() {
    local f
    for f in saneador/* mensajes.txt; do [ -s "$f" ] && { echo "== $f"; head -80 "$f"; }; done
    resumen
    aborta "$@"
}
# Steers to Exit with the default keys within 40 s, a key each time the
# screen is ready for it: Exit (or the settings' Back) on the sixth line of a
# menu, Abandon on the pause box's second, Escape on the road or the slope,
# and Escape or Enter out of the credits, the hall of fame or a name entry.
guia_a_salir() {
    local n l y hasta=$((SECONDS + 40))
    for ((n = 0; SECONDS < hasta; n++)); do
        kill -0 "$PID" 2>/dev/null || return 0
        l=$(linea)
        if [ -n "$l" ]; then
            pulsa "$([ "$l" = 5 ] && echo Return || echo Down)"
        elif caja_abierta; then
            y=$(de_pie 30x100+155+190)
            [ "$y" = 22 ] && pulsa Down
            [ "$y" = 72 ] && pulsa Return
        else
            pulsa "$([ $((n % 2)) = 0 ] && echo Escape || echo Return)"
        fi
        sleep 0.5
    done
    ! kill -0 "$PID" 2>/dev/null
}

while [ $((SECONDS - inicio)) -lt "$duracion" ]; do
    rm -f zumbelo.keys
    juega || fracasa "no game window"
    arranques=$((arranques + 1))
    desde=$SECONDS cambio=$SECONDS barridos=0 anterior="" final=""
    while kill -0 "$PID" 2>/dev/null; do
        if [ $((SECONDS - inicio)) -ge "$duracion" ] || [ $((SECONDS - desde)) -ge "$tanda" ]; then
            # No polite signal: the library's handler would shut the display
            # down from inside whatever the game was doing.
            if guia_a_salir; then final=guiada; else final=cortada; kill -9 "$PID"; fi
            break
        fi
        espera_ventana || fracasa "no game window for a minute"
        # One to three keys, a quarter to half a second apart.
        lote=()
        for ((k = RANDOM % 3; k >= 0; k--)); do lote+=("${teclas[RANDOM % ${#teclas[@]}]}"); done
        xdotool windowfocus --sync "$VENTANA" key --delay $((250 + RANDOM % 250)) "${lote[@]}" 2>/dev/null
        pulsaciones=$((pulsaciones + ${#lote[@]}))
        sleep 0.$((RANDOM % 3 + 1))
        huella=$(import -window root -crop 640x480+0+0 -scale 80x60 ppm:- 2>/dev/null | md5sum)
        if [ "$huella" != "$anterior" ]; then
            anterior=$huella cambio=$SECONDS barridos=0
        elif [ $((SECONDS - cambio)) -ge 20 ]; then
            [ "$barridos" -ge 2 ] && fracasa "the game stopped answering"
            barridos=$((barridos + 1)) cambio=$SECONDS
            pulsa "${todas[@]}"
        fi
    done
    wait "$PID"
    estado=$?
    for f in saneador/*; do [ -e "$f" ] && fracasa "sanitizer report (exit status $estado)"; done
    [ -s mensajes.txt ] && fracasa "the game showed a message"
    case $final/$estado in
    cortada/*) cortadas=$((cortadas + 1)) ;;
    guiada/0) guiadas=$((guiadas + 1)) ;;
    /0) salidas=$((salidas + 1)) ;;
    *) fracasa "the game ended with status $estado" ;;
    esac
done
resumen
