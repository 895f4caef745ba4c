#!/bin/bash
# Plays the built game under a virtual display and captures every screen
# into docs/pantallas/: the title and main menu in both languages, the
# settings, the key definition, the hall of fame, the credits, the road, the
# pause box, the ski slope, the congratulations and the game-over screen.
# Needs the game built (./run or cmake) and Xvfb, xdotool and ImageMagick.
# With SONIDO=file.raw the game plays with sound on and its mixed output
# (16-bit) is written to that file through ALSA, to be measured with sox.
set -u
raiz=$(cd "$(dirname "$0")/.." && pwd)
run="$raiz/build/run"
destino="$raiz/docs/pantallas"
[ -x "$run/zumbelo" ] || { echo "build the game first (./run or cmake --build build)"; exit 1; }
mkdir -p "$destino"

dir=$(mktemp -d /tmp/zumbelo-capturas-XXXXXX)
pid=""
xvfb=""
limpia() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$dir"
}
trap limpia EXIT

n=80
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 640x480x16 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n"
sleep 1

cd "$dir" || exit 1
ln -s "$run/datos.dat" datos.dat
ln -s "$run/patches.dat" patches.dat
# Spanish, sound off (on with SONIDO), graphic set 0, in a window, no frame skipping.
if [ -n "${SONIDO:-}" ]; then
    printf '\000\001\000\001\000' > zumbelo.cfg
    printf 'pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n' "$SONIDO" > alsa.conf
    export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$dir/alsa.conf"
else
    printf '\000\000\000\001\000' > zumbelo.cfg
fi
"$run/zumbelo" >salida.txt 2>&1 &
pid=$!

ventana=""
for _ in $(seq 100); do
    ventana=$(xdotool search --name '^Zumbelo' 2>/dev/null | head -1)
    [ -n "$ventana" ] && break
    sleep 0.2
done
[ -n "$ventana" ] || { echo "no game window"; exit 1; }

pulsa() {
    for k in "$@"; do
        xdotool windowfocus --sync "$ventana" 2>/dev/null
        xdotool key "$k"
        sleep 0.45
    done
}
foto() { import -window root "$destino/$1.png" 2>/dev/null && echo "captured $1.png"; }
# Mean brightness (0..1) of a part of the screen.
brillo() { import -window root -crop "$1" +repage png:- 2>/dev/null | convert - -colorspace gray -format '%[fx:mean]' info:; }
claro() { awk -v b="$(brillo "$1")" -v l="$2" 'BEGIN { exit !(b > l) }'; }

sleep 4
foto menu_es
pulsa Down Return            # the language switch
sleep 2
foto menu_en
opciones=150x125+150+225
import -window root -crop "$opciones" +repage menu_opciones.png 2>/dev/null
pulsa Down Down Return       # the settings
sleep 2
foto opciones
pulsa Down Down Return       # define keys: the same six again, in order
sleep 1.5
foto teclas
pulsa Up Down Left Right Return Escape
sleep 2
pulsa Down Down Down Return  # back to the main menu
sleep 2
pulsa Down Down Down Return  # the hall of fame
sleep 1.5
foto records
pulsa space
sleep 1.5
pulsa Down Down Down Down Return  # the credits
sleep 7
foto creditos
pulsa space
sleep 2

# A game: down to the ski-hire shop (his left edge must be within 281..309,
# and he starts at 320), pay, carry the skis back to the top, ski.
pulsa Return
sleep 3.5
foto carretera
pulsa Escape
sleep 1.2
foto pausa
pulsa Return
sleep 1.5
# Where the hero stands, told by comparing the screen with the road picture
# itself, and whether the lanes he is about to cross are free of traffic
# (the asphalt is grey; every vehicle is coloured).
carretera="$raiz/docs/carretera0.png"
distinto() {
    import -window root -crop "$1" +repage ahora.png 2>/dev/null
    convert "$carretera" -crop "$1" +repage antes.png
    [ "$(compare -metric AE -fuzz 5% antes.png ahora.png null: 2>&1)" -gt 100 ]
}
arriba() { distinto 64x33+281+17; }
en_tienda() { distinto 64x34+281+428; }
color() { import -window root -crop "$1" +repage png:- 2>/dev/null | convert - -colorspace HSL -channel G -separate -format '%[fx:mean]' info:; }
libre() {
    # Rightward traffic comes from the left above the reservation, leftward
    # traffic from the right below it: about a second's drive of each.
    awk -v a="$(color 300x156+40+65)" -v b="$(color 300x154+281+226)" 'BEGIN { exit !(a < 0.1 && b < 0.1) }'
}
espera_hueco() { for _ in $(seq 100); do libre && return; sleep 0.1; done; }

xdotool windowfocus --sync "$ventana" 2>/dev/null
xdotool key Left             # his left edge must be within 281..309 at the door
sleep 0.12
xdotool key Down
sleep 0.2
xdotool key Up               # back to the top to wait for a gap
for _ in $(seq 12); do
    sleep 2.5
    en_tienda && break
    if arriba; then
        espera_hueco
        pulsa Down
    fi
done
esquiando=0
for _ in $(seq 12); do
    espera_hueco
    pulsa Up
    sleep 2.5
    # The slope is white from side to side; the road is dark asphalt.
    if claro 640x300+0+100 0.8; then esquiando=1; break; fi
done
if [ "$esquiando" = 1 ]; then
    sleep 2.5
    foto pista
    pulsa Left
    sleep 1
    foto pista_giro
else
    echo "the hero never reached the slopes: no pista.png this time"
fi
# Abandon from the pause box; a score above the table's last gets a name.
pulsa Escape Down Return
sleep 5
foto enhorabuena
xdotool windowfocus --sync "$ventana" 2>/dev/null
xdotool type --delay 80 "Ventisca"
pulsa Return
sleep 3

# Another game, walked into the traffic until the money runs out.
en_menu() {
    import -window root -crop "$opciones" +repage ahora.png 2>/dev/null
    [ "$(compare -metric AE -fuzz 5% menu_opciones.png ahora.png null: 2>&1)" -le 100 ]
}
for _ in $(seq 20); do
    en_menu || break
    pulsa Return
    sleep 1.5
done
sleep 2
for _ in $(seq 120); do
    pulsa Down
    sleep 1
    pulsa Up
    # The game-over message stands on a red band at row 200.
    if import -window root -crop 200x12+220+202 +repage png:- 2>/dev/null |
        convert - -format '%[fx:mean.r] %[fx:mean.g]' info: | awk '{ exit !($1 > 0.6 && $2 < 0.4) }'; then
        sleep 0.5
        foto fin
        break
    fi
done
# The game-over screen stays five seconds, then the fade; a score that made
# the table asks for a name (an empty one will do), then the main menu.
sleep 9
import -window root -crop "$opciones" +repage ahora.png 2>/dev/null
if [ "$(compare -metric AE -fuzz 5% menu_opciones.png ahora.png null: 2>&1)" -gt 100 ]; then
    pulsa Return
    sleep 4
fi
pulsa Down Down Down Down Down Return
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || { pid=""; break; }
    sleep 0.2
done
[ -n "$pid" ] && echo "the game did not leave through Exit"
echo "screens are in $destino"
