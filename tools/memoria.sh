#!/bin/bash
# Memory over a game and over many, on a virtual display of its own.
#
#   tools/memoria.sh RUNDIR
#
# 1. Leaks: the game of RUNDIR (a plain build, not a sanitized one) runs under
#    valgrind's memcheck with --leak-check=full through a start, one game (the
#    road a moment, the pause box, abandon, a name typed should the score be
#    asked for) and Exit. Fails when a definitely or indirectly lost block was
#    allocated with a frame of our code in its stack, told by the frame's
#    object (the game's own binary) or its source file (under src/). Leaks
#    that lie wholly inside the libraries below our calls are suppressed by
#    tools/valgrind.supp, each with its reason; what is left of the libraries'
#    is counted, not failed.
# 2. Growth: the same binary without valgrind plays 20 quick games (start,
#    pause, abandon; the default hall of fame asks for no name) and the
#    anonymous memory of the process (heap, mapped blocks and stacks:
#    "Anonymous" of /proc/PID/smaps_rollup) is read in the main menu after
#    the first game and after the twentieth. Fails when it grew by more than
#    1 MB.
# Screens are told apart by comparing a small copy of the screen with the
# title backdrop and the road pictures of docs/. Prints the figures of both.
set -u
run=$(cd "${1:?run directory}" && pwd -P)  # as valgrind names the binary
raiz=$(cd "$(dirname "$0")/.." && pwd)
juego="$run/zumbelo"
[ -x "$juego" ] || { echo "no game in $run"; exit 1; }
. "$raiz/tests/apoyo.sh"

pantalla_propia || exit 1
dir_de_juego "$run" || exit 1
inicio=$SECONDS
pid=""
al_salir '[ -n "$pid" ] && kill -9 $pid'

falla() {
    echo "FAILED: $*"
    import -window root /tmp/zumbelo-memoria-fallo.png 2>/dev/null
    cp menu.png /tmp/zumbelo-memoria-menu.png 2>/dev/null
    cp opciones.png /tmp/zumbelo-memoria-opciones.png 2>/dev/null
    [ -s salida.txt ] && { echo "== game output (last lines)"; grep -v '^ALSA' salida.txt | tail -20; }
    exit 1
}

# Sound on through ALSA into nothing, so tunes and effects are made too;
# Spanish, set 0, in a window, no frame skipping.
printf '\000\001\000\001\000' > zumbelo.cfg
printf 'pcm.!default { type file; slave.pcm "null"; file "/dev/null"; format "raw" }\n' > alsa.conf
export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$DIR/alsa.conf"
mkdir programas
printf '#!/bin/sh\necho "$*" >> "%s/mensajes.txt"\n' "$DIR" > programas/xmessage
chmod +x programas/xmessage
export PATH="$DIR/programas:$PATH"

