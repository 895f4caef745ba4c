#!/bin/bash
# A whole game played at the keyboard: start it from the main menu, keep the
# hero walking over the lower carriageway until the ambulance fees have taken
# all the money, type a name on the congratulations screen, check that
# "scores.his" holds it in its place, and leave through the main menu's Exit.
# $1: the directory of the built game; $2: the source tree.
set -u
run="$(cd "$1" && pwd)"
dir=$(mktemp -d /tmp/zumbelo-partida-XXXXXX)
pid=""
limpia() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$dir"
}
trap limpia EXIT
cd "$dir" || exit 1
ln -s "$run/datos.dat" datos.dat
ln -s "$run/patches.dat" patches.dat
# Spanish, sound off, graphic set 0, in a window, no frame skipping.
printf '\000\000\000\001\000' > zumbelo.cfg
mkdir sin-programas  # no xmessage: a message would go to the terminal
inicio=$SECONDS

falla() {
    echo "FALLO: $*"
    import -window root fallo.png 2>/dev/null && cp fallo.png /tmp/zumbelo-partida-fallo.png
    exit 1
}

PATH="$dir/sin-programas:$PATH" "$run/zumbelo" >salida.txt 2>&1 &
pid=$!

ventana=""
for _ in $(seq 100); do
    ventana=$(xdotool search --name '^Zumbelo' 2>/dev/null | head -1)
    [ -n "$ventana" ] && break
    sleep 0.2
done
[ -n "$ventana" ] || falla "no game window"

pulsa() {
    xdotool windowfocus --sync "$ventana" 2>/dev/null
    xdotool key "$@"
}

# Part of the screen, as a picture file.
recorte() { import -window root -crop "$1" +repage "$2" 2>/dev/null; }
iguales() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }

# The option list of the main menu, once it has finished fading in: two
# looks half a second apart that agree and show more than one colour.
opciones=150x125+150+225
titulo=300x100+330+10
for _ in $(seq 60); do
    recorte "$opciones" a.png
    sleep 0.5
    recorte "$opciones" b.png
    if iguales a.png b.png && [ "$(identify -format %k b.png)" -gt 4 ]; then break; fi
done
iguales a.png b.png || falla "the main menu never settled"
mv b.png menu.png
recorte "$titulo" titulo.png
cp scores.his tabla_inicial.his || falla "no scores.his written at start-up"

# Start a game, and see the title go.
pulsa Return
for _ in $(seq 40); do
    sleep 0.5
    recorte "$titulo" t.png
    iguales t.png titulo.png || break
done
iguales t.png titulo.png && falla "no game started"

# Walk down into the lower carriageway and a little back up, again and
# again: the traffic runs him over, each time he is put back at the top and
# sent down again, until the fifth fee leaves no money. Then the game-over
# screen, and the title picture comes back: with the congratulations when the
# walking earned more than the last place's 100 points, else with the main
# menu, and then another game is started.
felicitado=0
partidas=1
while [ $((SECONDS - inicio)) -lt 230 ]; do
    kill -0 "$pid" 2>/dev/null || falla "the game ended during play"
    pulsa Down
    sleep 1.4
    pulsa Up
    sleep 0.4
    recorte "$titulo" t.png
    iguales t.png titulo.png || continue
    sleep 0.3
    recorte "$opciones" m.png
    if ! iguales m.png menu.png; then felicitado=1; break; fi
    echo "game $partidas ended without a record; another one"
    partidas=$((partidas + 1))
    pulsa Return
    sleep 3
done
[ "$felicitado" = 1 ] || falla "no congratulations screen within 230 s"

# The name, typed as a player would.
sleep 0.3
xdotool windowfocus --sync "$ventana" 2>/dev/null
xdotool type --delay 60 "Probador"
pulsa Return

# The hall of fame on disk: the name with its score, inserted in its place.
for _ in $(seq 50); do
    [ scores.his -nt tabla_inicial.his ] && grep -q Probador scores.his && break
    sleep 0.2
done
python3 - tabla_inicial.his scores.his <<'EOF' || falla "scores.his is wrong"
import struct, sys
def tabla(ruta):
    b = open(ruta, "rb").read()
    assert len(b) == 141 and b[0:1] == b"R", "not a 141-byte table"
    filas = []
    for r in range(10):
        nombre = b[1 + 14 * r: 11 + 14 * r]
        assert b"\0" in nombre, "name %d not terminated in its slot" % r
        filas.append((nombre.split(b"\0")[0], struct.unpack("<i", b[11 + 14 * r: 15 + 14 * r])[0]))
    return filas
antes, despues = tabla(sys.argv[1]), tabla(sys.argv[2])
nuevas = [p for n, p in despues if n == b"Probador"]
assert len(nuevas) == 1, "the name is not in the table once"
puntos = nuevas[0]
assert puntos > antes[9][1], "score %d does not beat the last place" % puntos
puesto = next(r for r in range(10) if antes[r][1] < puntos)
esperada = antes[:puesto] + [(b"Probador", puntos)] + antes[puesto:9]
assert despues == esperada, "table %r, expected %r" % (despues, esperada)
print("record: Probador with %d points at rank %d" % (puntos, puesto))
EOF

# Back in the main menu: down to Exit and choose it.
listo=0
for _ in $(seq 40); do
    recorte "$opciones" m.png
    if iguales m.png menu.png; then listo=1; break; fi
    sleep 0.5
done
[ "$listo" = 1 ] || falla "the main menu did not come back"
for _ in 1 2 3 4 5; do
    pulsa Down
    sleep 0.4
done
pulsa Return

estado=""
for _ in $(seq 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        estado=$?
        pid=""
        break
    fi
    sleep 0.2
done
[ -n "$estado" ] || falla "the game did not end after Exit"
[ "$estado" = 0 ] || falla "exit status $estado, expected 0"
echo "partida completa: todo bien en $((SECONDS - inicio)) s"
exit 0
