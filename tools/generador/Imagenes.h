// The pictures of datos.dat, each drawn by code.
#ifndef IMAGENES_H
#define IMAGENES_H

#include "Lienzo.h"

// Sprite sheet of a graphic set (0 "New", 1 "Original"): every figure of the
// game in the fixed sheet layout, pure magenta where transparent.
Lienzo DibujaHoja(int set);

// The road with its two carriageways and the ski-hire shop, 640 x 480, per graphic set.
Lienzo DibujaCarretera(int set);

// The snowy title picture behind the main menu and the record entry, 640 x 480.
Lienzo DibujaTitulo();

// The picture behind the rolling credits, 640 x 480.
Lienzo DibujaFondoCreditos();

#endif
