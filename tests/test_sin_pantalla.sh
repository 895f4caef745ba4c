#!/bin/bash
# With no display to open, the game says it cannot start its graphics and
# ends with exit status 1, having written its settings file; it never crashes.
# $1: the directory of the built game.
set -u
run="$(cd "$1" && pwd)"
dir=$(mktemp -d /tmp/zumbelo-sin-pantalla-XXXXXX)
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1
ln -s "$run/datos.dat" datos.dat
env -u DISPLAY "$run/zumbelo" > salida.txt 2>&1
estado=$?
fallos=0
[ "$estado" = 1 ] || { echo "FALLO: exit status $estado, expected 1"; fallos=1; }
grep -q "Incapaz de entrar a modo grafico" salida.txt || { echo "FALLO: no message"; fallos=1; }
[ "$(od -An -tu1 zumbelo.cfg | tr -s ' ')" = " 0 1 0 0 0" ] || { echo "FALLO: zumbelo.cfg"; fallos=1; }
[ -e scores.his ] && { echo "FALLO: the hall of fame was made without a screen"; fallos=1; }
cat salida.txt
[ "$fallos" = 0 ] && echo "sin pantalla: todo bien"
exit "$fallos"