convert "$raiz/docs/titulo.png" -scale 160x120 -depth 8 ref_titulo.ppm
convert "$raiz/docs/carretera0.png" -scale 160x120 -depth 8 ref_carretera.ppm
parecido() {
    local d
    d=$(compare -metric AE -fuzz 12% muestra.ppm "$1" null: 2>&1)
    [ "${d%%.*}" -lt 6000 ] 2>/dev/null   # of 19200 small pixels
}
# What the screen shows: ESTADO titulo (a menu over the title backdrop),
# carretera (the road) or otro; HUELLA a fingerprint of it.
mira() {
    ESTADO=otro
    import -window root -crop 640x480+0+0 +repage miff:- 2>/dev/null |
        convert - -scale 160x120 -depth 8 muestra.ppm 2>/dev/null || return 1
    HUELLA=$(md5sum < muestra.ppm)
    if parecido ref_titulo.ppm; then ESTADO=titulo
    elif parecido ref_carretera.ppm; then ESTADO=carretera
    fi
}
# Waits up to $2 seconds for the screen $1, and a moment more for it to settle.
espera() {
    local hasta=$((SECONDS + $2))
    while [ $SECONDS -lt $hasta ]; do
        kill -0 "$pid" 2>/dev/null || return 1
        mira && [ "$ESTADO" = "$1" ] && { sleep "$ASIENTO"; return 0; }
        sleep 0.5
    done
    return 1
}
# Waits up to $1 seconds for a screen that stays the same from one look to
# the next: no fade, no walk, no traffic (on the road only the pause box is still).
quieta() {
    local hasta=$((SECONDS + $1)) antes=""
    while [ $SECONDS -lt $hasta ]; do
        kill -0 "$pid" 2>/dev/null || return 1
        mira || continue
        [ "$HUELLA" = "$antes" ] && return 0
        antes=$HUELLA
        sleep "$ASIENTO"
    done
    return 1
}
# Whether the main menu's option list looks as it did at the start.
en_menu() {
    import -window root -crop "$OPCIONES" +repage opciones.png 2>/dev/null &&
        [ "$(compare -metric AE opciones.png menu.png null: 2>&1)" = 0 ]
}
# The keys given, on the game's window, $ESPACIO seconds ($DEMORA ms) apart and after.
# Each key is held down for $PULSO seconds: under valgrind the game sees a
# bare tap too seldom to take it.
tecla() {
    local k
    xdotool windowfocus --sync "$VENTANA" 2>/dev/null
    for k in "$@"; do
        xdotool keydown "$k" sleep "$PULSO" keyup "$k" sleep "$(awk -v d="$DEMORA" 'BEGIN { print d / 1000 }')" 2>/dev/null
    done
    sleep "$ESPACIO"
}
OPCIONES=150x125+150+225
# The main menu once it has settled, to know it again.
primer_menu() {
    espera titulo "$LIMITE" && quieta "$LIMITE" || falla "no main menu"
    import -window root -crop "$OPCIONES" +repage menu.png 2>/dev/null
}

# The pause box is open: its see-through frame is yellow.
caja_abierta() { color 8x140+131+170 | awk '{ exit !($1 > $3 + 60 && $2 > $3 + 60) }'; }
# Waits up to $1 seconds for the pause box.
espera_caja() {
    local hasta=$((SECONDS + $1))
    while [ $SECONDS -lt $hasta ]; do
        kill -0 "$pid" 2>/dev/null || return 1
        caja_abierta && return 0
        sleep 0.3
    done
    return 1
}

# One game from the main menu back to it: the road for a moment, the pause
# box, the cursor walked down to abandon (keys pressed while he walks are
# thrown away, so each key waits for him to stand), Enter until the box is
# gone, and a name when one is asked for.
partida() {
    local n y
    tecla Return
    sleep 1   # the colour sweep before the road
    espera carretera "$LIMITE" || falla "no road after Enter in the main menu"
    # A few steps down onto the road and back up.
    [ "${1:-}" = paseo ] && DEMORA=300 tecla Down Up
    for ((n = 0; n < 6; n++)); do
        tecla Escape   # thrown away during an accident: again
        espera_caja "$REINTENTO" && break
    done
    caja_abierta || falla "no pause box"
    sleep "$ASIENTO"   # the box has grown
    for ((n = 0; n < 40; n++)); do
        y=$(figura_en 30x100+155+190)
        [ -n "$y" ] && [ "$y" -ge 68 ] && break
        [ -n "$y" ] && [ "$y" -le 26 ] && tecla Down
        sleep 0.5
    done
    [ -n "$y" ] && [ "$y" -ge 68 ] || falla "the pause box's cursor did not reach abandon"
    for ((n = 0; n < 6; n++)); do
        tecla Return
        espera titulo "$REINTENTO" && break
    done
    for ((n = 0; n < 10; n++)); do
        quieta "$REINTENTO" || continue
        [ "$ESTADO" = titulo ] || continue
        en_menu && return 0
        tecla a Return   # a record: a name
    done
    falla "the game did not end from the pause box"
}
# Down to Exit and Enter, again should a step have been thrown away.
sal() {
    local vez
    for vez in 1 2 3; do
        tecla Down Down Down Down Down Return
        for _ in $(seq "$LIMITE"); do kill -0 "$pid" 2>/dev/null || break; sleep 1; done
        kill -0 "$pid" 2>/dev/null || break
        mira; [ "$ESTADO" = otro ] && tecla Escape   # the credits: any key leaves them
        espera titulo "$LIMITE"
    done
    kill -0 "$pid" 2>/dev/null && falla "the game did not end through Exit"
    wait "$pid"
    local estado=$?
    pid=""
    [ "$estado" = 0 ] || falla "exit status $estado"
    [ -s mensajes.txt ] && falla "the game showed a message: $(cat mensajes.txt)"
}

