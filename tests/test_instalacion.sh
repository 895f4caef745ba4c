#!/bin/bash
# The game installed like a desktop game and packaged for Debian.
# `cmake --install` into a DESTDIR puts every file in place: the menu entry,
# the software-centre metadata (appstreamcli validate) and compressed icons
# at every size. `cpack` builds the game's package and its data's, which
# lintian (as a normal user) finds clean, with exact dependencies and a true
# Installed-Size, and from which appstreamcli compose makes the catalogue
# entry. The game unpacked from them, typed as `zumbelo` in another
# directory with HOME elsewhere (spaces in every path), makes the player's
# directory, keeps its settings and hall of fame there, plays its music and
# leaves through Exit with status 0; a second start keeps the language chosen
# in the first; XDG_DATA_HOME moves the player's directory.
# $1: the run directory of the build (the build is its parent); $2: the sources.
set -u
build="$(cd "$1/.." && pwd)"
fuentes="$2"
. "$fuentes/tests/apoyo.sh"
tmp=$(mktemp -d "/tmp/zumbelo instalacion XXXXXX")
al_salir "rm -rf '$tmp'"
id=example.estudioventisca.zumbelo

# Installed under /usr in a DESTDIR.
raiz="$tmp/raiz"
DESTDIR="$raiz" cmake --install "$build" --prefix /usr >"$tmp/instalacion.txt" 2>&1 ||
    aborta "cmake --install failed: $(tail -3 "$tmp/instalacion.txt")"
usr="$raiz/usr"
lados="16 22 24 32 48 64 128 256"
for f in games/zumbelo libexec/zumbelo/zumbelo share/zumbelo/datos.dat share/zumbelo/patches.dat \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/man/man6/zumbelo.6.gz \
    share/doc/zumbelo/copyright share/doc/zumbelo/changelog.gz \
    share/doc/zumbelo-data/copyright share/doc/zumbelo-data/changelog.gz \
    $(for l in $lados; do echo "share/icons/hicolor/${l}x$l/apps/zumbelo.png"; done); do
    [ -s "$usr/$f" ] || falla "$f not installed"
done
[ -x "$usr/games/zumbelo" ] && [ -x "$usr/libexec/zumbelo/zumbelo" ] || falla "the launcher or the game is not executable"
cmp -s "$usr/share/zumbelo/datos.dat" "$1/datos.dat" || falla "the installed datos.dat differs from the built one"
# The library looks for the MIDI patches beside the game.
[ "$(readlink -f "$usr/libexec/zumbelo/patches.dat")" = "$usr/share/zumbelo/patches.dat" ] ||
    falla "libexec/zumbelo/patches.dat does not lead to the installed patches"
escritorio="$usr/share/applications/$id.desktop"
desktop-file-validate "$escritorio" || falla "desktop-file-validate rejects the menu entry"
grep -qx 'Exec=zumbelo' "$escritorio" && grep -qx 'Icon=zumbelo' "$escritorio" ||
    falla "the menu entry does not start zumbelo with its icon"
# English keywords untranslated, the Spanish ones in their own line.
LC_ALL=C grep -q '^Keywords=[ -~]*$' "$escritorio" && grep -q '^Keywords\[es\]=.*esquí' "$escritorio" ||
    falla "the keywords are not English, with Spanish in Keywords[es]"
zcat "$usr/share/man/man6/zumbelo.6.gz" | grep -q '^\.TH ZUMBELO 6' || falla "no section 6 manual page"
zcat "$usr/share/doc/zumbelo/changelog.gz" | head -1 | grep -q '^zumbelo (' || falla "the changelog is not Debian's format"
# Each icon: a PNG of its size, transparent in the corner, solid in the
# middle, and deflated (stored, it would take four bytes a pixel).
for lado in $lados; do
    png="$usr/share/icons/hicolor/${lado}x$lado/apps/zumbelo.png"
    forma=$(identify -format '%m %w %h' "$png" 2>/dev/null)
    [ "$forma" = "PNG $lado $lado" ] || falla "icon $lado is '$forma'"
    alfa=$(convert "$png" -format "%[fx:p{0,0}.a] %[fx:p{$((lado / 2)),$((lado / 2))}.a]" info: 2>/dev/null)
    [ "$alfa" = "0 1" ] || falla "icon $lado has corner and middle alpha '$alfa', expected '0 1'"
    [ "$(stat -c %s "$png")" -lt $((2 * lado * lado)) ] || falla "icon $lado is not compressed: $(stat -c %s "$png") bytes"
