// Writes the game's desktop icon at one size as a PNG file.
//
//   icono SIZE OUTPUT.png
#include <cstdio>
#include <cstdlib>

#include "Icono.h"
#include "Png.h"

int main(int argc, char** argv)
{
    int lado = argc == 3 ? std::atoi(argv[1]) : 0;
    if (lado < 16 || lado > 1024) {
        std::fprintf(stderr, "usage: icono SIZE OUTPUT.png  (SIZE 16..1024)\n");
        return 1;
    }
    if (!GuardaPNG(DibujaIcono(lado), argv[2])) {
        std::fprintf(stderr, "icono: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
