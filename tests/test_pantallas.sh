#!/bin/bash
# The picture fills the screen. In a window on desktops of 800x600, 1920x1080
# and 3840x2160 the window is 1, 2 and 4 times the game's 640x480, and the
# menu there is the very picture of 1x with every pixel a k x k block. Full
# screen on 1920x1080 the picture is 1280x960 in the middle with black all
# round. At 2x the menu uses little of the processor. Each game ends on the
# window manager's close request. $1: the directory of the built game.
set -u
run="$(cd "$1" && pwd)"
. "$(dirname "$0")/apoyo.sh"
: "${GESTOR_VENTANAS:?the window manager stand-in, tests/gestor_ventanas}"
falla() { echo "FALLO: $*"; import -window root /tmp/zumbelo-pantallas-fallo.png 2>/dev/null; exit 1; }
inicio=$SECONDS
titulo=(300 100 330 10)   # the title words at 1x: width, height, left, top
MAX_CPU=25                # percent of one core; the game needs a fifth of it at most

# Starts the game on a desktop of its own: $1 geometry, $2 the settings'
# window byte (1 window, 0 full screen). Sets pid and VENTANA.
arranca() {
    pantalla_propia "$1" || falla "no X server of $1"
    dir_de_juego "$run" || falla "no working directory"
    mensajero
    printf "\\000\\000\\000\\00$2\\000" > zumbelo.cfg   # Spanish, no sound, set 0, no frame skipping
    "$run/zumbelo" > salida.txt 2>&1 &
    pid=$!
    al_salir "kill $pid"
    espera_ventana || falla "no game window on $1"
}

# The title words at scale $1 with the picture's corner at ($2, $3), as WxH+X+Y.
zona() {
    echo "$((titulo[0] * $1))x$((titulo[1] * $1))+$(($2 + titulo[2] * $1))+$(($3 + titulo[3] * $1))"
}

# Checks the settled title at scale $1, corner ($2, $3), on $4: each pixel a
# $1 x $1 block, and the picture, brought back to 1x, the same as at 1x.
mira_titulo() {
    local k=$1 z a
    z=$(zona "$k" "$2" "$3")
    espera_quieto "$z" "titulo$k.png" 40 || falla "the menu never settled ($4)"
    a=$(convert "titulo$k.png" -sample "${titulo[0]}x${titulo[1]}!" -sample "$((titulo[0] * k))x$((titulo[1] * k))!" \
        png:- | compare -metric AE "titulo$k.png" - null: 2>&1)
    [ "$a" = 0 ] || falla "$a pixels break the ${k}x${k} blocks ($4)"
    convert "titulo$k.png" -sample "${titulo[0]}x${titulo[1]}!" titulo_1x.png
    a=$(compare -metric AE titulo_1x.png "$uno" null: 2>&1)
    [ "$a" = 0 ] || falla "the picture at ${k}x differs from 1x in $a pixels ($4)"
}

# The window's size, WxH.
tamano() {
    xwininfo -id "$VENTANA" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'
}

# Closes the game as the window manager would and waits for its end, status 0.
cierra() {
    "$GESTOR_VENTANAS" cierra "$VENTANA" || falla "no close request sent ($1)"
    espera_fin "$pid" 20 || falla "the game did not end on the close request ($1)"
    [ "$ESTADO" = 0 ] || falla "exit status $ESTADO after the close request ($1)"
    [ -s mensajes.txt ] && falla "a message was shown: $(cat mensajes.txt) ($1)"
    kill "$PANTALLA_PID" 2>/dev/null
}

# ---- 800x600: a 1x window; its title is the yardstick of the others.
arranca 800x600x16 1
espera_quieto "$(zona 1 0 0)" titulo1.png 40 || falla "the menu never settled on 800x600"
[ "$(tamano)" = 640x480 ] || falla "window $(tamano) on 800x600, expected 640x480"
uno="$(pwd)/titulo1.png"
cierra 800x600

# ---- 1920x1080: a 2x window, light on the processor.
arranca 1920x1080x16 1
mira_titulo 2 0 0 "window on 1920x1080"
[ "$(tamano)" = 1280x960 ] || falla "window $(tamano) on 1920x1080, expected 1280x960"
cpu=$(reparto_cpu "$pid" 5) || falla "no processor time read"
echo "main menu at 2x: $cpu% of one core"
[ "$cpu" -le "$MAX_CPU" ] || falla "the menu at 2x takes $cpu% of one core"
cierra "window on 1920x1080"

# ---- 3840x2160: a 4x window.
arranca 3840x2160x16 1
mira_titulo 4 0 0 "window on 3840x2160"
[ "$(tamano)" = 2560x1920 ] || falla "window $(tamano) on 3840x2160, expected 2560x1920"
cierra "window on 3840x2160"

# ---- Full screen on 1920x1080: the desktop's own size, the picture 2x in
# the middle (corner 320, 60) and black bands round it.
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
cierra "full screen on 1920x1080"

echo "pantallas: todo bien en $((SECONDS - inicio)) s"
