#!/bin/sh
# Builds the picture gallery of both sprite sheets (every entry cut and
# composed as the game does, 3x on a checkerboard) into docs/galeria.png,
# 1x previews of the road, title and credits pictures, and two stills per
# graphic set of the figures in play (escena: the road with traffic;
# nieve: the slope) into docs/.
# Needs the build tools and ImageMagick's convert.
set -e
raiz=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$raiz/build" --target galeria > /dev/null
"$raiz/build/tools/galeria" "$tmp" "${1:-3}"
mkdir -p "$raiz/docs"
convert "$tmp/galeria.ppm" -strip -define png:exclude-chunks=date,time "$raiz/docs/galeria.png"
for p in carretera0 carretera1 titulo creditos escena0 escena1 nieve0 nieve1; do
    convert "$tmp/$p.ppm" -strip -define png:exclude-chunks=date,time "$raiz/docs/$p.png"
done
echo "written: docs/galeria.png and the previews docs/{carretera,escena,nieve}{0,1}.png docs/titulo.png docs/creditos.png"
