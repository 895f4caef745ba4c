// The picture behind the rolling credits: a quiet night in the mountains,
// dark and low in contrast down the middle so the light lines of text stay
// readable wherever they pass.
#include <cmath>

#include "Dibujo.h"
#include "Imagenes.h"
#include "Cordillera.h"

namespace {

const int Ancho = 640, Alto = 480;

void Estrellas(Lienzo& l, int hasta)
{
    Azar azar(4242);
    for (int k = 0; k < 260; k++) {
        int x = azar.Entre(0, Ancho - 1), y = azar.Entre(0, hasta);
        int brillo = azar.Entre(0, 9);
        // Fewer and dimmer stars down the middle, where the text rolls.
        bool centro = x > 150 && x < 490;
        if (centro && brillo < 6)
            continue;
        Color c = brillo > 7 ? Color{255, 250, 220} : (brillo > 4 ? Color{190, 200, 240} : Color{110, 120, 170});
        if (centro)
            c = Mezcla(c, Color{20, 26, 60}, 0.45);
        l.Pon(x, y, Pixel(c));
        if (brillo == 9 && !centro) {
            Color d = Mezcla(c, Color{20, 26, 60}, 0.55);
            l.Pon(x - 1, y, Pixel(d));
            l.Pon(x + 1, y, Pixel(d));
            l.Pon(x, y - 1, Pixel(d));
            l.Pon(x, y + 1, Pixel(d));
        }
    }
}

// The moon at the top right with a soft halo.
void Luna(Lienzo& l, double cx, double cy, double r)
{
    for (int y = static_cast<int>(cy - r * 4); y < cy + r * 4; y++)
        for (int x = static_cast<int>(cx - r * 4); x < cx + r * 4; x++) {
            if (!l.Dentro(x, y))
                continue;
            double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d > r && d < r * 4) {
                Color fondo{RojoDe(l.Lee(x, y)), VerdeDe(l.Lee(x, y)), AzulDe(l.Lee(x, y))};
                double t = std::pow(1 - (d - r) / (r * 3), 2) * 0.35;
                l.Pon(x, y, PixelTramado(Mezcla(fondo, Color{170, 180, 220}, t), x, y));
            }
        }
    Elipse(l, cx, cy, r, r, [=](int x, int y) {
        double u = (x + 0.5 - cx) / r, v = (y + 0.5 - cy) / r;
        Color c = Mezcla(Color{255, 250, 226}, Color{214, 210, 196}, std::max(0.0, (u + v) * 0.5));
        if (Ruido(x, y, 4, 77) > 0.68)
            c = Escala(c, 0.9);
        return PixelTramado(c, x, y);
    });
}

// Windows of a small village at the foot of the slope, warm in the cold night.
void Pueblo(Lienzo& l, int x0, int x1, int y, uint32_t semilla)
{
    Azar azar(semilla);
    for (int x = x0; x < x1;) {
        int w = azar.Entre(18, 30), h = azar.Entre(12, 20);
        int base = y + azar.Entre(-3, 3);
        Caja(l, x, base - h, w, h + 40, Liso(Color{26, 22, 40}));
        Poligono(l, {{x - 3.0, base - h + 1.0}, {x + w / 2.0, base - h - 9.0}, {x + w + 3.0, base - h + 1.0}}, Liso(Color{120, 134, 176}));
        for (int k = 0; k < w / 9; k++)
            if (azar.Entre(0, 2) > 0)
                Caja(l, x + 3 + k * 9, base - h + 5, 4, 4, Liso(Color{250, 196, 96}));
        x += w + azar.Entre(2, 10);
    }
}

}  // namespace

Lienzo DibujaFondoCreditos()
{
    Lienzo l(Ancho, Alto);
    Cielo(l, {{4, 6, 22}, {10, 14, 44}, {22, 30, 74}, {40, 48, 100}}, 0, 380);
    Estrellas(l, 330);
    Luna(l, 560, 70, 20);
    Cordillera lejos({{80, 250, 0.6}, {300, 236, 0.55}, {520, 244, 0.6}}, 330, 40, 501);
    lejos.Pinta(l, {{92, 104, 150}, {58, 66, 110}, {40, 46, 84}, {30, 34, 66}}, 400);
    Cordillera cerca({{20, 270, 0.8}, {200, 300, 0.7}, {420, 290, 0.75}, {620, 262, 0.8}}, 370, 46, 602);
    cerca.Pinta(l, {{112, 124, 170}, {62, 70, 116}, {34, 38, 70}, {22, 24, 50}}, Alto);
    // Snowfield in the valley, lit softly by the moon.
    for (int y = 400; y < Alto; y++)
        for (int x = 0; x < Ancho; x++) {
            double cresta = 400 + std::sin(x / 90.0) * 6 + std::sin(x / 37.0 + 1) * 3;
            if (y >= cresta) {
                double t = std::min(1.0, (y - cresta) / 70.0);
                l.Pon(x, y, PixelTramado(Mezcla(Color{86, 98, 146}, Color{44, 52, 96}, t), x, y));
            }
        }
    Pueblo(l, 4, 130, 452, 31);
    Pueblo(l, 520, 636, 456, 37);
    return l;
}
