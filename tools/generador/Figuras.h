// The figures of the sprite sheet, each built as a material figure in its
// own size, facing right (or down the slope); the sheet paints and mirrors them.
#ifndef FIGURAS_H
#define FIGURAS_H

#include <cstdint>

#include "Figura.h"

// Vehicles, side view, driving to the right; `tipo` 0..5 as the traffic
// counts them (two lorries, two cars, the ambulance, the motorbike); the
// wheels turn a little further in each of the four frames.
Figura FiguraVehiculo(int tipo, int frame, int set);

// A wheel with a tyre, a rim and marks that turn with the frame.
void Rueda(Figura& f, double cx, double cy, double r, int frame, int set);

// The hero on foot, 32 x 32: facing 0 left, 1 right, 2 up, 3 down; two walking frames.
Figura FiguraHeroe(int facing, int frame, int set);

// His head (bobble hat and face, 10 rows) from the front, 20 columns, and
// from the side facing right, 13 columns; the skier and the crash wear it too.
void CabezaDeFrente(Figura& f, int x, int y);
void CabezaDePerfil(Figura& f, int x, int y);

// The pair of skis he carries upright at his side, 16 x 32, two frames.
Figura FiguraEsquis(int frame, int set);

// The skier: heading 0 straight down (32 x 44), 1 and 2 to the right, 3 and 4
// to the left (42 x 40).
Figura FiguraEsquiador(int rumbo, int set);

// The skier's crash, three frames of 48 x 45.
Figura FiguraChoque(int frame, int set);

// A slalom flag, 14 x 32: `lado` 0 the left (red) flag, 1 the right (blue) one.
Figura FiguraBandera(int lado, int frame, int set);

// A snow heap, 48 x 10.
Figura FiguraMonton(int set);

// A snowy pine of any size; `clase` 0 a slim fir, 1 a broad pine.
Figura FiguraPino(int clase, int ancho, int alto, uint32_t semilla, int set);

// The finish: one post, 25 x 64, and the banner over both posts, 128 x 48.
Figura FiguraPoste(int set);
Figura FiguraPancarta(int set);

#endif
