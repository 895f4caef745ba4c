#!/bin/bash
# The first start in an empty directory and every option of the main menu,
# with real key presses: the default settings and hall of fame written, the
# language switch (file and screen), each line of the settings (file
# rewritten, line redrawn, W given for up and the keys saved, back), the hall
# of fame, the credits rolling, a game started and abandoned, and Exit with
# status 0; then a second start, whose pointer goes up with W.
# $1: the directory of the built game.
set -u
run="$(cd "$1" && pwd)"
. "$(dirname "$0")/apoyo.sh"
pantalla_propia 640x480x16 || exit 1
dir_de_juego "$run" || exit 1
mensajero
inicio=$SECONDS
PAUSA_TECLA=0.4
falla() { echo "FALLO: $*"; import -window root "$DIR/fallo.png" 2>/dev/null; cp "$DIR/fallo.png" /tmp/zumbelo-menus-fallo.png 2>/dev/null; exit 1; }
bytes() { od -An -tu1 zumbelo.cfg | tr -s ' ' | sed 's/^ //; s/ $//'; }
# Waits up to 10 s for the settings file to hold the bytes given.
espera_cfg() {
    for _ in $(seq 50); do [ "$(bytes)" = "$1" ] && return 0; sleep 0.2; done
    falla "zumbelo.cfg holds '$(bytes)', expected '$1' ($2)"
}
opciones=150x125+150+225   # the first option texts
lista=400x165+150+225      # every line of a menu
titulo=300x100+330+10      # the title words

"$run/zumbelo" > salida.txt 2>&1 &
pid=$!
al_salir "kill $pid"
espera_ventana || falla "no game window"
espera_quieto "$opciones" menu_es.png 40 || falla "the main menu never settled"

# ---- First start: the defaults on disk.
[[ "$(bytes)" =~ ^"0 1 0 0 "[0-6]$ ]] || falla "first zumbelo.cfg holds '$(bytes)', expected 0 1 0 0 and 0..6"
velocidad=$(bytes | awk '{ print $5 }')
python3 - <<'EOF' || falla "the first scores.his is not the default table"
import struct
b = open("scores.his", "rb").read()
assert len(b) == 141 and b[:1] == b"R", len(b)
assert [struct.unpack("<i", b[11 + 14 * r: 15 + 14 * r])[0] for r in range(10)] == list(range(1000, 0, -100))
assert all(b"\0" in b[1 + 14 * r: 11 + 14 * r] for r in range(10))
EOF

# ---- Language: the byte in the file and every text on the screen.
recorte "$titulo" titulo_es.png
pulsa Down Return
espera_cfg "1 1 0 0 $velocidad" "after the language switch"
espera_cambio "$titulo" 20 titulo_es.png || falla "the title words did not change language"
espera_quieto "$opciones" menu_en.png 20 || falla "the English menu never settled"
como "$opciones" menu_es.png && falla "the options did not change language"
recorte "$titulo" titulo_en.png

# The pointer of the main menu: the top row of his jacket, empty when not seen.
puntero() { figura_en 40x220+95+215; }
# Waits up to 10 s for the pointer to stand still and $1 to hold for his row.
espera_puntero() {
    local y antes=""
    for _ in $(seq 50); do
        y=$(puntero)
        [ -n "$y" ] && [ "$y" = "$antes" ] && eval "$1" && return 0
        antes=$y
        sleep 0.2
    done
    return 1
}

