#!/bin/bash
# A whole game at the keyboard: start it from the main menu, walk the hero
# over the lower carriageway until the ambulance fees take all the money,
# type a name on the congratulations screen, check "scores.his", and leave
# through Exit. $1: the directory of the built game.
set -u
run="$(cd "$1" && pwd)"
. "$(dirname "$0")/apoyo.sh"
pantalla_propia 640x480x16 || exit 1
dir_de_juego "$run" || exit 1
mensajero
PAUSA_TECLA=0                                # the walk below keeps its own time
printf '\000\000\000\001\000' > zumbelo.cfg  # Spanish, no sound, set 0, window, no frame skipping
inicio=$SECONDS
falla() { echo "FALLO: $*"; import -window root /tmp/zumbelo-partida-fallo.png 2>/dev/null; exit 1; }
"$run/zumbelo" >salida.txt 2>&1 &
pid=$!
al_salir "kill $pid"
espera_ventana || falla "no game window"

opciones=150x125+150+225
titulo=300x100+330+10

espera_quieto "$opciones" menu.png 40 || falla "the main menu never settled"
recorte "$titulo" titulo.png
cp scores.his tabla_inicial.his || falla "no scores.his written at start-up"

pulsa Return
for _ in $(seq 40); do sleep 0.5; como "$titulo" titulo.png || break; done
como "$titulo" titulo.png && falla "no game started"

# Down into the lower carriageway and a little back up, again and again, until
# the fifth fee leaves no money. The title comes back with the congratulations
# when the walk earned more than the last place's 100 points; otherwise with
# the main menu, and another game is started.
felicitado=0
while [ $((SECONDS - inicio)) -lt 230 ]; do
    kill -0 "$pid" 2>/dev/null || falla "the game ended during play"
    pulsa Down
    sleep 1.4
    pulsa Up
    sleep 0.4
    como "$titulo" titulo.png || continue
    sleep 0.3
    if ! como "$opciones" menu.png; then felicitado=1; break; fi
    echo "a game ended without a record; another one"
    pulsa Return
    sleep 3
done
[ "$felicitado" = 1 ] || falla "no congratulations screen within 230 s"
sleep 0.3
xdotool windowfocus --sync "$VENTANA" 2>/dev/null
xdotool type --delay 60 "Probador"
pulsa Return

# The table on disk: the name once, above the old last place, inserted at its
# place with the rest moved down one.
for _ in $(seq 50); do [ scores.his -nt tabla_inicial.his ] && grep -q Probador scores.his && break || sleep 0.2; done
python3 - tabla_inicial.his scores.his <<'EOF' || falla "scores.his is wrong"
import struct, sys
def tabla(ruta):
    b = open(ruta, "rb").read()
    assert len(b) == 141 and b[0:1] == b"R", "not a 141-byte table"
    assert all(b"\0" in b[1 + 14 * r: 11 + 14 * r] for r in range(10)), "a name fills its slot"
    return [(b[1 + 14 * r: 11 + 14 * r].split(b"\0")[0], struct.unpack("<i", b[11 + 14 * r: 15 + 14 * r])[0])
            for r in range(10)]
antes, despues = tabla(sys.argv[1]), tabla(sys.argv[2])
nuevas = [p for n, p in despues if n == b"Probador"]
assert len(nuevas) == 1 and nuevas[0] > antes[9][1], "the name is not in the table once, above the last"
puesto = next(r for r in range(10) if antes[r][1] < nuevas[0])
assert despues == antes[:puesto] + [(b"Probador", nuevas[0])] + antes[puesto:9], "table %r" % despues
EOF

# Back in the main menu: down to Exit and choose it.
for _ in $(seq 40); do como "$opciones" menu.png && break || sleep 0.5; done
como "$opciones" menu.png || falla "the main menu did not come back"
for _ in 1 2 3 4 5; do pulsa Down; sleep 0.4; done
pulsa Return
espera_fin "$pid" 20 || falla "the game did not end after Exit"
[ "$ESTADO" = 0 ] || falla "exit status $ESTADO, expected 0"
[ -s mensajes.txt ] && falla "a message was shown: $(cat mensajes.txt)"
echo "partida completa: todo bien en $((SECONDS - inicio)) s"
