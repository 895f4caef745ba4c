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

// The figure reduced by a factor f < 1: each pixel averages the figure's
// pixels under it by area, and stays transparent unless they cover at least
// half of it, so the small icons keep hard pixel-art edges.
Lienzo Reduce(const Lienzo& figura, double f)
{
    const int w = std::max(1, static_cast<int>(std::lround(figura.ancho * f)));
    const int h = std::max(1, static_cast<int>(std::lround(figura.alto * f)));
    const double fx = static_cast<double>(figura.ancho) / w, fy = static_cast<double>(figura.alto) / h;
    Lienzo l(w, h, ColorTransparente);
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) {
            double r = 0, g = 0, b = 0, cubierto = 0;
            for (int y = static_cast<int>(j * fy); y < std::ceil((j + 1) * fy); y++)
                for (int x = static_cast<int>(i * fx); x < std::ceil((i + 1) * fx); x++) {
                    double a = (std::min(x + 1.0, (i + 1) * fx) - std::max<double>(x, i * fx)) *
                               (std::min(y + 1.0, (j + 1) * fy) - std::max<double>(y, j * fy));
                    uint16_t c = figura.Lee(x, y);
                    if (a <= 0 || c == ColorTransparente)
                        continue;
                    r += a * RojoDe(c);
                    g += a * VerdeDe(c);
                    b += a * AzulDe(c);
                    cubierto += a;
                }
            if (cubierto >= 0.5 * fx * fy)
                l.Pon(i, j, Pixel(Color{static_cast<int>(std::lround(r / cubierto)), static_cast<int>(std::lround(g / cubierto)),
                                        static_cast<int>(std::lround(b / cubierto))}));
        }
    return l;
}

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

    // The skier, cut from his figure: enlarged by whole pixels on the big
    // icons, reduced by area on those under 64 pixels, so he keeps his place
    // on the tile at every size.
    Lienzo figura(AnchoEsquiador, AltoEsquiador, ColorTransparente);
    FiguraEsquiador(1, 0).Pinta(figura, 0, 0, 0);
    const int escala = std::max(1, lado / 64);
    const Lienzo esquiador = lado < 64 ? Reduce(figura, e) : figura;
    const double paso = lado < 64 ? e : escala;  // icon pixels per figure pixel
    const int x0 = static_cast<int>(std::lround((lado - figura.ancho * paso) / 2 + 2 * paso));
    const int y0 = static_cast<int>(std::lround(lado - (figura.alto + 8) * paso));

    // His tracks: two grooves running on from the tails of his skis (the
    // figure's skis point 0.45 radians downhill) back to the left edge.
    const double c = std::cos(0.45), s = std::sin(0.45);
    for (int k = 0; k < 2; k++) {
        Punto cola{x0 + 5.0 * paso, y0 + (25.0 - 2.5 * k) * paso};
        Punto lejos{0, cola.y - cola.x * s / c};
        Trazo(l, lejos, cola, std::max(1.0, e * 0.9), Liso(Color{150, 176, 222}));
    }
    const int aumento = lado < 64 ? 1 : escala;
    for (int j = 0; j < esquiador.alto * aumento; j++)
        for (int i = 0; i < esquiador.ancho * aumento; i++) {
            uint16_t c = esquiador.Lee(i / aumento, j / aumento);
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
