// Drawing helpers shared by every picture of the generator: colours and
// their mixing, a fixed-seed random source, ordered dithering, smooth noise,
// and filled shapes (boxes, ellipses, polygons, thick lines) painted through
// a colour rule so that gradients, dithering and textures come out of one place.
#ifndef DIBUJO_H
#define DIBUJO_H

#include <cstdint>
#include <functional>
#include <vector>

#include "Azar.h"
#include "Lienzo.h"

struct Color {
    int r, g, b;
};

// Linear mix: t = 0 gives a, t = 1 gives b.
Color Mezcla(Color a, Color b, double t);

// Scales a colour towards black (f < 1) or brightens it (f > 1), clamped.
Color Escala(Color c, double f);

// A 5-6-5 pixel of the colour; pure magenta is nudged so it never turns transparent.
uint16_t Pixel(Color c);

// The same, rounded up or down by the ordered-dither threshold of (x, y), so
// that smooth gradients show as a fine pattern instead of bands.
uint16_t PixelTramado(Color c, int x, int y);

// Ordered-dither threshold of a pixel, 0..15 (4 x 4 Bayer matrix).
int Bayer(int x, int y);

// Smooth value noise in 0..1, with features about `escala` pixels across.
double Ruido(double x, double y, double escala, uint32_t semilla);

// Colour rule of a filled shape: the pixel value for a point.
typedef std::function<uint16_t(int x, int y)> Pintor;

// A colour rule that paints one flat colour.
Pintor Liso(Color c);

// A colour rule that paints a dithered vertical blend from `arriba` at row y0 to `abajo` at row y1.
Pintor Vertical(Color arriba, Color abajo, int y0, int y1);

struct Punto {
    double x, y;
};

// Whether the point lies inside the polygon (even-odd rule).
bool DentroPoligono(const std::vector<Punto>& poligono, double x, double y);

// Distance from a point to the segment a-b.
double DistanciaSegmento(double px, double py, Punto a, Punto b);

// Filled shapes on a picture. A pixel belongs to a shape when its centre does.
void Caja(Lienzo& l, int x, int y, int w, int h, const Pintor& pintor);
void Elipse(Lienzo& l, double cx, double cy, double rx, double ry, const Pintor& pintor);
void Poligono(Lienzo& l, const std::vector<Punto>& puntos, const Pintor& pintor);
void Trazo(Lienzo& l, Punto a, Punto b, double grosor, const Pintor& pintor);

// Draws a word in a blocky 5 x 7 capital font, each font pixel `escala` pixels
// square; returns the width drawn. Knows the letters the pictures need.
int Rotulo(Lienzo& l, int x, int y, const char* texto, int escala, const Pintor& pintor);
int AnchoRotulo(const char* texto, int escala);

#endif
