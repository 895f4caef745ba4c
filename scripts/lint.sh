#!/usr/bin/env bash
# Static checks of the game and its tools: cppcheck (warning, performance,
# portability) and clang-tidy (bugprone, performance; see .clang-tidy) on
# every source file under src/ and tools/. Any finding fails the check;
# every accepted one is marked where it is, with its reason.
#   lint.sh [SOURCE_DIR [BUILD_DIR]]   (BUILD_DIR holds compile_commands.json)
set -uo pipefail
RAIZ="$(cd "${1:-$(dirname "$0")/..}" && pwd)"
CONSTRUCCION="${2:-$RAIZ/build}"
TAREAS="$(nproc)"
TIDY="$(command -v clang-tidy-14 || command -v clang-tidy)"
CONFIG="$RAIZ/.clang-tidy"

# cppcheck on the files given. Allegro's headers are left out (slow to parse,
# nothing of ours in them): scripts/allegro.cfg tells what its macros we use
# expand to.
cppcheck_de() {
    cppcheck -q --std=c++17 --language=c++ -j "$TAREAS" \
        --enable=warning,performance,portability \
        --library="$RAIZ/scripts/allegro.cfg" \
        --inline-suppr --suppress=missingIncludeSystem \
        --error-exitcode=1 "$@"
}

# clang-tidy on the files read from stdin, as many at once as there are cores;
# any arguments go after each file name. The compiler's "N warnings generated"
# counts (of library headers, never shown) are dropped.
tidy_de() {
    xargs -P "$TAREAS" -I '{}' "$TIDY" --config-file="$CONFIG" --quiet '{}' "$@" \
        2> >(grep -v ' warnings\? generated\.$' >&2)
}

if [ -z "$TIDY" ] || ! command -v cppcheck > /dev/null; then
    echo "lint: cppcheck and clang-tidy are needed" >&2
    exit 1
fi
if [ ! -f "$CONSTRUCCION/compile_commands.json" ]; then
    echo "lint: no compile_commands.json in $CONSTRUCCION (configure with cmake first)" >&2
    exit 1
fi

# First both checkers must catch a planted fault each, or a clean result
# would mean nothing (a flag or the configuration not taken).
PLANTA="$(mktemp -d /tmp/zumbelo-lint-XXXXXX)"
trap 'rm -rf "$PLANTA"' EXIT
cat > "$PLANTA/planta.cpp" << 'FIN'
#include <cstdio>
#include <string>
#include <utility>
void Nombre(const char* s) { char b[4]; std::snprintf(b, 10, "%s", s); std::puts(b); }
int Largo(std::string s) { std::string t = std::move(s); return int(s.size() + t.size()); }
FIN
if cppcheck_de "$PLANTA/planta.cpp" > "$PLANTA/cppcheck.txt" 2>&1 ||
        ! grep -q 'bufferAccessOutOfBounds' "$PLANTA/cppcheck.txt"; then
    echo "lint: cppcheck missed the planted overflow" >&2
    exit 1
fi
if echo "$PLANTA/planta.cpp" | tidy_de -- -std=c++17 > "$PLANTA/tidy.txt" 2>&1 ||
        ! grep -q 'bugprone-use-after-move,-warnings-as-errors' "$PLANTA/tidy.txt"; then
    echo "lint: clang-tidy missed the planted use after move" >&2
    exit 1
fi

cd "$RAIZ" || exit 1
mapfile -t FUENTES < <(find src tools -name '*.cpp' | sort)
mapfile -t INCLUYE < <(find src tools -name '*.h' -printf '-I%h\n' | sort -u)
if [ "${#FUENTES[@]}" -eq 0 ]; then
    echo "lint: no sources under $RAIZ/src or $RAIZ/tools" >&2
    exit 1
fi
fallos=0

inicio=$SECONDS
if ! cppcheck_de "${INCLUYE[@]}" "${FUENTES[@]}"; then
    echo "lint: cppcheck found the faults above" >&2
    fallos=1
fi
echo "cppcheck: ${#FUENTES[@]} files in $((SECONDS - inicio)) s"

inicio=$SECONDS
if ! printf '%s\n' "${FUENTES[@]}" | tidy_de -p "$CONSTRUCCION"; then
    echo "lint: clang-tidy found the faults above" >&2
    fallos=1
fi
echo "clang-tidy: ${#FUENTES[@]} files in $((SECONDS - inicio)) s"

[ "$fallos" -eq 0 ] && echo "lint: no findings"
exit "$fallos"
