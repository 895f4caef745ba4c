#!/bin/bash
# The scripted tour that ./run plays without a screen: it ends with status
# 0, leaves a picture of every screen that looks like that screen, and an
# audio capture that is not silent. $1: the directory of the built game,
# $2: the source tree.
set -u
run="$(cd "$1" && pwd)"
raiz="$(cd "$2" && pwd)"
dir=$(mktemp -d /tmp/zumbelo-gira-XXXXXX)
trap 'rm -rf "$dir"' EXIT
inicio=$SECONDS
fallos=0
falla() { echo "FALLO: $*"; fallos=1; }

bash "$raiz/tools/gira.sh" -r "$run" "$dir/gira" > "$dir/salida.txt" 2>&1
estado=$?
grep -v '^ALSA lib' "$dir/salida.txt"
if [ "$estado" != 0 ]; then
    cp "$dir/gira/fallo.png" /tmp/zumbelo-gira-fallo.png 2>/dev/null && echo "its last screen: /tmp/zumbelo-gira-fallo.png"
    echo "FALLO: the tour ended with status $estado"
    exit 1
fi
cd "$dir/gira" || exit 1

# Each screen, told by a part of it: the mean colour "r g b" (0..255) of a
# part of a picture, and the pixels where two pictures differ in a part.
color() {
    convert "$1" -crop "$2" +repage -scale 1x1! -depth 8 txt:- |
        sed -n '2s/[^(]*(\([0-9.]*\),\([0-9.]*\),\([0-9.]*\).*/\1 \2 \3/p'
}
distintos() {
    convert "$1" -crop "$3" +repage uno.png
    convert "$2" -crop "$3" +repage otro.png
    compare -metric AE -fuzz 5% uno.png otro.png null: 2>&1 | cut -d' ' -f1
}
cumple() { color "$1" "$2" | awk "{ exit !($3) }"; }
opciones=150x125+150+225
titulo=300x100+330+10

esperadas="menu_es menu_en opciones records creditos carretera pausa"
grep -q "never reached the slope" "$dir/salida.txt" || esperadas="$esperadas tienda pista"
for f in $esperadas; do
    [ "$(identify -format %wx%h "$f.png" 2>/dev/null)" = 640x480 ] || falla "no 640x480 $f.png"
done
[ -e fallo.png ] && falla "a failure picture was left"

# The menus: one title picture, a different list under it each time; the
# language switch changes both.
for f in opciones records; do
    [ "$(distintos menu_en.png $f.png $titulo)" -lt 200 ] || falla "$f.png: not under the title"
done
[ "$(distintos menu_es.png menu_en.png $titulo)" -gt 500 ] || falla "the title's language did not change"
[ "$(distintos menu_es.png menu_en.png $opciones)" -gt 500 ] || falla "the menu's language did not change"
[ "$(distintos menu_en.png opciones.png $opciones)" -gt 500 ] || falla "opciones.png is the main menu"
[ "$(distintos menu_en.png records.png $opciones)" -gt 500 ] || falla "records.png is the main menu"
[ "$(distintos menu_en.png creditos.png $titulo)" -gt 2000 ] || falla "creditos.png: the title picture"

# The road: its picture between the carriageways, a white status line; the
# shop's purchase turns the status line blue; the slope is white.
[ "$(distintos "$raiz/docs/carretera0.png" carretera.png 640x5+0+221)" -lt 200 ] || falla "carretera.png: no road"
cumple carretera.png 640x1+0+6 '$1 > 150 && $2 > 150 && $3 > 150' || falla "carretera.png: status line"
if [ -e pista.png ]; then
    cumple tienda.png 640x1+0+6 '$3 > 100 && $3 > $1 + 40' || falla "tienda.png: no price on blue"
    cumple pista.png 640x300+0+100 '$1 > 200 && $2 > 200 && $3 > 200' || falla "pista.png: not the white slope"
fi
# The pause box from (130, 160) to (510, 320): a see-through yellow frame
# round a see-through blue inside; outside it the scene as it was.
cumple pausa.png 8x140+131+170 '$1 > $3 + 60 && $2 > $3 + 60' || falla "pausa.png: no yellow frame"
cumple pausa.png 6x130+490+175 '$3 > $1 + 60' || falla "pausa.png: no blue inside"
cumple pausa.png 20x140+100+170 '!($1 > $3 + 60 && $2 > $3 + 60)' || falla "pausa.png: the frame is too wide"
# Its eight stated corners: the frame (180, 180, 0) and then the inside
# (0, 100, 180) blended at alpha 170 (the library's 16-bit blender keeps
# 21/32 of the new colour) over the scene. Each channel lies between the
# blend over black and the blend over white; over the snow it is the blend
# over white, but for a corner or two an obstacle may stand under.
exactas=0
for esquina in 130,160,fuera 510,160,fuera 130,320,fuera 510,320,fuera \
    140,170,dentro 500,170,dentro 140,310,dentro 500,310,dentro; do
    IFS=, read -r x y caja <<< "$esquina"
    convert pausa.png -crop "1x1+$x+$y" +repage -depth 8 txt:- |
        sed -n '2s/[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
        awk -v caja="$caja" '
            function mezcla(nuevo, bajo) { return nuevo * 21 / 32 + bajo * 11 / 32 }
            {
                split("180 180 0", fuera); split("0 100 180", dentro); exacta = 1
                for (k = 1; k <= 3; k++) {
                    negro = mezcla(fuera[k], 0); blanco = mezcla(fuera[k], 255)
                    if (caja == "dentro") { negro = mezcla(dentro[k], negro); blanco = mezcla(dentro[k], blanco) }
                    if ($k < negro - 10 || $k > blanco + 10) exit 2
                    if ($k < blanco - 12) exacta = 0
                }
                exit !exacta
            }'
    case $? in
    0) exactas=$((exactas + 1)) ;;
    2) falla "pausa.png: the $caja box colour is not at ($x, $y)" ;;
    esac
done
if [ -e pista.png ] && [ "$exactas" -lt 6 ]; then falla "only $exactas of the 8 box corners over the snow are exact"; fi

# The audio: the menu tune, the level tune and the effects, long and loud
# enough to be heard.
sox sonido.wav -n stat 2> stat.txt || falla "sonido.wav is not a sound file"
[ "$(soxi -r sonido.wav) $(soxi -c sonido.wav)" = "44100 2" ] || falla "sonido.wav: not 44100 Hz stereo"
awk -F: '/Length/ { l = $2 } /RMS +amplitude/ { r = $2 } /Maximum amplitude/ { p = $2 }
    END { exit !(l > 20 && r > 0.01 && p > 0.1) }' stat.txt || { cat stat.txt; falla "sonido.wav is silent or short"; }

[ "$fallos" = 0 ] && echo "gira: todo bien en $((SECONDS - inicio)) s"
exit "$fallos"
