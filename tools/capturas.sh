#!/bin/bash
# Captures every screen of the built game into docs/pantallas/: the title and
# main menu in both languages, the settings, the key definition, the hall of
# fame, the credits, the road, the ski-hire shop, the ski slope, the pause
# box, the congratulations and the game-over screen. It plays the scripted
# tour of tools/gira.sh with every screen on.
# Needs the game built (./run or cmake) and Xvfb, xdotool, ImageMagick and
# python3. With SONIDO=file.wav the game plays with sound on and its mixed
# output is written to that file, to be listened to or measured with sox.
raiz=$(cd "$(dirname "$0")/.." && pwd)
if [ -n "${SONIDO:-}" ]; then
    exec "$raiz/tools/gira.sh" -c -s "$SONIDO" "$raiz/docs/pantallas"
fi
exec "$raiz/tools/gira.sh" -c -m "$raiz/docs/pantallas"
