#!/bin/bash
# Hostile places: a working directory the game cannot write to, where it must
# start and play with its defaults, keep a language switch in memory, write
# nothing and report nothing; and cut or damaged copies of datos.dat, or a
# pipe, a directory or a 3 GB file in its place, which must end start-up with
# status 1 and the Spanish fatal message, never with a crash or a wait, within
# a few seconds and 1 GB of memory. $1: the directory of the built game.
set -u
run="$(cd "$1" && pwd)"
. "$(dirname "$0")/apoyo.sh"
pantalla_propia 640x480x16 || exit 1
dir_de_juego "$run" || exit 1
mensajero
fallos=0
falla() { echo "FALLO: $*"; fallos=$((fallos + 1)); }
inicio=$SECONDS

# ---- Damaged datafiles: each in a directory of its own beside the others.
python3 - "$run/datos.dat" "$DIR/danados" <<'EOF'
import os, random, struct, sys
b = open(sys.argv[1], "rb").read()
os.makedirs(sys.argv[2])
def guarda(nombre, datos):
    os.makedirs(os.path.join(sys.argv[2], nombre))
    open(os.path.join(sys.argv[2], nombre, "datos.dat"), "wb").write(datos)
# Where each object's type field is: after its properties.
tipos, o = [], 12
for _ in range(struct.unpack(">I", b[8:12])[0]):
    while b[o:o + 4] == b"prop":
        o += 12 + struct.unpack(">I", b[o + 8:o + 12])[0]
    tipos.append(o)
    o += 12 + struct.unpack(">I", b[o + 4:o + 8])[0]
guarda("vacio", b"")
guarda("ocho_bytes", b[:8])
guarda("doce_bytes", b[:12])
guarda("mitad", b[:len(b) // 2])
guarda("sin_el_ultimo_byte", b[:-1])
guarda("magia_cambiada", bytes([b[0] ^ 0xFF]) + b[1:])
guarda("cuenta_enorme", b[:8] + struct.pack(">I", 0x7FFFFFFF) + b[12:])
guarda("cuenta_cero", b[:8] + struct.pack(">I", 0) + b[12:])
t = tipos[3]  # the road picture
guarda("trozo_enorme", b[:t + 4] + struct.pack(">II", 0x7FFFFFF0, 0x7FFFFFF0) + b[t + 12:])
guarda("bitmap_enorme", b[:t + 14] + struct.pack(">HH", 30000, 30000) + b[t + 18:])
azar = random.Random(20261207)
for k in range(3):  # random bytes over the headers of seeded objects
    x = bytearray(b)
    t = tipos[azar.randrange(len(tipos))]
    for i in range(t, t + 20):
        x[i] = azar.randrange(256)
    guarda("azar_%d" % k, bytes(x))
EOF
mkdir "$DIR/danados/tuberia" "$DIR/danados/carpeta" "$DIR/danados/enorme"
mkfifo "$DIR/danados/tuberia/datos.dat"
mkdir "$DIR/danados/carpeta/datos.dat"
cp "$run/datos.dat" "$DIR/danados/enorme/datos.dat"
truncate -s 3G "$DIR/danados/enorme/datos.dat"  # sparse: it takes no room
for d in "$DIR"/danados/*/; do
    nombre=$(basename "$d")
    printf '\000\000\000\001\000' > "$d/zumbelo.cfg"
    : > "$DIR/mensajes.txt"
    t0=$(date +%s%N)
    (cd "$d" && ulimit -v 1048576 && exec timeout -s KILL 20 "$run/zumbelo" > salida.txt 2>&1)
    estado=$?
    ms=$((($(date +%s%N) - t0) / 1000000))
    echo "$nombre: status $estado in $ms ms"
    [ "$estado" = 1 ] || falla "$nombre: exit status $estado, expected 1"
    grep -q "ERROR FATAL" "$DIR/mensajes.txt" && grep -q "No se encuentra el archivo DATOS.DAT" "$DIR/mensajes.txt" ||
        falla "$nombre: no fatal message"
    [ "$ms" -lt 10000 ] || falla "$nombre: took $ms ms"
    [ -e "$d/scores.his" ] && falla "$nombre: scores.his written"
done

# ---- A directory the game cannot write to, with no settings file in it. As
# root every directory is writable, so the game runs as nobody there.
solo=$(mktemp -d /tmp/zumbelo-solo-lectura-XXXXXX)
al_salir "chmod -R u+w '$solo'; rm -rf '$solo'"
for f in datos.dat patches.dat; do cp "$run/$f" "$solo/$f"; done
chmod 755 "$solo"
chmod 644 "$solo"/*
: > "$DIR/mensajes.txt"
chmod 666 "$DIR/mensajes.txt"
chmod 755 "$DIR" "$DIR/bin"
if [ "$(id -u)" = 0 ]; then
    como_otro=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
    chmod 555 "$solo"
    como_otro=()
fi
arranca_solo() {
    (cd "$solo" && exec "${como_otro[@]}" env HOME=/nonexistent "$run/zumbelo" > "$DIR/salida_solo.txt" 2>&1) &
    pid=$!
    al_salir "kill $pid"
}
arranca_solo
# A loaded machine's X server may turn a new client away: the game then ends
# at once, saying so on its output; one more start is allowed for that.
if ! espera_ventana && ! kill -0 "$pid" 2>/dev/null; then
    echo "the game ended before its window: $(grep -v '^ALSA' "$DIR/salida_solo.txt" | tr '\n' ' ')"
    arranca_solo
    espera_ventana
fi
[ -n "$VENTANA" ] || { falla "no game window in the read-only directory"; grep -v '^ALSA' "$DIR/salida_solo.txt"; }
opciones=150x125+150+225
titulo=300x100+330+10
espera_quieto "$opciones" "$DIR/menu_es.png" 40 || falla "the main menu never settled"
recorte "$titulo" "$DIR/titulo_es.png"
pulsa Down Return                               # the language switch
espera_cambio "$titulo" 20 "$DIR/titulo_es.png" || falla "the title did not change language"
espera_quieto "$opciones" "$DIR/menu_en.png" 20 || falla "the English menu never settled"
como "$opciones" "$DIR/menu_es.png" && falla "the options did not change language"
recorte "$titulo" "$DIR/titulo_en.png"
pulsa Return                                    # a game, with the defaults
espera_cambio "$titulo" 20 "$DIR/titulo_en.png" || true
sleep 3
pulsa Escape
sleep 1.5
pulsa Down Return                               # abandoned: no record
# The title back, not the pause box standing still while its cursor walks off.
for _ in $(seq 200); do como "$titulo" "$DIR/titulo_en.png" && break; sleep 0.2; done
espera_quieto "$opciones" "$DIR/otra_vez.png" 40 || falla "the main menu did not come back"
como "$opciones" "$DIR/menu_en.png" || falla "the language switch was not kept in memory"
pulsa Down Down Down Down Down Return           # Exit
if espera_fin "$pid" 20; then
    [ "$ESTADO" = 0 ] || falla "exit status $ESTADO in the read-only directory, expected 0"
else
    falla "the game did not end after Exit"
fi
ls "$solo" | grep -v -x -e datos.dat -e patches.dat | sed 's/^/written: /' | grep . && falla "files appeared"
[ -s "$DIR/mensajes.txt" ] && falla "a message was shown: $(cat "$DIR/mensajes.txt")"

echo "lugares hostiles: $fallos faults in $((SECONDS - inicio)) s"
exit "$fallos"
