#!/bin/bash
# The game obeys the window manager. Its window is of class "zumbelo",
# "Zumbelo". A close request (the close button's WM_DELETE_WINDOW) ends it
# with status 0 from the main menu and from the road, leaving zumbelo.cfg and
# scores.his as they were. Another window taking the focus on the road opens
# the pause box and stops the traffic; back in the game, the box closes and
# the traffic moves again. The main menu, the road and the pause box use
# little of the processor. $1: the directory of the built game.
set -u
run="$(cd "$1" && pwd)"
. "$(dirname "$0")/apoyo.sh"
: "${GESTOR_VENTANAS:?the window manager stand-in, tests/gestor_ventanas}"
pantalla_propia 800x600x16 || exit 1
dir_de_juego "$run" || exit 1
mensajero
falla() { echo "FALLO: $*"; import -window root /tmp/zumbelo-ventana-fallo.png 2>/dev/null; exit 1; }
inicio=$SECONDS
MAX_CPU=25                 # percent of one core; the game needs a fifth of it at most
opciones=150x125+150+225   # the first option texts of the main menu
titulo=300x100+330+10      # the title words
carriles=640x85+0+70       # the upper carriageway, above the pause box
caja=30x3+465+222          # inside the pause box, on the line between the carriageways
printf '\000\000\000\001\000' > zumbelo.cfg  # Spanish, no sound, set 0, window, no frame skipping

arranca() {
    "$run/zumbelo" > salida.txt 2>&1 &
    pid=$!
    al_salir "kill $pid"
    espera_ventana || falla "no game window"
    espera_quieto "$opciones" menu.png 40 || falla "the main menu never settled"
}
cpu() {  # $1 the screen: its share of one core, within the limit
    local c
    c=$(reparto_cpu "$pid" 5) || falla "no processor time read on $1"
    echo "$1: $c% of one core"
    [ "$c" -le "$MAX_CPU" ] || falla "$1 takes $c% of one core"
}
cierra() {  # $1 the screen the close request comes on
    "$GESTOR_VENTANAS" cierra "$VENTANA" || falla "no close request sent on $1"
    espera_fin "$pid" 20 || falla "the game did not end on a close request on $1"
    [ "$ESTADO" = 0 ] || falla "exit status $ESTADO after a close request on $1"
    cmp -s zumbelo.cfg cfg_antes || falla "zumbelo.cfg changed ($1)"
    cmp -s scores.his tabla_antes || falla "scores.his changed ($1)"
    [ -s mensajes.txt ] && falla "a message was shown: $(cat mensajes.txt)"
}
azul() {  # whether the part $1 of the screen is clearly blue: the pause box
    color "$1" | awk '{ exit !($3 > $1 + 60) }'
}

# ---- The main menu: the window's class, the processor, and a close request.
arranca
cp zumbelo.cfg cfg_antes && cp scores.his tabla_antes || falla "no settings or scores written at start-up"
clase=$(xprop -id "$VENTANA" WM_CLASS)
[ "$clase" = 'WM_CLASS(STRING) = "zumbelo", "Zumbelo"' ] || falla "window class: $clase"
cpu "main menu"
cierra "the main menu"

# ---- The road: the processor, then the focus taken by another window.
arranca
recorte "$titulo" titulo.png
pulsa Return
espera_cambio "$titulo" 20 titulo.png || falla "no game started"
for _ in $(seq 100); do  # the road: a white status line on the grey road
    recorte 640x12+0+0 banda.png
    convert banda.png -fx '(r>0.95 && g>0.95 && b>0.95)' -format '%[fx:mean > 0.25]' info: | grep -q 1 && break
    sleep 0.2
done
recorte "$carriles" trafico.png
espera_cambio "$carriles" 20 trafico.png || falla "no traffic on the road"
cpu "road"

coproc FOCO { "$GESTOR_VENTANAS" foco; }
read -r -t 20 otra <&"${FOCO[0]}" || falla "the other window did not take the focus"
for _ in $(seq 100); do azul "$caja" && break; sleep 0.2; done
azul "$caja" || falla "no pause box after the focus went to another window"
espera_quieto "$carriles" quieto.png 20 || falla "the traffic did not stop in the pause box"
sleep 1
como "$carriles" quieto.png || falla "the traffic moves behind the pause box"
cpu "pause box"

# Back in the game: Enter leaves the box, and the traffic moves again.
eval "exec ${FOCO[1]}>&-"
wait "$FOCO_PID" 2>/dev/null
pulsa Return
for _ in $(seq 100); do azul "$caja" || break; sleep 0.2; done
azul "$caja" && falla "the pause box did not close on Enter"
espera_cambio "$carriles" 20 quieto.png || falla "the traffic did not move again after the pause"
cierra "the road"
echo "ventana: todo bien en $((SECONDS - inicio)) s (the other window was $otra)"
