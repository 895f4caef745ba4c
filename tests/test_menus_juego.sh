#!/bin/bash
# Every option of the main menu at the keyboard, from a first start in an
# empty directory: the default files written; a key pressed while the
# pointer walks dropped; the language switch (file and screen); each line of
# the settings rewriting the file, the keys defined with W for up (a key
# already given refused) and saved; the hall of fame and the credits rolling;
# a game walked into the traffic until the ambulance fees take all the
# money, a name entered in the table; Exit with status 0. A second start
# plays with the saved keys. $1: the directory of the built game.
set -u
. "$(dirname "$0")/apoyo.sh"
pantalla_propia || exit 1
dir_de_juego "$(cd "$1" && pwd)" || exit 1
mensajero
bytes() { od -An -tu1 "${2:-zumbelo.cfg}" 2>/dev/null | tr -s ' ' | sed 's/^ //; s/ $//'; }
# Waits for the settings file to hold the bytes $1, written after $2.
espera_cfg() {
    local b=$1
    espera '[ "$(bytes)" = "$b" ]' 20 || falla "zumbelo.cfg holds '$(bytes)' after $2, expected '$b'"
}
opciones=150x125+150+225   # the first option texts
titulo=300x100+330+10      # the title words

juega || aborta "no game window"
espera '[ "$(linea)" = 0 ]' || aborta "no pointer at the first option"
[[ "$(bytes)" =~ ^"0 1 0 0 "[0-6]$ ]] || falla "first zumbelo.cfg holds '$(bytes)', expected 0 1 0 0 and 0..6"
v=$(bytes | awk '{ print $5 }')
[ "$(stat -c %s scores.his)" = 141 ] && [ "$(head -c1 scores.his)" = R ] || falla "no default scores.his"

# Two Downs at once: the second comes while the pointer walks and is dropped.
recorte "$titulo" titulo_es.png
pulsa Down Down
espera '[ "$(linea)" != 0 ]' 20 && espera 'l=$(linea); [ -n "$l" ]' && [ "$l" = 1 ] || falla "two quick Downs took the pointer to line ${l:-?}"
elige 1 || aborta "no language line"
espera_cfg "1 1 0 0 $v" "the language switch"
espera '! como "$titulo" titulo_es.png 500' 20 || falla "the title words did not change language"

# The settings, line by line; the screen mode opens the screen again.
elige 2 || aborta "no settings line"
espera 'escrito 60x16+300+335 300' 20 || aborta "no settings menu"
elige 0
espera_cfg "1 1 0 1 $v" "the screen mode"
espera_ventana || aborta "no game window after the screen mode"
elige 1
espera_cfg "1 0 0 1 $v" "the sound"
# The keys: each action's name appears when it is asked for; W twice (the
# second refused) and Down for down.
elige 2
for t in w "w Down" Left Right Return Escape; do
    i=$((${i:--1} + 1))
    espera "accion_pedida $i" 20 || aborta "the key definition did not ask for action $i"
    pulsa $t
done
espera '[ "$(bytes . zumbelo.keys)" = "84 23 85 82 83 67 59" ]' 20 ||
    falla "zumbelo.keys holds '$(bytes . zumbelo.keys)' after the key definition"
elige 3
espera_cfg "1 0 1 1 $v" "the graphic set"
elige 3
espera_cfg "1 0 0 1 $v" "the graphic set again"
elige 4
espera_cfg "1 0 0 1 $(((v + 1) % 7))" "the frame skipping"
elige 4
espera_cfg "1 0 0 1 $(((v + 2) % 7))" "the frame skipping again"
elige 5 || aborta "no line back"
espera '[ "$(linea)" = 0 ] && ! escrito 60x16+300+335 20' 20 || aborta "no main menu after the settings"
recorte "$opciones" menu_en.png

# The hall of fame, then any key; the credits roll until a key.
elige 3
espera 'escrito 150x12+175+425' 20 || falla "no tenth line in the hall of fame"
pulsa space
espera 'como "$opciones" menu_en.png 10' 20 || aborta "no main menu after the hall of fame"
elige 4
espera '! como "$titulo" titulo_es.png 2000' 20 || falla "no credits"
recorte 640x480+0+0 creditos.png
espera '! como 640x480+0+0 creditos.png 100' 20 || falla "the credits do not roll"
pulsa space
espera 'como "$opciones" menu_en.png 10' 30 || aborta "no main menu after the credits"

# Into the traffic, down over some lanes and back to the top (the times only
# pace the walk), until the fees take all the money; a game without a record
# is played again. The name goes in the table once.
rojo() { color 640x1+0+6 | awk '{ exit !($1 > 100 && $1 > $3 + 60 && $1 > $2 + 40) }'; }
en_titulo() { ! escrito 200x100+20+60 500; }
felicitado=0
for partida in 1 2 3; do
    elige 0 || aborta "no Start"
    espera en_carretera 30 || aborta "no road"
    hasta=$((SECONDS + 200))
    until en_titulo; do
        [ "$SECONDS" -lt "$hasta" ] || aborta "the money never ran out"
        if rojo; then espera '! rojo' 30; continue; fi       # the ambulance crosses
        en_carretera || continue                             # the game-over message
        pulsa Down                                           # into the lanes...
        espera rojo 1.2 || { pulsa w; espera rojo 1.5; }     # ...and back up with W

    done
    # The name is asked for under the title, or the main menu is back.
    espera '[ -n "$(linea)" ] || escrito 50x16+400+302 300' 30 || aborta "no menu nor name entry after the game"
    [ -n "$(linea)" ] && continue
    felicitado=1
    xdotool type --delay 60 Probador
    pulsa Return
    break
done
[ "$felicitado" = 1 ] || falla "no congratulations in three games"
espera '[ "$(grep -c Probador scores.his)" = 1 ]' 20 || falla "the name is not in scores.his once"
[ "$(stat -c %s scores.his)" = 141 ] || falla "scores.his is not 141 bytes"
sal
sin_mensajes

# A second start plays with the keys saved: W takes the pointer up.
juega || aborta "no game window at the second start"
espera '[ "$(linea)" = 0 ]' || aborta "no pointer at the second start"
pulsa Down
espera '[ "$(linea)" = 1 ]' 20 || falla "Down did not move the pointer at the second start"
pulsa w
espera '[ "$(linea)" = 0 ]' 20 || falla "W, saved for up, did not take the pointer up"
sal
termina