done
# The same icon twice gives the same bytes.
"$build/tools/icono" 48 "$tmp/icono.png" && cmp -s "$tmp/icono.png" "$usr/share/icons/hicolor/48x48/apps/zumbelo.png" ||
    falla "the icon tool does not draw the same 48-pixel icon again"
# The software-centre metadata: valid without a warning, its screenshots
# among the committed pictures.
metainfo="$usr/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >"$tmp/validate.txt" 2>&1 && ! grep -q '^[EW]:' "$tmp/validate.txt" ||
    falla "appstreamcli validate: $(cat "$tmp/validate.txt")"
for imagen in $(grep -o '<image[^>]*>[^<]*' "$metainfo" | sed 's/.*>//'); do
    [ -f "$fuentes/docs/pantallas/${imagen##*/}" ] || falla "the screenshot $imagen is not in docs/pantallas/"
done

# The Debian packages, built from what is built, in a directory a normal
# user can read (lintian is not to be run as root).
paquetes=$(mktemp -d /tmp/zumbelo-paquetes-XXXXXX)
al_salir "rm -rf '$paquetes'"
chmod 755 "$paquetes"
cpack --config "$build/CPackConfig.cmake" -B "$paquetes" >"$tmp/cpack.txt" 2>&1 ||
    aborta "cpack failed: $(tail -3 "$tmp/cpack.txt")"
version=$(sed -n 's/^zumbelo (\(.*\)).*/\1/p;q' "$fuentes/packaging/changelog")
juego="$paquetes/zumbelo_${version}_$(dpkg --print-architecture).deb"
datos="$paquetes/zumbelo-data_${version}_all.deb"
[ -f "$juego" ] && [ -f "$datos" ] || aborta "no $(basename "$juego") and $(basename "$datos"): $(ls "$paquetes")"
campo() { dpkg-deb -f "$1" "$2"; }
[[ "$(campo "$juego" Depends)" == *"zumbelo-data (= $version)"*liballegro4* ]] ||
    falla "the game does not depend on its data's version and Allegro 4: $(campo "$juego" Depends)"
[ "$(campo "$juego" Section) $(campo "$datos" Section)" = "games games" ] || falla "the packages are not in section games"
[ "$(campo "$datos" Architecture)" = all ] || falla "the data package is not architecture-independent"
lista=$(dpkg-deb -c "$datos")
grep -q ' \./usr/share/zumbelo/datos\.dat$' <<<"$lista" && grep -q ' \./usr/share/zumbelo/patches\.dat$' <<<"$lista" ||
    falla "the data are not in zumbelo-data"
dpkg-deb -c "$juego" | grep -q '^-.* \./usr/share/zumbelo/' && falla "the game package holds the data too"
# Installed-Size: at least what the files hold, and not more than a block
# more for each file and directory (the link to the patches counts nothing);
# xz for the contents.
raizdeb="$tmp/desempaquetado"
for deb in "$juego" "$datos"; do
    read -r kib entradas < <(dpkg-deb -c "$deb" | awk '/^-/ { s += $3 } { n++ } END { printf "%d %d\n", s / 1024, n }')
    tam=$(campo "$deb" Installed-Size)
    [ "$tam" -ge "$kib" ] && [ "$tam" -le $((kib + 4 * entradas + 4)) ] ||
        falla "$(basename "$deb"): Installed-Size $tam KiB for $kib KiB of files"
    ar t "$deb" | grep -qx data.tar.xz || falla "$(basename "$deb") is not compressed with xz"
    dpkg-deb -x "$deb" "$raizdeb"
done
# lintian, as a normal user, with every check: not a tag, not even an info
# (the hardening flags and the stripping show as infos). Its scratch files,
# some of which it leaves behind, go in a directory of the test's.
como_usuario() {
    if [ "$(id -u)" = 0 ]; then setpriv --reuid nobody --regid nogroup --clear-groups "$@"; else "$@"; fi
}
mkdir -m 1777 "$paquetes/tmp"
(cd "$paquetes/tmp" && TMPDIR="$paquetes/tmp" como_usuario lintian -I -E --pedantic \
    --fail-on error,warning,info,pedantic,experimental "$juego" "$datos") >"$tmp/lintian.txt" 2>&1 ||
    falla "lintian: $(cat "$tmp/lintian.txt")"
# The software-centre catalogue made from the unpacked packages holds the
# game, with its icon found.
appstreamcli compose --no-net --origin=zumbelo --result-root="$tmp/catalogo" "$raizdeb" >"$tmp/compose.txt" 2>&1 ||
    falla "appstreamcli compose failed: $(cat "$tmp/compose.txt")"
