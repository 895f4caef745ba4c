// The desktop icon, drawn like the title picture: a clear sky, a snowy range,
// a wide slope with ski tracks, and the skier of the "New" set crossing it,
// enlarged by whole pixels so he stays crisp pixel art.
#include "Icono.h"

#include <algorithm>
#include <cmath>

#include "Constantes.h"
#include "Cordillera.h"
#include "Dibujo.h"
#include "Figuras.h"

namespace {

// The design is laid out on 64 units; bigger icons scale it.
const double Unidades = 64.0;

// Whether a pixel centre lies inside the rounded tile (corner radius r, margin m).
bool EnLaBaldosa(int x, int y, int lado, double m, double r)
{
    double px = x + 0.5, py = y + 0.5;
    double cx = std::min(std::max(px, m + r), lado - m - r);
    double cy = std::min(std::max(py, m + r), lado - m - r);
    double dx = px - cx, dy = py - cy;
    return px >= m && py >= m && px <= lado - m && py <= lado - m && dx * dx + dy * dy <= r * r;
}

// The slope's upper edge at column x: it falls gently to the right, as the skier goes.
double Borde(double x, double e) { return (33 + x / e * 0.16) * e; }

}  // namespace

Lienzo DibujaIcono(int lado)
{
    const double e = lado / Unidades;
    Lienzo l(lado, lado, ColorTransparente);

    Cielo(l, {{70, 130, 214}, {126, 178, 236}, {206, 228, 250}}, 0, static_cast<int>(36 * e));
    Cordillera lejos({{14 * e, 14 * e, 0.75}, {44 * e, 10 * e, 0.8}}, 30 * e, 7 * e, 7);
    lejos.Pinta(l, {{244, 248, 255}, {200, 218, 244}, {150, 164, 204}, {120, 136, 184}}, static_cast<int>(40 * e));
    Cordillera cerca({{2 * e, 22 * e, 0.9}, {30 * e, 17 * e, 1.0}, {62 * e, 24 * e, 0.9}}, 34 * e, 8 * e, 11);
    cerca.Pinta(l, {{255, 255, 255}, {176, 198, 232}, {112, 120, 152}, {64, 72, 108}}, static_cast<int>(44 * e));

    // The slope: bright at its edge, bluer further down.
    for (int x = 0; x < lado; x++) {
        double borde = Borde(x + 0.5, e);
        for (int y = static_cast<int>(std::ceil(borde)); y < lado; y++) {
            double t = std::min(1.0, (y - borde) / (26 * e));
            l.Pon(x, y, PixelTramado(Mezcla(Color{255, 255, 255}, Color{184, 206, 240}, t * 0.8), x, y));
        }
    }

    // The skier, cut from his figure and enlarged by whole pixels.
    const int escala = std::max(1, lado / 64);
    Lienzo esquiador(AnchoEsquiador, AltoEsquiador, ColorTransparente);
    FiguraEsquiador(1, 0).Pinta(esquiador, 0, 0, 0);
    const int x0 = (lado - esquiador.ancho * escala) / 2 + 2 * escala;
    const int y0 = lado - (esquiador.alto + 8) * escala;

    // His tracks: two grooves running on from the tails of his skis (the
    // figure's skis point 0.45 radians downhill) back to the left edge.
    const double c = std::cos(0.45), s = std::sin(0.45);
    for (int k = 0; k < 2; k++) {
        Punto cola{x0 + 5.0 * escala, y0 + (25.0 - 2.5 * k) * escala};
        Punto lejos{0, cola.y - cola.x * s / c};
        Trazo(l, lejos, cola, std::max(1.0, e * 0.9), Liso(Color{150, 176, 222}));
    }
    for (int j = 0; j < esquiador.alto * escala; j++)
        for (int i = 0; i < esquiador.ancho * escala; i++) {
            uint16_t c = esquiador.Lee(i / escala, j / escala);
            if (c != ColorTransparente)
                l.Pon(x0 + i, y0 + j, c);
        }

    // Round the corners off and edge the tile with a dark line.
    const double margen = e, radio = 11 * e, borde = std::max(1.0, std::floor(e));
    const uint16_t linea = Pixel(Color{18, 26, 62});
    for (int y = 0; y < lado; y++)
        for (int x = 0; x < lado; x++) {
            if (!EnLaBaldosa(x, y, lado, margen, radio))
                l.Pon(x, y, ColorTransparente);
            else if (!EnLaBaldosa(x, y, lado, margen + borde, radio - borde))
                l.Pon(x, y, linea);
        }
    return l;
}
