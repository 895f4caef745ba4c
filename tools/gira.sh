#!/bin/bash
# A scripted tour of the built game under a virtual display of its own: the
# title in Spanish, the language switch (English title), the settings, the
# hall of fame, the credits, then a game: a few seconds of road, down to the
# ski-hire shop and back up, a few seconds of skiing, the pause box, abandon,
# the name entry if the score made the table, and Exit. It saves a picture
# of each screen into DESTINO and, with sound on, the game's mixed output as
# DESTINO/sonido.wav, and ends with status 0 when the game left through Exit.
#
# Usage: tools/gira.sh [-r RUN_DIR] [-m] [-s FILE.wav] [-c] DESTINO
#   -r  the directory of the built game (default build/run of this tree)
#   -m  sound off: no audio capture
#   -s  where to write the audio capture (default DESTINO/sonido.wav)
#   -c  every screen: also the key definition, a turn on the slope and a
#       second game played until the money runs out (the game-over screen)
# Needs Xvfb, xdotool, ImageMagick, sox and python3.
set -u
raiz=$(cd "$(dirname "$0")/.." && pwd)
run="$raiz/build/run"
sonido=1
wav=""
completa=0
while getopts "r:ms:c" o; do
    case $o in
    r) run=$OPTARG ;;
    m) sonido=0 ;;
    s) wav=$(realpath -m "$OPTARG") ;;
    c) completa=1 ;;
    *) echo "usage: $0 [-r RUN_DIR] [-m] [-s FILE.wav] [-c] DESTINO" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[ $# = 1 ] || { echo "usage: $0 [-r RUN_DIR] [-m] [-s FILE.wav] [-c] DESTINO" >&2; exit 2; }
mkdir -p "$1" || exit 1
destino=$(cd "$1" && pwd)
run=$(cd "$run" 2>/dev/null && pwd) || { echo "no run directory" >&2; exit 1; }
[ -x "$run/zumbelo" ] && [ -e "$run/datos.dat" ] || { echo "build the game first: no $run/zumbelo" >&2; exit 1; }
[ -n "$wav" ] || wav="$destino/sonido.wav"
carretera="$raiz/docs/carretera0.png"   # the bare road of graphic set 0

. "$raiz/tests/apoyo.sh"
pantalla_propia 640x480x16 || exit 1    # the game's window is the whole screen
dir_de_juego "$run" || exit 1
mkdir sin-programas                     # no xmessage: a message goes to salida.txt
inicio=$SECONDS
py=python3
[ -x /usr/bin/python3 ] && py=/usr/bin/python3   # straight, not through a version manager's shim

# Spanish, sound (or not), graphic set 0, in a window, no frame skipping.
if [ "$sonido" = 1 ]; then
    printf '\000\001\000\001\000' > zumbelo.cfg
    # ALSA's file sink on the null device: the mix arrives faster than it
    # plays, so the pipe is drained at 44100 stereo frames a second (Allegro
    # writes unsigned 16-bit stereo at 44100 Hz) and the game is held to
    # real time.
    cat > ritmo.py <<'EOF'
import sys, time
salida = open(sys.argv[1], "wb")
ritmo = 44100 * 4
inicio = time.monotonic()
n = 0
while True:
    bloque = sys.stdin.buffer.read1(8192)
    if not bloque:
        break
    salida.write(bloque)
    n += len(bloque)
    adelanto = n / ritmo - (time.monotonic() - inicio)
    if adelanto > 0:
        time.sleep(adelanto)
salida.close()
EOF
    printf 'pcm.!default { type file; slave.pcm "null"; file "|python3 %s %s"; format "raw" }\n' \
        "$DIR/ritmo.py" "$DIR/sonido.raw" > alsa.conf
    export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$DIR/alsa.conf"
else
    printf '\000\000\000\001\000' > zumbelo.cfg
fi
rm -f "$destino"/*.png

PATH="$DIR/sin-programas:$PATH" "$run/zumbelo" > salida.txt 2>&1 &
juego=$!
al_salir "kill $juego"
falla() {
    echo "tour stopped: $*" >&2
    import -window root "$destino/fallo.png" 2>/dev/null
    grep -v '^ALSA lib' salida.txt >&2
    exit 1
}
espera_ventana || falla "no game window"

foto() { import -window root "$destino/$1.png" 2>/dev/null && echo "  $1.png"; }
recorte() { import -window root -crop "$1" +repage "$2" 2>/dev/null; }
# Pixels that differ between two pictures (a fuzz of a few per cent).
diferentes() { compare -metric AE -fuzz "${3:-5}%" "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
# Whether part of the screen now looks like a picture taken before.
como() { recorte "$1" ahora.png && [ "$(diferentes ahora.png "$2" 2)" -le "${3:-0}" ]; }
# Waits up to $3 half-seconds until a part of the screen holds still and is
# not a plain colour, and keeps it in $2.
quieta() {
    local n
    for ((n = 0; n < $3; n++)); do
        recorte "$1" "$2"
        sleep 0.5
        como "$1" "$2" && [ "$(identify -format %k "$2")" -gt 4 ] && return 0
    done
    return 1
}
# Waits until a part of the screen holds still looking unlike picture $2.
cambia() {
    local n
    for ((n = 0; n < $4; n++)); do
        quieta "$1" "$3" 1 && [ "$(diferentes "$3" "$2" 2)" -gt 50 ] && return 0
    done
    return 1
}
opciones=150x125+150+225   # the main menu's option list
titulo=300x100+330+10       # the title lines
en_menu() { como "$opciones" menu_en.png 10; }
espera_menu() { local n; for ((n = 0; n < $1; n++)); do en_menu && return 0; sleep 0.5; done; return 1; }

echo "Tour of the game ($run):"
quieta "$opciones" menu_es.png 60 || falla "the main menu never settled"
quieta "$titulo" titulo.png 10 || falla "the title never settled"
espera '[ "$(linea)" = 0 ]' || falla "no pointer figure beside the menu"
foto menu_es
elige 1 || falla "the pointer did not reach the language line"
cambia "$opciones" menu_es.png menu_en.png 20 || falla "the language did not change"
quieta "$titulo" titulo.png 10 || falla "the title never settled"   # now in English
foto menu_en
elige 2 || falla "the pointer did not reach the settings line"
cambia "$opciones" menu_en.png ajustes.png 20 || falla "no settings menu"
foto opciones
if [ "$completa" = 1 ]; then
    elige 2 || falla "the pointer did not reach the keys line"   # the same six again, in order
    for t in Up Down Left Right Return Escape; do
        i=$((${i:--1} + 1))
        espera "accion_pedida $i" 20 || falla "the key definition did not ask for action $i"
        [ "$i" = 5 ] && foto teclas
        pulsa "$t"
    done
    quieta "$opciones" ajustes.png 20 || falla "the settings did not come back"
fi
elige 5 || falla "the pointer did not reach the line back"
espera_menu 30 || falla "the main menu did not come back from the settings"
elige 3 || falla "the pointer did not reach the hall of fame line"
cambia "$opciones" menu_en.png tabla.png 20 || falla "no hall of fame"
foto records
pulsa space
espera_menu 30 || falla "the main menu did not come back from the hall of fame"
elige 4 || falla "the pointer did not reach the credits line"   # a roll over their own picture
for _ in $(seq 40); do como "$titulo" titulo.png 200 || break; sleep 0.25; done
como "$titulo" titulo.png 200 && falla "no credits"
sleep 5                                    # the first lines roll up
foto creditos
pulsa space
espera_menu 40 || falla "the main menu did not come back from the credits"

# --- A game -----------------------------------------------------------------
# The bare road is known: a vehicle or the hero is whatever differs from it.
convert "$carretera" carretera.ppm
convert "$carretera" -crop 640x30+0+20 +repage acera_ref.png
convert "$carretera" -crop 640x34+0+428 +repage tienda_ref.png
convert "$carretera" -crop 640x5+0+221 +repage mediana_ref.png
# The road is on screen: the strip between the carriageways, where no
# vehicle ever drives, is the picture's own (the hero may be on it).
en_carretera() { como 640x5+0+221 mediana_ref.png 200; }
# The slope is white from side to side; the road is dark asphalt.
en_pista() {
    [ "$(import -window root -crop 640x300+0+100 +repage png:- 2>/dev/null |
        convert - -colorspace gray -format '%[fx:mean > 0.8 ? 1 : 0]' info:)" = 1 ]
}
# The middle column of the hero in a strip of the screen (640 wide), told
# against the bare road; empty when he is not there. The middle, since his
# pictures have blank columns at their sides.
heroe_en() {
    recorte "$1" tira.png
    local g
    g=$(compare -fuzz 8% "$2" tira.png -compose src -highlight-color white -lowlight-color black png:- 2>/dev/null |
        convert - -format '%@' info: 2>/dev/null)
    case $g in
    *x*+*+*) local ancho=${g%%x*} x=${g#*+}; x=${x%%+*}
        [ "$ancho" -ge 8 ] && [ "$ancho" -le 70 ] && echo $((x + ancho / 2)) ;;
    esac
}
arriba() { heroe_en 640x30+0+20 acera_ref.png; }
abajo() { heroe_en 640x34+0+428 tienda_ref.png; }
# Waits for a gap in the traffic and sends the hero across ($1 "baja" from
# the top, "sube" from the shop; $2 his middle column); sets CRUCE to what
# came of it (tienda, pista, accidente, nada), with the screen of a
# purchase or of the slope in cruce.ppm.
cruza() {
    local r
    xdotool windowfocus --sync "$VENTANA" 2>/dev/null
    r=$("$py" "$raiz/tools/hueco.py" carretera.ppm "$1" "$2" 20 cruce.ppm)
    [ "${r% *}" = hueco ] || echo "  (no gap in the traffic: crossing all the same)"
    CRUCE=${r#* }
}
# After an ambulance fee: waits until the ambulance has crossed, when the
# status line loses its red band.
tras_accidente() {
    local n
    for ((n = 0; n < 40; n++)); do
        sleep 0.5
        color 640x1+0+6 | awk '{ exit !($1 > 100 && $1 > $3 + 60 && $1 > $2 + 40) }' || return 0
    done
    return 1
}
# The hero stands still at the top in front of the shop's door (his left
# edge within 281..309, his middle some 20 pixels right of it): a walk left
# or right, then down and up, which stops him there.
a_la_puerta() {
    local n x
    for ((n = 0; n < 8; n++)); do
        x=$(arriba)
        [ -n "${GIRA_TRAZA:-}" ] && echo "  (hero's middle at ${x:-?})" >&2
        [ -n "$x" ] || { sleep 0.5; continue; }
        [ "$x" -ge 306 ] && [ "$x" -le 324 ] && { echo "$x"; return 0; }
        # One xdotool for the whole move, so the walk lasts as long as asked.
        # A few pixels down and back up stop him: up alone does nothing on
        # the top row, where an accident leaves him.
        xdotool windowfocus --sync "$VENTANA" 2>/dev/null
        xdotool key "$([ "$x" -gt 315 ] && echo Left || echo Right)" \
            sleep "$(echo "scale=3; ($x - 315) / 200" | bc | tr -d -)" key --delay 40 Down Up
        sleep 0.5
    done
    return 1
}

# The game-over message on its red band at row 200, or the title already back.
perdida() {
    { color 200x12+220+202 | awk '{ exit !($1 > 150 && $2 < 100 && $3 < 100) }' && en_pista; } ||
        como "$titulo" titulo.png 200
}
# After a game: a score above the table's last asks for a name over the
# title picture ($1, or Enter alone when empty); then the main menu.
tras_partida() {
    local n
    for ((n = 0; n < 60; n++)); do
        en_menu && return 0
        if como "$titulo" titulo.png 200 && quieta "$opciones" nombre.png 1; then
            [ -n "$1" ] && foto enhorabuena
            xdotool windowfocus --sync "$VENTANA" 2>/dev/null
            [ -n "$1" ] && xdotool type --delay 80 "$1"
            pulsa Return
            break
        fi
        sleep 0.5
    done
    espera_menu 40
}
# Whether the game goes on after an accident: the road again, not the
# game-over message.
sigue() {
    local n
    for ((n = 0; n < 30; n++)); do
        perdida && return 1
        en_carretera && return 0
        sleep 0.3
    done
    return 1
}
empieza() {
    elige 0 || return 1                    # Start
    local n
    for ((n = 0; n < 60; n++)); do en_carretera && return 0; sleep 0.25; done
    return 1
}

empieza || falla "no road"
sleep 1.5
foto carretera

# Down to the shop: at the door, wait for a gap, walk down; the purchase
# shows its price on a blue status line. An accident puts him back on top.
comprado=0
terminada=0
hasta=$((SECONDS + 100))   # the road may take this long; then the pause is on the road
for intento in 1 2 3 4 5; do
    [ "$SECONDS" -lt "$hasta" ] || break
    x=$(a_la_puerta) || { echo "  (the hero is not at the door; again)"; sleep 1; continue; }
    cruza baja "$x"
    case $CRUCE in
    tienda) comprado=1; convert cruce.ppm "$destino/tienda.png"; echo "  tienda.png"; break ;;
    accidente) echo "  (run over on the way down)"; tras_accidente ;;
    *) echo "  (no purchase at the door)"; break ;;
    esac
    sigue || { terminada=1; break; }
done

# Back up with the skis; reaching the top starts the slope. An accident puts
# him back at the shop with his skis.
esquiando=0
if [ "$comprado" = 1 ]; then
    sleep 1.2
    for intento in 1 2 3 4 5; do
        [ "$SECONDS" -lt "$hasta" ] || break
        x=$(abajo)
        cruza sube "${x:-315}"
        case $CRUCE in
        pista) esquiando=1; break ;;
        accidente) echo "  (run over on the way up)"; tras_accidente ;;
        *) sleep 1; en_pista && { esquiando=1; break; } ;;
        esac
        sigue || { terminada=1; break; }
    done
fi
if [ "$esquiando" = 1 ]; then
    sleep 3
    foto pista
    if [ "$completa" = 1 ]; then
        pulsa Left
        sleep 1
        foto pista_giro
    fi
else
    echo "  the hero never reached the slope this time: no pista.png; the pause is on the road"
fi
if [ "$terminada" = 1 ]; then
    echo "  (the money ran out: another game for the pause box)"
    tras_partida "" || falla "the main menu did not come back after the game over"
    empieza || falla "no road in the second game"
    sleep 1
fi

# The pause box, then abandon the game from it.
# It is seen open before its cursor walks down to Abandon.
pulsa Escape
espera caja_abierta 10 && sleep 0.8 && foto pausa
abandona || falla "the game was not abandoned from the pause box"
tras_partida Ventisca || falla "the main menu did not come back after the game"

if [ "$completa" = 1 ]; then
    # Another game, walked into the traffic until the money runs out.
    pulsa Return
    for _ in $(seq 60); do en_carretera && break; sleep 0.25; done
    fin=0
    for _ in $(seq 120); do
        pulsa Down
        sleep 1
        pulsa Up
        # The game-over message stands on a red band at row 200.
        if perdida; then
            sleep 0.5
            foto fin
            fin=1
            break
        fi
    done
    [ "$fin" = 1 ] || falla "the money never ran out"
    # Five seconds of game over, the fade, then perhaps a name (an empty one).
    tras_partida "" || falla "the main menu did not come back after the game over"
fi

elige 5 || falla "the pointer did not reach the Exit line"
for _ in $(seq 100); do kill -0 "$juego" 2>/dev/null || break; sleep 0.2; done
kill -0 "$juego" 2>/dev/null && falla "the game did not leave through Exit"
wait "$juego"
estado=$?
[ "$estado" = 0 ] || falla "the game ended with status $estado"

if [ "$sonido" = 1 ]; then
    sox -t raw -r 44100 -e unsigned -b 16 -c 2 -L sonido.raw -e signed "$wav" || falla "no audio"
    sox "$wav" -n stat 2> stat.txt
    awk -F: '/Length/ { l = $2 } /RMS +amplitude/ { r = $2 } /Maximum amplitude/ { p = $2 }
        END { printf "  audio: %.1f s, RMS %.4f, peak %.4f\n", l, r, p }' stat.txt
fi
echo "tour completed in $((SECONDS - inicio)) s"
