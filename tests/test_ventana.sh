#!/bin/bash
# The game's window and the window manager. On an 800x600 desktop the window
# is the game's 640x480, of class "zumbelo", "Zumbelo"; another window taking
# the focus on the road opens the pause box and stops the traffic, Enter
# closes it and the traffic moves again; a close request (the close button's
# WM_DELETE_WINDOW) ends the game with status 0, its files as they were. On
# 1920x1080 and 3840x2160 the window is 2 and 4 times as big, every pixel of
# the title a k x k block of the 1x picture, the menu light on the processor;
# full screen on 1920x1080 the picture is 2x in the middle with black round
# it. $1: the directory of the built game.
set -u
. "$(dirname "$0")/apoyo.sh"
run="$(cd "$1" && pwd)"
: "${GESTOR_VENTANAS:?the window manager stand-in, tests/gestor_ventanas}"
MAX_CPU=25            # percent of one core; the game needs a fifth of it at most
titulo=(300 100 330 10)   # the title words at 1x: width, height, left, top
carriles=640x85+0+70      # the upper carriageway, above the pause box

# Starts the game on a desktop of its own: $1 geometry, $2 the settings'
# window byte (1 window, 0 full screen).
arranca() {
    pantalla_propia "$1" || aborta "no X server of $1"
    dir_de_juego "$run" || aborta "no working directory"
    mensajero
    printf "\\000\\000\\000\\00$2\\000" >zumbelo.cfg   # Spanish, no sound, set 0, no frame skipping
    juega || aborta "no game window on $1"
}
tamano() { xwininfo -id "$VENTANA" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }
# Closes the game as the window manager would: it ends with status 0 and
# leaves its files as they were at start-up.
cierra() {
    "$GESTOR_VENTANAS" cierra "$VENTANA" || falla "no close request sent ($1)"
    espera_fin "$PID" 30 || aborta "the game did not end on the close request ($1)"
    [ "$ESTADO" = 0 ] || falla "exit status $ESTADO after the close request ($1)"
    cmp -s zumbelo.cfg cfg_antes && cmp -s scores.his tabla_antes || falla "a file changed ($1)"
    sin_mensajes
    kill "$PANTALLA_PID"
}
# The title at scale $1 with the picture's corner at ($2, $3): each pixel a
# k x k block, and the picture brought back to 1x the same as at 1x.
mira_titulo() {
    local k=$1 a z="$((titulo[0] * $1))x$((titulo[1] * $1))+$(($2 + titulo[2] * $1))+$(($3 + titulo[3] * $1))"
    espera_quieto "$z" "titulo$k.png" || aborta "the menu never settled ($4)"
    cp zumbelo.cfg cfg_antes && cp scores.his tabla_antes
    a=$(convert "titulo$k.png" -sample "${titulo[0]}x${titulo[1]}!" -sample "$((titulo[0] * k))x$((titulo[1] * k))!" \
        png:- | compare -metric AE "titulo$k.png" - null: 2>&1)
    [ "$a" = 0 ] || falla "$a pixels break the ${k}x${k} blocks ($4)"
    a=$(convert "titulo$k.png" -sample "${titulo[0]}x${titulo[1]}!" png:- | compare -metric AE - "$uno" null: 2>&1)
    [ "$a" = 0 ] || falla "the picture at ${k}x differs from 1x in $a pixels ($4)"
}
cpu() {
    local c
    c=$(reparto_cpu "$PID" 5) || aborta "no processor time read on $1"
    echo "$1: $c% of one core"
    [ "$c" -le "$MAX_CPU" ] || falla "$1 takes $c% of one core"
}

# ---- 800x600: the 1x window, its title the yardstick of the others; the road.
arranca 800x600x16 1
uno=$DIR/titulo1.png
mira_titulo 1 0 0 "800x600"
[ "$(tamano)" = 640x480 ] || falla "window $(tamano) on 800x600, expected 640x480"
clase=$(xprop -id "$VENTANA" WM_CLASS)
[ "$clase" = 'WM_CLASS(STRING) = "zumbelo", "Zumbelo"' ] || falla "window class: $clase"
elige 0 || aborta "no Start"
espera en_carretera 30 || aborta "no road"
recorte "$carriles" trafico.png
espera '! como "$carriles" trafico.png' 20 || falla "no traffic on the road"
cpu "road"
coproc FOCO { "$GESTOR_VENTANAS" foco; }
read -r -t 30 otra <&"${FOCO[0]}" || aborta "the other window did not take the focus"
espera caja_abierta 30 || aborta "no pause box after the focus went to another window"
espera_quieto "$carriles" quieto.png 20 || falla "the traffic did not stop in the pause box"
cpu "pause box"
como "$carriles" quieto.png || falla "the traffic moves behind the pause box"
eval "exec ${FOCO[1]}>&-"
wait "${FOCO_PID:-}" 2>/dev/null   # gone already, should it have ended first
pulsa Return
espera '! caja_abierta' 20 || falla "the pause box did not close on Enter (the other window was $otra)"
espera '! como "$carriles" quieto.png' 20 || falla "the traffic did not move again after the pause"
cierra "the road"

# ---- Bigger desktops: a 2x window, light on the processor; a 4x window.
arranca 1920x1080x16 1
mira_titulo 2 0 0 "window on 1920x1080"
[ "$(tamano)" = 1280x960 ] || falla "window $(tamano) on 1920x1080, expected 1280x960"
cpu "main menu at 2x"
cierra "the main menu at 2x"
arranca 3840x2160x16 1
mira_titulo 4 0 0 "window on 3840x2160"
[ "$(tamano)" = 2560x1920 ] || falla "window $(tamano) on 3840x2160, expected 2560x1920"
cierra "the main menu at 4x"

# ---- Full screen on 1920x1080: the picture 2x at (320, 60), black round it.
arranca 1920x1080x16 0
mira_titulo 2 320 60 "full screen on 1920x1080"
for banda in 320x1080+0+0 320x1080+1600+0 1280x60+320+0 1280x60+320+1020; do
    recorte "$banda" banda.png
    [ "$(identify -format '%[max]' banda.png)" = 0 ] || falla "the band $banda is not black"
done
for borde in 2x960+1598+60 1280x2+320+1018; do   # the picture's last columns and rows
    recorte "$borde" borde.png
    [ "$(identify -format '%[max]' borde.png)" != 0 ] || falla "the picture ends before $borde"
done
cierra "full screen"
termina