# ---- Settings, line by line; the selection stays on the line chosen.
pulsa Down Down Return
espera_cambio "$opciones" 20 menu_en.png || falla "no settings menu"
espera_quieto "$lista" ajustes0.png 20 || falla "the settings never settled"
paso_ajuste() {  # $1 what, $2 the bytes expected after it; the lines must be redrawn
    local antes=$3
    espera_cfg "$2" "$1"
    espera_ventana || falla "no game window after $1"
    espera_quieto "$lista" "$4" 30 || falla "the settings did not settle after $1"
    como "$lista" "$antes" && falla "the settings line did not change after $1"
    return 0
}
pulsa Return                                        # full screen -> window
paso_ajuste "the screen mode" "1 1 0 1 $velocidad" ajustes0.png ajustes1.png
pulsa Down Return                                   # sound off
paso_ajuste "the sound" "1 0 0 1 $velocidad" ajustes1.png ajustes2.png
pulsa Down Return                                   # define keys
espera_cambio "$lista" 20 ajustes2.png || falla "no key definition screen"
sleep 1
# W for up and the other five as they were; a key already given is refused (W twice).
pulsa w w Down Left Right Return Escape
sleep 1.5
espera_quieto "$lista" ajustes3.png 20 || falla "the settings did not come back after the keys"
como "$lista" ajustes2.png || falla "the settings lines changed after the key definition"
# 'T' and the scan codes of W, Down, Left, Right, Enter and Escape.
teclas=$(od -An -tu1 zumbelo.keys 2>/dev/null | tr -s ' ' | sed 's/^ //; s/ $//')
[ "$teclas" = "84 23 85 82 83 67 59" ] || falla "zumbelo.keys holds '$teclas' after the key definition"
pulsa Down Return                                   # graphic set 1
paso_ajuste "the graphic set" "1 0 1 1 $velocidad" ajustes3.png ajustes4.png
pulsa Down Return                                   # frame skipping, twice
paso_ajuste "the frame skipping" "1 0 1 1 $(((velocidad + 1) % 7))" ajustes4.png ajustes5.png
pulsa Return
paso_ajuste "the frame skipping again" "1 0 1 1 $(((velocidad + 2) % 7))" ajustes5.png ajustes6.png
pulsa Down Return                                   # back
espera_quieto "$opciones" vuelta.png 20 || falla "no main menu after the settings"
como "$opciones" menu_en.png || falla "the main menu is not the English one after the settings"

# ---- Hall of fame: the table, then any key back to the menu.
pulsa Down Down Down Return
espera_cambio "$opciones" 20 menu_en.png || falla "no hall of fame"
espera_quieto 300x200+175+245 tabla.png 20 || falla "the hall of fame never settled"
pulsa space
espera_quieto "$opciones" vuelta.png 20 && como "$opciones" menu_en.png || falla "no main menu after the hall of fame"

# ---- Credits: the roll moves up until a key is pressed.
pulsa Down Down Down Down Return
espera_cambio "$titulo" 20 titulo_en.png || falla "no credits"
sleep 2
recorte 640x480+0+0 creditos1.png
sleep 0.7
como 640x480+0+0 creditos1.png && falla "the credits do not roll"
pulsa space
espera_quieto "$opciones" vuelta.png 30 && como "$opciones" menu_en.png || falla "no main menu after the credits"

# ---- Start: the road with its status band; abandoned from the pause box.
pulsa Return
espera_cambio "$titulo" 20 titulo_en.png || falla "no game started"
sleep 3
recorte 640x12+0+0 banda.png
blanco=$(convert banda.png -fx '(r>0.95 && g>0.95 && b>0.95)' -format '%[fx:mean]' info:)
awk -v b="$blanco" 'BEGIN { exit !(b > 0.25) }' || falla "no white status band on the road ($blanco)"
pulsa Escape
sleep 1.5
pulsa Down Return
# The title back, not the pause box standing still while its cursor walks off.
for _ in $(seq 200); do como "$titulo" titulo_en.png && break; sleep 0.2; done
espera_quieto "$opciones" vuelta.png 40 && como "$opciones" menu_en.png || falla "no main menu after the abandoned game"

# ---- Exit.
pulsa Down Down Down Down Down Return
espera_fin "$pid" 20 || falla "the game did not end after Exit"
[ "$ESTADO" = 0 ] || falla "exit status $ESTADO, expected 0"
[ -s mensajes.txt ] && falla "a message was shown: $(cat mensajes.txt)"

# ---- A second start plays with the keys saved: W takes the pointer up.
"$run/zumbelo" >> salida.txt 2>&1 &
pid=$!
al_salir "kill $pid"
espera_ventana || falla "no game window at the second start"
espera_quieto "$opciones" segundo.png 40 || falla "the main menu never settled at the second start"
espera_puntero true || falla "no pointer beside the options"
arriba=$(puntero)
pulsa Down
espera_puntero '[ "$y" -gt $((arriba + 10)) ]' || falla "Down did not move the pointer at the second start"
pulsa w
espera_puntero '[ "$y" = "$arriba" ]' || falla "W, saved for up, did not take the pointer up at the second start"
pulsa Down Down Down Down Down Return
espera_fin "$pid" 20 || falla "the game did not end after Exit at the second start"
[ "$ESTADO" = 0 ] || falla "exit status $ESTADO at the second start, expected 0"
echo "menus: todo bien en $((SECONDS - inicio)) s"
