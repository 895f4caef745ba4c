// The game's desktop icon: Zumbelo skiing across a snowy slope under the
// mountains, on a rounded tile.
#ifndef ICONO_H
#define ICONO_H

#include "Lienzo.h"

// The icon, `lado` x `lado` pixels (16 to 256 are installed); pure magenta
// outside the rounded tile, where the icon is transparent.
Lienzo DibujaIcono(int lado);

#endif
