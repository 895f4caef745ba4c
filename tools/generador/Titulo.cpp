// The title picture: a bright winter day in the mountains. The sky at the
// top right stays clear for the title words, the wide snow slope at the left
// stays smooth for the menu and the hall of fame, and the corner at the top
// left stays light for the small version text.
#include <cmath>

#include "Dibujo.h"
#include "Figuras.h"
#include "Imagenes.h"
#include "Cordillera.h"

namespace {

const int Ancho = 640, Alto = 480;

// Soft, flat-bottomed clouds.
void Nube(Lienzo& l, double cx, double cy, double ancho, uint32_t semilla)
{
    Azar azar(semilla);
    for (int k = 0; k < 7; k++) {
        double x = cx + (azar.Real() - 0.5) * ancho;
        double r = ancho * (0.12 + azar.Real() * 0.12);
        double y = cy - r * 0.3;
        Elipse(l, x, y, r * 1.4, r * 0.7, [=](int i, int j) {
            double t = std::max(0.0, std::min(1.0, (j - (y - r * 0.7)) / (r * 1.4)));
            if (j > cy + 2)
                return l.Lee(i, j);
            return PixelTramado(Mezcla(Color{255, 255, 255}, Color{214, 230, 248}, t), i, j);
        });
    }
}

// The rolling snowfields in front of the mountains: smooth, lit from the left.
void Ladera(Lienzo& l, double y0, double amplitud, double periodo, double fase, Color luz, Color sombra, int hasta)
{
    for (int x = 0; x < Ancho; x++) {
        double a = 2 * 3.14159265 * x / periodo + fase;
        double cresta = y0 + std::sin(a) * amplitud;
        double pendiente = std::cos(a);  // > 0 where the ground rises to the right
        for (int y = static_cast<int>(std::ceil(cresta)); y < hasta; y++) {
            double prof = std::min(1.0, (y - cresta) / 60.0);
            double s = std::max(0.0, pendiente) * 0.55 * (1 - prof) + prof * 0.25;
            l.Pon(x, y, PixelTramado(Mezcla(luz, sombra, s), x, y));
        }
    }
}

// A small pine painted from its figure, in the "New" style, with its shadow on the snow.
void Pino(Lienzo& l, int clase, int x, int ybase, int ancho, int alto, uint32_t semilla)
{
    if (alto > 40)
        Elipse(l, x + ancho * 0.25, ybase - 2, ancho * 0.55, alto * 0.06, [](int i, int j) { return PixelTramado(Color{186, 204, 236}, i, j); });
    FiguraPino(clase, ancho, alto, semilla, 0).Pinta(l, x - ancho / 2, ybase - alto, 0);
}

// A log cabin on the hill, its window lit.
void Cabana(Lienzo& l, int x, int y)
{
    Color madera{120, 72, 40}, oscura{70, 40, 24}, nieve{250, 252, 255}, sombra{190, 206, 232};
    Caja(l, x, y, 30, 16, Liso(madera));
    for (int j = 3; j < 16; j += 4)
        Caja(l, x, y + j, 30, 1, Liso(oscura));
    Caja(l, x + 18, y + 5, 7, 6, Liso(Color{255, 214, 120}));
    Caja(l, x + 21, y + 5, 1, 6, Liso(oscura));
    Caja(l, x + 4, y + 6, 7, 10, Liso(oscura));
    Poligono(l, {{x - 5.0, y + 1.0}, {x + 15.0, y - 12.0}, {x + 35.0, y + 1.0}}, Liso(oscura));
    Poligono(l, {{x - 4.0, y - 0.5}, {x + 15.0, y - 13.0}, {x + 34.0, y - 0.5}}, [=](int i, int) {
        return Pixel(i < x + 15 ? nieve : sombra);
    });
    Caja(l, x + 22, y - 14, 4, 8, Liso(oscura));
    Caja(l, x + 21, y - 15, 6, 2, Liso(nieve));
}

// Two parallel ski tracks curving down the slope.
void Huellas(Lienzo& l, double x0, double y0, double y1, double amplitud, Color color)
{
    for (int y = static_cast<int>(y0); y < y1; y++) {
        double t = (y - y0) / (y1 - y0);
        double x = x0 + std::sin(t * 5.0) * amplitud * (0.4 + t) - t * 40;
        double ancho = 1 + t * 1.5;
        Caja(l, static_cast<int>(x), y, static_cast<int>(ancho), 1, Liso(color));
        Caja(l, static_cast<int>(x + 4 + t * 6), y, static_cast<int>(ancho), 1, Liso(color));
    }
}

}  // namespace

