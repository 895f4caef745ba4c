#!/bin/bash
# The game started in an empty directory: it writes its settings file, and
# without datos.dat it ends with status 1 after the Spanish fatal message (on
# the terminal, as no xmessage is on the PATH). $1: the built game's directory.
set -u
juego="$(cd "$1" && pwd)/zumbelo"
dir=$(mktemp -d /tmp/zumbelo-arranque-XXXXXX)
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1
mkdir sin-programas
fallos=0
falla() { echo "FALLO: $*"; fallos=$((fallos + 1)); }
arranca() { timeout 60 env PATH="$dir/sin-programas" "$juego" >mensajes.txt 2>&1; }
bytes() { od -An -tu1 zumbelo.cfg | tr -s ' ' | sed 's/^ //; s/ $//'; }

arranca
rc=$?
[ "$rc" = 1 ] || falla "exit status $rc, expected 1"
grep -q "^ \{19\}ERROR FATAL$" mensajes.txt || falla "no fatal message"
grep -q "^ No se encuentra el archivo DATOS.DAT" mensajes.txt || falla "fatal message without the file name"
[ "$(stat -c %s zumbelo.cfg 2>/dev/null)" = 5 ] || falla "no five-byte zumbelo.cfg written"
[[ "$(bytes)" =~ ^"0 1 0 0 "[0-6]$ ]] || falla "zumbelo.cfg holds '$(bytes)', expected 0 1 0 0 and 0..6"

# A damaged file is repaired at start-up; the window it asks for is granted.
printf '\011\011\011\011\011' > zumbelo.cfg
arranca
rc=$?
[ "$rc" = 1 ] || falla "exit status $rc with a damaged settings file"
[ "$(bytes)" = "0 1 0 1 0" ] || falla "damaged settings became '$(bytes)', expected 0 1 0 1 0"
exit "$fallos"
