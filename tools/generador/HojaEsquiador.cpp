// Zumbelo on skis: straight down the slope, across it to either side, and
// his crash in a cloud of snow.
#include <cmath>

#include "Constantes.h"
#include "Figuras.h"

namespace {

const double Pi = 3.14159265358979;

// A ski pole: a dark shaft with a grip and a basket near the tip.
void Baston(Figura& f, Punto mano, Punto punta)
{
    f.Trazo(mano, punta, 1.0, MBaston, LuzFija(LuzSombra), true);
    double t = 0.85;
    Punto cesta{mano.x + (punta.x - mano.x) * t, mano.y + (punta.y - mano.y) * t};
    f.Elipse(cesta.x, cesta.y, 1.6, 0.9, MNegro, LuzFija(LuzBase), true);
}

// A ski along a line from its tail to its tip, 2 pixels thick, tip lighter.
void Esqui(Figura& f, Punto cola, Punto punta, int set)
{
    f.Trazo(cola, punta, 1.8, MEsqui, [=](int x, int y) {
        double dx = punta.x - cola.x, dy = punta.y - cola.y;
        double t = ((x + 0.5 - cola.x) * dx + (y + 0.5 - cola.y) * dy) / (dx * dx + dy * dy);
        return (set == 0 && t > 0.8) ? LuzBrillo : LuzBase;
    });
}

Figura Abajo(int set)
{
    Figura f(32, 44);
    const int x0 = 6;
    // Skis pointing down the slope towards us, tails hidden behind the boots.
    for (int k = 0; k < 2; k++) {
        int x = x0 + 5 + k * 7;
        f.Caja(x, 24, 3, 18, MEsqui, [x, set](int i, int y) {
            if (y >= 38 && set == 0)
                return LuzBrillo;
            return i == x ? LuzBrillo - 30 : (i == x + 2 ? LuzSombra : LuzBase);
        });
        f.Caja(x, 42, 3, 1, MEsqui, LuzFija(LuzBrillo));
        f.Caja(x + 1, 43, 1, 1, MEsqui, LuzFija(LuzBase));
    }
    // Poles held out to the sides, tips behind.
    Baston(f, {x0 + 0.5, 20}, {x0 - 4.5, 36});
    Baston(f, {x0 + 19.5, 20}, {x0 + 24.5, 36});
    // Bent legs and boots on the skis.
    f.Poligono({{x0 + 5.0, 21}, {x0 + 15.0, 21}, {x0 + 15.5, 27}, {x0 + 4.5, 27}}, MPantalon, [x0](int x, int) {
        return x < x0 + 7 ? LuzBrillo - 40 : (x > x0 + 12 ? LuzSombra : LuzBase);
    });
    f.Caja(x0 + 9, 24, 2, 3, MPantalon, LuzFija(LuzOscura));
    f.Caja(x0 + 4, 27, 5, 3, MBota, LuzVertical(27, 29, LuzBase, LuzSombra));
    f.Caja(x0 + 11, 27, 5, 3, MBota, LuzVertical(27, 29, LuzBase, LuzSombra));
    // Body leaning forward, arms out to the poles.
    f.Poligono({{x0 + 4.0, 12}, {x0 + 16.0, 12}, {x0 + 16.0, 22}, {x0 + 4.0, 22}}, MChaqueta, [x0](int x, int y) {
        if (y <= 12 || x <= x0 + 4)
            return LuzBrillo - 20;
        return x >= x0 + 14 ? LuzSombra : LuzBase;
    });
    f.Trazo({x0 + 4.5, 13.5}, {x0 + 1.0, 19}, 3.2, MChaqueta, LuzFija(LuzBrillo - 30));
    f.Trazo({x0 + 15.5, 13.5}, {x0 + 19.0, 19}, 3.2, MChaqueta, LuzFija(LuzSombra));
    f.Elipse(x0 + 0.5, 20, 1.8, 1.8, MGuante, LuzFija(LuzBase));
    f.Elipse(x0 + 19.5, 20, 1.8, 1.8, MGuante, LuzFija(LuzSombra));
    // Scarf round the neck, its ends flying over the shoulder.
    f.Caja(x0 + 5, 10, 10, 2, MBufanda, [x0](int x, int) { return x >= x0 + 13 ? LuzSombra : LuzBase; });
    f.Caja(x0 + 11, 12, 2, 5, MBufanda, LuzFija(LuzSombra));
    CabezaDeFrente(f, x0, 0);
    return f;
}

// Across the slope to the right; `angulo` is how far the skis point downhill.
Figura Traves(double angulo, bool frenando, int set)
{
    Figura f(AnchoEsquiador, AltoEsquiador);
    double c = std::cos(angulo), s = std::sin(angulo);
    // Boot on the middle of the near ski; the far ski a little higher and behind.
    const double bx = 21, by = 31;
    auto A = [&](double d, double h) { return Punto{bx + c * d - s * h, by + 2 + s * d + c * h}; };
    const double cola = -18, punta = 18;
    if (frenando) {
        // Snow thrown up from the edges on the downhill side.
        f.Elipse(bx - 6, by + 6, 4, 2.2, MNieve, LuzEsfera(bx - 6, by + 6, 4, 2.2));
        f.Elipse(bx + 2, by + 6.5, 3, 1.8, MNieve, LuzEsfera(bx + 2, by + 6.5, 3, 1.8));
    }
    Esqui(f, A(cola - 2.5, -2.5), A(punta - 2.5, -2.5), set);
    Punto q = A(punta - 2.5, -2.5);
    f.Elipse(q.x + 0.3, q.y - 1.0, 1.1, 1.1, MEsqui, LuzFija(LuzBase));
    // The far arm's pole, trailing behind.
    Baston(f, {bx + 3, 19}, {bx - 13, by + 1 + s * -13});
    // Far leg, darker, then the body and the near leg: hips back, knees forward.
    Punto cadera{bx - 4, 21}, rodilla{bx + 3, 26}, tobillo{bx, 30};
    f.Trazo({cadera.x - 1.5, cadera.y - 0.5}, {rodilla.x - 1.5, rodilla.y - 0.5}, 4.2, MPantalon, LuzFija(LuzSombra));
    f.Trazo({rodilla.x - 1.5, rodilla.y - 0.5}, {tobillo.x - 1.5, tobillo.y - 0.5}, 3.8, MPantalon, LuzFija(LuzSombra));
    f.Trazo({bx - 1, 13}, cadera, 7, MChaqueta, [bx](int x, int y) {
        if (x <= bx - 4 || y <= 12)
            return LuzBrillo - 25;
        return x >= bx ? LuzSombra : LuzBase;
    });
    f.Trazo(cadera, rodilla, 4.6, MPantalon, [](int, int y) { return y <= 22 ? LuzBrillo - 40 : LuzBase; });
    f.Trazo(rodilla, tobillo, 4.2, MPantalon, LuzFija(LuzBase));
    f.Caja(static_cast<int>(bx) - 3, static_cast<int>(by) - 2, 7, 3, MBota, LuzVertical(29, 31, LuzBase, LuzSombra));
    Esqui(f, A(cola, 0), A(punta, 0), set);
    Punto p = A(punta, 0);
    f.Elipse(p.x + 0.3, p.y - 1.0, 1.2, 1.2, MEsqui, LuzFija(LuzBrillo));
    // Scarf round the neck, its end flying behind.
    f.Poligono({{bx - 5, 11}, {bx - 12, 12}, {bx - 12, 14.5}, {bx - 4, 13.5}}, MBufanda, LuzFija(LuzSombra));
    CabezaDePerfil(f, static_cast<int>(bx) - 6, 0);
    f.Caja(static_cast<int>(bx) - 4, 10, 8, 2, MBufanda, [bx](int x, int) { return x >= bx + 2 ? LuzSombra : LuzBase; });
    // Near arm reaching forward to the grip; the pole's tip trails behind.
    f.Trazo({bx - 1, 14}, {bx + 3, 18}, 3.2, MChaqueta, LuzFija(LuzBase));
    f.Trazo({bx + 3, 18}, {bx + 6, 19}, 3, MChaqueta, LuzFija(LuzBase));
    Baston(f, {bx + 7, 19}, {bx - 9, by + 4 + s * -9});
    f.Elipse(bx + 7, 19.5, 1.7, 1.7, MGuante, LuzFija(LuzBase));
    return f;
}

// A puff of thrown-up snow: bright balls with cool shadows.
void Nube(Figura& f, double cx, double cy, double r, uint32_t semilla)
{
    Azar azar(semilla);
    for (int k = 0; k < 9; k++) {
        double a = azar.Real() * 2 * Pi;
        double d = azar.Real() * r * 0.7;
        double rr = r * (0.35 + azar.Real() * 0.3);
        double x = cx + std::cos(a) * d, y = cy + std::sin(a) * d * 0.7;
        f.Elipse(x, y, rr, rr * 0.85, MNieve, LuzEsfera(x, y, rr, rr * 0.85));
    }
}

Figura Choque(int frame, int set)
{
    Figura f(AnchoChoque, AltoChoque);
    if (frame == 0) {
        // Caught a tip: flying head first, skis crossing, a spray behind.
        Nube(f, 12, 36, 10, 7);
        Esqui(f, {6, 30}, {40, 14}, set);
        Esqui(f, {10, 14}, {42, 30}, set);
        Baston(f, {28, 8}, {44, 2});
        Baston(f, {18, 12}, {4, 4});
        f.Trazo({18, 26}, {23, 19}, 3.8, MPantalon, LuzFija(LuzBase));
        f.Trazo({27, 26}, {24, 19}, 3.8, MPantalon, LuzFija(LuzSombra));
        f.Caja(16, 25, 5, 3, MBota, LuzFija(LuzBase));
        f.Caja(26, 25, 5, 3, MBota, LuzFija(LuzSombra));
        f.Elipse(24, 15, 6, 5, MChaqueta, LuzEsfera(24, 15, 6, 5));
        f.Trazo({20, 13}, {14, 8}, 3, MChaqueta, LuzFija(LuzBase));
        f.Trazo({28, 13}, {34, 9}, 3, MChaqueta, LuzFija(LuzSombra));
        f.Elipse(25, 8, 4.2, 4, MPiel, LuzEsfera(25, 8, 4.2, 4));
        f.Elipse(25, 5, 4.6, 2.6, MGorro, LuzEsfera(25, 5, 4.6, 2.6));
        f.Elipse(25, 2, 1.6, 1.6, MBlanco, LuzFija(LuzBase));
        f.Pon(23, 9, MNegro, LuzBase);
        f.Pon(27, 9, MNegro, LuzBase);
    } else if (frame == 1) {
        // Head first into the snow: legs and skis sticking out of the cloud.
        Baston(f, {6, 12}, {16, 2});
        Esqui(f, {4, 14}, {30, 5}, set);
        Esqui(f, {20, 5}, {45, 14}, set);
        f.Trazo({21, 28}, {17, 12}, 4.4, MPantalon, LuzFija(LuzBase));
        f.Trazo({27, 28}, {31, 12}, 4.4, MPantalon, LuzFija(LuzSombra));
        f.Caja(14, 8, 6, 4, MBota, LuzVertical(8, 11, LuzBase, LuzSombra));
        f.Caja(29, 8, 6, 4, MBota, LuzVertical(8, 11, LuzBase, LuzSombra));
        f.Caja(19, 26, 11, 4, MChaqueta, LuzFija(LuzBase));
        Nube(f, 24, 35, 15, 11);
        // His hat lies in the snow beside him.
        f.Elipse(41, 39, 4, 2.6, MGorro, LuzEsfera(41, 39, 4, 2.6));
        f.Caja(37, 40, 9, 2, MBlanco, LuzFija(LuzBase));
        f.Elipse(41, 35.5, 1.5, 1.5, MBlanco, LuzFija(LuzBase));
    } else {
        // Sitting in the snow, dazed, skis and poles crossed behind him.
        Esqui(f, {4, 34}, {38, 20}, set);
        Esqui(f, {8, 20}, {44, 36}, set);
        Baston(f, {36, 6}, {44, 30});
        Nube(f, 24, 38, 16, 23);
        f.Poligono({{16, 22}, {32, 22}, {33, 36}, {15, 36}}, MChaqueta, [](int x, int) {
            return x < 18 ? LuzBrillo - 20 : (x > 29 ? LuzSombra : LuzBase);
        });
        f.Trazo({17, 25}, {11, 33}, 3.2, MChaqueta, LuzFija(LuzBase));
        f.Trazo({31, 25}, {37, 33}, 3.2, MChaqueta, LuzFija(LuzSombra));
        f.Elipse(10.5, 34, 2, 2, MGuante, LuzFija(LuzBase));
        f.Elipse(37.5, 34, 2, 2, MGuante, LuzFija(LuzSombra));
        f.Caja(17, 20, 14, 3, MBufanda, LuzFija(LuzBase));
        f.Elipse(24, 14, 6, 6, MPiel, LuzEsfera(24, 14, 6, 6));
        f.Elipse(24, 9.5, 6.2, 3.4, MGorro, LuzEsfera(24, 9.5, 6.2, 3.4));
        f.Caja(18, 11, 13, 2, MBlanco, LuzFija(LuzBase));
        f.Elipse(29, 6, 1.8, 1.8, MBlanco, LuzFija(LuzBase));
        // Dizzy eyes and an open mouth.
        f.Pon(21, 14, MNegro, LuzBase);
        f.Pon(22, 15, MNegro, LuzBase);
        f.Pon(26, 14, MNegro, LuzBase);
        f.Pon(27, 15, MNegro, LuzBase);
        f.Caja(23, 17, 2, 2, MNegro, LuzFija(LuzBase));
        // Little stars circling his head.
        for (int k = 0; k < 3; k++) {
            double a = k * 2 * Pi / 3 + 0.4;
            int x = static_cast<int>(24 + std::cos(a) * 12), y = static_cast<int>(5 + std::sin(a) * 3);
            f.Pon(x, y, MBufanda, LuzBrillo);
            f.Pon(x - 1, y, MBufanda, LuzBase);
            f.Pon(x + 1, y, MBufanda, LuzBase);
            f.Pon(x, y - 1, MBufanda, LuzBase);
            f.Pon(x, y + 1, MBufanda, LuzBase);
        }
    }
    return f;
}

}  // namespace

Figura FiguraEsquiador(int rumbo, int set)
{
    switch (rumbo) {
    case 0: return Abajo(set);
    case 1: return Traves(0.45, false, set);
    case 2: return Traves(-0.06, true, set);
    case 3: return Traves(0.45, false, set).Espejo();
    default: return Traves(-0.06, true, set).Espejo();
    }
}

Figura FiguraChoque(int frame, int set) { return Choque(frame, set); }
