#!/bin/bash
# A whole game at the keyboard: start it from the main menu, walk the hero
# over the lower carriageway until the ambulance fees take all the money,
# type a name on the congratulations screen, check "scores.his", and leave
# through Exit. $1: the directory of the built game.
set -u
run="$(cd "$1" && pwd)"
dir=$(mktemp -d /tmp/zumbelo-partida-XXXXXX)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$dir"' EXIT
cd "$dir" || exit 1
ln -s "$run/datos.dat" datos.dat
ln -s "$run/patches.dat" patches.dat
printf '\000\000\000\001\000' > zumbelo.cfg  # Spanish, no sound, set 0, window, no frame skipping
mkdir sin-programas                          # no xmessage: a message would go to the terminal
inicio=$SECONDS
falla() { echo "FALLO: $*"; import -window root /tmp/zumbelo-partida-fallo.png 2>/dev/null; exit 1; }
PATH="$dir/sin-programas:$PATH" "$run/zumbelo" >salida.txt 2>&1 &
pid=$!
for _ in $(seq 100); do
    ventana=$(xdotool search --name '^Zumbelo' 2>/dev/null | head -1)
    [ -n "$ventana" ] && break || sleep 0.2
done
[ -n "$ventana" ] || falla "no game window"

pulsa() { xdotool windowfocus --sync "$ventana" 2>/dev/null; xdotool key "$@"; }
recorte() { import -window root -crop "$1" +repage "$2" 2>/dev/null; }
# Whether part of the screen now looks exactly like a picture taken before.
como() { recorte "$1" ahora.png && [ "$(compare -metric AE ahora.png "$2" null: 2>&1)" = 0 ]; }
opciones=150x125+150+225
titulo=300x100+330+10

# The option list once the menu has faded in: two looks half a second apart
# that agree and show more than one colour.
for _ in $(seq 60); do
    recorte "$opciones" menu.png
    sleep 0.5
    como "$opciones" menu.png && [ "$(identify -format %k menu.png)" -gt 4 ] && break
done
como "$opciones" menu.png || falla "the main menu never settled"
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
xdotool windowfocus --sync "$ventana" 2>/dev/null
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
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null && sleep 0.2 || break; done
kill -0 "$pid" 2>/dev/null && falla "the game did not end after Exit"
wait "$pid"
estado=$? pid=""
[ "$estado" = 0 ] || falla "exit status $estado, expected 0"
echo "partida completa: todo bien en $((SECONDS - inicio)) s"
