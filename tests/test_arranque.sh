#!/bin/bash
# The game started in an empty working directory: it writes its settings
# file, and without datos.dat it ends with status 1 after the Spanish fatal
# message (printed on the terminal, as no xmessage is on the PATH).
# $1: the directory of the built game; $2: the source tree.
set -u
juego="$(cd "$1" && pwd)/zumbelo"
dir=$(mktemp -d /tmp/zumbelo-arranque-XXXXXX)
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1
mkdir sin-programas
fallos=0

falla() { echo "FALLO: $*"; fallos=$((fallos + 1)); }

arranca() {
    timeout 60 env PATH="$dir/sin-programas" "$juego" >salida.txt 2>error.txt
    echo $?
}

bytes() { od -An -tu1 zumbelo.cfg | tr -s ' ' | sed 's/^ //; s/ $//'; }

# A first run: defaults written, then the missing datafile ends it.
rc=$(arranca)
[ "$rc" = 1 ] || falla "exit status $rc, expected 1"
cat salida.txt error.txt > mensajes.txt
grep -q "^ \{19\}ERROR FATAL$" mensajes.txt || falla "no fatal message"
grep -q "^ No se encuentra el archivo DATOS.DAT" mensajes.txt || falla "fatal message without the file name"
[ -f zumbelo.cfg ] || falla "no zumbelo.cfg written"
[ "$(stat -c %s zumbelo.cfg 2>/dev/null)" = 5 ] || falla "zumbelo.cfg is not five bytes"
case "$(bytes)" in
    "0 1 0 0 "[0-6]) ;;
    *) falla "zumbelo.cfg holds '$(bytes)', expected 0 1 0 0 and a frame skipping 0..6" ;;
esac

# A damaged file is repaired at start-up; the window it asks for is granted.
printf '\011\011\011\011\011' > zumbelo.cfg
rc=$(arranca)
[ "$rc" = 1 ] || falla "exit status $rc with a damaged settings file"
[ "$(bytes)" = "0 1 0 1 0" ] || falla "damaged settings became '$(bytes)', expected 0 1 0 1 0"

[ "$fallos" = 0 ] && echo "arranque: todo bien"
exit "$fallos"