catalogo=$(zcat "$tmp"/catalogo/usr/share/swcatalog/xml/zumbelo.xml.gz 2>/dev/null)
grep -q "<id>$id</id>" <<<"$catalogo" && grep -q '<icon type="cached"' <<<"$catalogo" ||
    falla "appstreamcli compose made no component with an icon: $(cat "$tmp/compose.txt")"

# The game unpacked from the packages, typed as `zumbelo` in a directory of
# its own; a stand-in xmessage keeps a start-up message from blocking; the
# mix goes to a file.
pantalla_propia || aborta "no X display"
casa="$tmp/casa del jugador"
otro="$tmp/otro sitio"
mkdir -p "$casa" "$otro/programas"
printf '#!/bin/sh\necho "$*" >> "%s/xmessage.txt"\n' "$tmp" >"$otro/programas/xmessage"
chmod +x "$otro/programas/xmessage"
# (ALSA_CONFIG_PATH cannot hold a space: the mix goes to a directory without one.)
sonido=$(mktemp -d /tmp/zumbelo-sonido-XXXXXX)
al_salir "rm -rf '$sonido'"
printf 'pcm.!default { type file; slave.pcm "null"; file "%s/mezcla.raw"; format "raw" }\n' "$sonido" >"$sonido/alsa.conf"
arranca() {
    (cd "$otro" && exec env -u XDG_DATA_HOME HOME="$casa" "$@" PATH="$otro/programas:$raizdeb/usr/games:$PATH" \
        ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$sonido/alsa.conf" zumbelo >>"$tmp/salida.txt" 2>&1) &
    PID=$!
    al_salir "kill $PID"
    espera_ventana || aborta "no game window; the game said: $(tail -3 "$tmp/salida.txt")"
}
lengua() { od -An -tu1 -N1 "$1/zumbelo.cfg" 2>/dev/null | tr -d ' '; }
titulo=300x100+330+10   # the title words, which change with the language

jugador="$casa/.local/share/zumbelo"
arranca
espera '[ "$(linea)" = 0 ]' || aborta "the main menu never settled"
[ -d "$jugador" ] || aborta "no player's directory ~/.local/share/zumbelo"
[ "$(stat -c %s "$jugador/zumbelo.cfg" 2>/dev/null)" = 5 ] || falla "no five-byte zumbelo.cfg in the player's directory"
[ "$(stat -c %s "$jugador/scores.his" 2>/dev/null)" = 141 ] || falla "no 141-byte scores.his in the player's directory"
[ "$(lengua "$jugador")" = 0 ] || falla "a first start is not in Spanish"
ls "$otro"/*.cfg "$otro"/*.his >/dev/null 2>&1 && falla "the game wrote its files in the directory it was started from"
# Language: English, saved at once.
recorte "$titulo" "$tmp/titulo_es.png"
elige 1 || aborta "no language line"
espera '[ "$(lengua "$jugador")" = 1 ]' 20 || falla "choosing the language did not save English"
espera '! como "$titulo" "$tmp/titulo_es.png" 500' 20 || falla "the title did not change language"
espera_quieto "$titulo" "$tmp/titulo_en.png" 20
sal
# The music plays: the patches are found, so the mix is not one flat value.
python3 -c 'import sys; d = open(sys.argv[1], "rb").read(4000000); sys.exit(len(set(d[i:i + 2] for i in range(0, len(d) - 1, 2))) < 50)' \
    "$sonido/mezcla.raw" 2>/dev/null || falla "no music in the mix: the MIDI patches were not found"

# A second start keeps the language: the same English title.
arranca
espera '[ "$(linea)" = 0 ]' || aborta "the main menu never settled at the second start"
[ "$(lengua "$jugador")" = 1 ] || falla "the second start lost the language"
espera 'como "$titulo" "$tmp/titulo_en.png" 10' 20 || falla "the second start does not show the English title"
sal

# XDG_DATA_HOME, when set, holds the player's directory instead; once the
# game has written its files there it is simply stopped.
xdg="$tmp/datos xdg/zumbelo"
arranca XDG_DATA_HOME="$tmp/datos xdg"
espera '[ -s "$xdg/zumbelo.cfg" ] && [ -s "$xdg/scores.his" ]' 20 || falla "the files are not in \$XDG_DATA_HOME/zumbelo"
[ "$(lengua "$xdg")" = 0 ] || falla "a fresh \$XDG_DATA_HOME/zumbelo did not start in Spanish"
kill "$PID"
wait "$PID"
[ -s "$tmp/xmessage.txt" ] && falla "a message was shown: $(cat "$tmp/xmessage.txt")"
termina