# ---------------------------------------------------------------- 1. leaks
# A busy X server may turn away a client as slow as the game under valgrind:
# the game then ends at once with its "no graphics mode" message, and is
# started again (three times at the most).
for vez in 1 2 3; do
    valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
        --errors-for-leak-kinds=definite,indirect --num-callers=40 --fair-sched=yes \
        --suppressions="$raiz/tools/valgrind.supp" --xml=yes --xml-file=valgrind.xml \
        "$juego" >salida.txt 2>&1 &
    pid=$!
    espera_ventana || { kill -0 "$pid" 2>/dev/null && sleep 40 && espera_ventana; } && break
    kill -0 "$pid" 2>/dev/null && break
    echo "memoria: start $vez under valgrind ended before its window: $(grep -v '^ALSA' salida.txt | tr '\n' ' ')"
done
LIMITE=90 REINTENTO=30 ESPACIO=2.5 DEMORA=2500 ASIENTO=3 PULSO=0.4
[ -n "$VENTANA" ] || falla "no game window under valgrind"
primer_menu
partida paseo
sal
python3 - valgrind.xml "$juego" <<'EOF' || falla "valgrind: blocks lost by our code"
# Lost blocks and memory errors, each with its stack; ours when a frame is in
# the game's binary or in a source file under src/.
import sys, xml.etree.ElementTree as ET
arbol = ET.parse(sys.argv[1])
juego = sys.argv[2]
def nuestro(f):
    return f.findtext("obj") == juego or "/src/" in (f.findtext("dir") or "") + "/"
def pila(e):
    return ["%s %s" % (f.findtext("fn") or "?", f.findtext("file") or f.findtext("obj") or "")
            for f in e.iter("frame")]
nuestras, ajenas, bytes_ajenos = [], 0, 0
for e in arbol.getroot().iter("error"):
    tipo = e.findtext("kind")
    perdida = tipo in ("Leak_DefinitelyLost", "Leak_IndirectlyLost")
    if not perdida:
        continue
    if any(nuestro(f) for f in e.iter("frame")):
        nuestras.append((tipo, e.findtext("xwhat/text") or e.findtext("what"), pila(e)))
    else:
        ajenas += 1
        bytes_ajenos += int(e.findtext("xwhat/leakedbytes") or 0)
supr = sum(int(s.findtext("count")) for s in arbol.getroot().iter("pair"))
print("valgrind: %d lost records of our code, %d of the libraries alone (%d bytes), %d suppressed"
      % (len(nuestras), ajenas, bytes_ajenos, supr))
for tipo, que, p in nuestras:
    print(tipo, que)
    for linea in p[:25]:
        print("   ", linea)
sys.exit(1 if nuestras else 0)
EOF
echo "memoria: valgrind part done in $((SECONDS - inicio)) s"

# ---------------------------------------------------------------- 2. growth
rm -f scores.his
for vez in 1 2 3; do
    "$juego" >salida.txt 2>&1 &
    pid=$!
    espera_ventana && break
    kill -0 "$pid" 2>/dev/null && break
    echo "memoria: start $vez ended before its window: $(grep -v '^ALSA' salida.txt | tr '\n' ' ')"
done
LIMITE=30 REINTENTO=8 ESPACIO=0.5 DEMORA=500 ASIENTO=0.3 PULSO=0.05
[ -n "$VENTANA" ] || falla "no game window"
primer_menu
anonima() { awk '/^Anonymous:/ { print $2 }' "/proc/$pid/smaps_rollup"; }
for n in $(seq 20); do
    partida
    [ "$n" = 1 ] && { sleep 1; tras1=$(anonima); echo "memoria: first game done at $((SECONDS - inicio)) s"; }
done
sleep 1
tras20=$(anonima)
sal
echo "memoria: twenty games done at $((SECONDS - inicio)) s"
echo "memoria: anonymous memory after game 1: $tras1 kB, after game 20: $tras20 kB ($((tras20 - tras1)) kB)"
[ $((tras20 - tras1)) -le 1024 ] || falla "memory grew by more than 1 MB over 19 games"
echo "memoria: all good in $((SECONDS - inicio)) s"