Lienzo DibujaTitulo()
{
    Lienzo l(Ancho, Alto);
    Cielo(l, {{112, 166, 226}, {150, 196, 240}, {206, 228, 250}, {236, 244, 252}}, 0, 214);
    Nube(l, 120, 38, 150, 3);
    Nube(l, 36, 120, 90, 5);
    Nube(l, 600, 170, 80, 9);

    // Far range, pale with distance; then the main range, its tallest peaks at
    // the left, low at the right under the title.
    Cordillera lejos({{60, 120, 0.55}, {250, 108, 0.6}, {420, 134, 0.5}, {580, 132, 0.55}}, 176, 40, 101);
    lejos.Pinta(l, {{244, 248, 255}, {206, 222, 244}, {170, 190, 222}, {150, 170, 206}}, 244);
    Cordillera cerca({{-10, 100, 0.9}, {150, 42, 0.95}, {318, 94, 0.85}, {478, 146, 0.7}, {612, 142, 0.8}}, 198, 58, 202);
    cerca.Pinta(l, {{255, 255, 255}, {176, 198, 232}, {118, 126, 156}, {70, 78, 112}}, 264);

    // Hills with pine woods and a cabin, then the wide slope.
    Ladera(l, 210, 10, 420, 1.0, {250, 252, 255}, {176, 198, 232}, Alto);
    Azar azar(303);
    for (int x = 380; x < Ancho; x += azar.Entre(7, 13)) {
        int alto = azar.Entre(14, 24);
        Pino(l, x % 2, x, 212 + static_cast<int>(std::sin(2 * 3.14159265 * x / 420 + 1.0) * 10) + azar.Entre(0, 5), alto * 2 / 3, alto, azar.Siguiente());
    }
    for (int x = 4; x < 90; x += azar.Entre(8, 13)) {
        int alto = azar.Entre(14, 22);
        Pino(l, 0, x, 206 + azar.Entre(0, 8), alto * 2 / 3, alto, azar.Siguiente());
    }
    Cabana(l, 470, 216);
    Ladera(l, 246, 8, 760, 2.2, {255, 255, 255}, {196, 214, 240}, Alto);
    // Soft drifts over the slope: broad, faint shadows that leave it calm.
    for (int y = 254; y < Alto; y++)
        for (int x = 0; x < Ancho; x++) {
            double n = Ruido(x * 0.6, y * 3.0, 90, 404);
            if (n > 0.55) {
                Color c{RojoDe(l.Lee(x, y)), VerdeDe(l.Lee(x, y)), AzulDe(l.Lee(x, y))};
                l.Pon(x, y, PixelTramado(Mezcla(c, Color{204, 220, 244}, std::min(0.4, (n - 0.55) * 2)), x, y));
            }
        }
    Huellas(l, 600, 246, Alto, 26, Color{186, 204, 234});

    // Big pines in the right foreground, a small one at the bottom left.
    Pino(l, 0, 560, 400, 56, 110, 11);
    Pino(l, 1, 620, 452, 60, 96, 12);
    Pino(l, 0, 516, 478, 44, 80, 13);
    Pino(l, 1, 22, 486, 44, 70, 14);
    return l;
}
