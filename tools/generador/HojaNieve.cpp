// The things on the slope: slalom flags, snow heaps, pines and the finish.
#include <algorithm>
#include <cmath>

#include "Constantes.h"
#include "Figuras.h"

namespace {

const double Pi = 3.14159265358979;

}  // namespace

Figura FiguraBandera(int lado, int frame, int set)
{
    // Drawn as the left flag (pole on the outer, left side, cloth towards the
    // gate); the right flag is its mirror image in the other colour.
    Figura f(AnchoBand, AltoBand);
    Material tela = lado == 0 ? MBandRoja : MBandAzul;
    // A little mound of snow where the pole is planted.
    f.Elipse(3, 31, 3.5, 2, MNieve, LuzEsfera(3, 30.5, 3.5, 2));
    f.Caja(2, 2, 2, 28, tela, [](int x, int y) { return x == 2 ? LuzBrillo - 30 : ((y / 4) % 2 ? LuzBase : LuzSombra + 10); });
    f.Elipse(3, 1.5, 1.5, 1.5, MMetal, LuzEsfera(3, 1.5, 1.5, 1.5));
    // The cloth ripples: each column rides a wave that moves along it frame by frame.
    double fase = frame * Pi / 2;
    for (int x = 4; x <= 12; x++) {
        double t = (x - 4) / 8.0;
        double onda = std::sin(fase - t * 2.6) * (0.6 + t * 1.6);
        double pendiente = std::cos(fase - t * 2.6);
        int arriba = static_cast<int>(std::lround(3 + onda + t * 1.0));
        int abajo = static_cast<int>(std::lround(14 + onda - t * 2.0));
        // Folds facing the light are bright, those turned away shaded.
        int luz = pendiente > 0.35 ? LuzBrillo - 16 : (pendiente < -0.35 ? LuzSombra + 8 : LuzBase);
        for (int y = arriba; y <= abajo; y++)
            f.Pon(x, y, tela, y == arriba && set == 0 ? luz + 30 : luz);
    }
    return lado == 0 ? f : f.Espejo();
}

Figura FiguraMonton(int set)
{
    (void)set;
    Figura f(AnchoMonton, AltoMonton);
    // A long low drift with a couple of lumps, lit from the top left.
    f.Elipse(24, 10, 22.5, 8.5, MNieve, LuzEsfera(21, 8, 24, 10));
    f.Elipse(15, 6, 8, 4.5, MNieve, LuzEsfera(14, 5.5, 8, 5));
    f.Elipse(31, 5.5, 7, 4.5, MNieve, LuzEsfera(30, 5, 7, 5));
    // The shaded foot of the drift.
    for (int x = 0; x < AnchoMonton; x++)
        if (f.Solido(x, 9))
            f.Pon(x, 9, MNieve, LuzSombra);
    return f;
}

namespace {

// A broad pine: round clumps of needles on a short trunk, each clump under a
// thick cushion of snow.
Figura PinoRedondo(int ancho, int alto, uint32_t semilla, int set)
{
    Figura f(ancho, alto);
    Azar azar(semilla);
    double cx = ancho / 2.0;
    int tronco = std::max(4, alto / 7);
    f.Caja(static_cast<int>(cx) - std::max(1, ancho / 14), alto - tronco - 4, std::max(4, ancho / 7), tronco + 3, MMadera,
           LuzColumna(cx, std::max(2.0, ancho / 14.0)));
    const int capas = 4;
    double base = alto - tronco - 3.0;
    double paso = (base - 3.0) / capas;
    for (int k = 0; k < capas; k++) {
        double yc = base - paso * (k + 0.5);
        double frac = 1.0 - static_cast<double>(k) / capas;
        double rx = std::min(cx - 1.0, ancho * (0.18 + 0.30 * frac));
        double ry = paso * 0.85;
        // Two or three clumps side by side make each layer lumpy.
        int trozos = k == capas - 1 ? 1 : (k == 0 ? 3 : 2);
        for (int t = 0; t < trozos; t++) {
            double dx = trozos == 1 ? 0 : (t - (trozos - 1) / 2.0) * rx * (trozos == 3 ? 0.62 : 0.8);
            double r = trozos == 1 ? rx : rx * (trozos == 3 ? 0.52 : 0.62);
            double x = cx + dx + azar.Entre(-1, 1) * 0.5;
            f.Elipse(x, yc, r, ry, MPino, [=](int i, int j) {
                int luz = LuzEsfera(x, yc, r, ry)(i, j);
                if (set == 0 && Ruido(i, j, 1.5, semilla + k) > 0.72)
                    luz -= 28;
                return luz;
            });
            // The snow cushion over the clump.
            f.Elipse(x - r * 0.08, yc - ry * 0.55, r * 0.86, ry * 0.5, MNieve, LuzEsfera(x - r * 0.2, yc - ry * 0.75, r, ry * 0.7));
        }
    }
    return f;
}

}  // namespace

Figura FiguraPino(int clase, int ancho, int alto, uint32_t semilla, int set)
{
    if (clase == 1)
        return PinoRedondo(ancho, alto, semilla, set);
    Figura f(ancho, alto);
    Azar azar(semilla);
    double cx = ancho / 2.0;
    int tronco = std::max(3, alto / 9);
    // Trunk.
    f.Caja(static_cast<int>(cx) - std::max(1, ancho / 16), alto - tronco - 2, std::max(3, ancho / 8), tronco + 1, MMadera,
           LuzColumna(cx, std::max(1.5, ancho / 16.0)));
    // Tiers of branches from the bottom up, each a drooping triangle; a slim
    // fir has more and narrower tiers than a broad pine.
    const int tiers = 5;
    double base = alto - tronco - 1.5;
    double cima = 1.0;
    double alturaTier = (base - cima) / (tiers * 0.72 + 0.28);
    for (int k = 0; k < tiers; k++) {
        double yb = base - k * alturaTier * 0.72;
        double yt = yb - alturaTier;
        double frac = 1.0 - static_cast<double>(k) / tiers;
        double media = (0.36 + 0.14 * frac) * ancho;
        media = std::min(media, cx - 1.0);
        double caida = alturaTier * 0.18;
        std::vector<Punto> rama = {{cx, yt}, {cx + media * 0.55, yb - alturaTier * 0.35}, {cx + media, yb},
                                   {cx + media * 0.5, yb - caida}, {cx, yb + caida * 0.4},
                                   {cx - media * 0.5, yb - caida}, {cx - media, yb}, {cx - media * 0.55, yb - alturaTier * 0.35}};
        f.Poligono(rama, MPino, [&, yt, yb](int x, int y) {
            // Lit from the left; darker towards the foot of each tier and on the right.
            double u = (x + 0.5 - cx) / media;
            double v = (y + 0.5 - yt) / (yb - yt);
            int luz = static_cast<int>(LuzBase - u * 55 - v * 35 + 10);
            if (set == 0 && Ruido(x, y, 2.0, semilla) > 0.75)
                luz -= 30;
            return luz;
        });
        // Snow lying along the upper edge of the tier's left and right slopes.
        for (int x = static_cast<int>(cx - media) + 1; x <= static_cast<int>(cx + media) - 1; x++) {
            int y = 0;
            while (y < alto && !(f.Solido(x, y) && f.VerMaterial(x, y) == MPino && y >= yt - 0.5))
                y++;
            if (y >= alto || y > yb)
                continue;
            double u = (x + 0.5 - cx) / media;
            int grueso = (u < 0.3 ? 2 : 1) + (azar.Entre(0, 3) == 0 ? 1 : 0);
            for (int j = 0; j < grueso; j++)
                f.Pon(x, y + j, MNieve, u < 0 ? LuzBrillo : (j == 0 ? LuzBase : LuzSombra));
        }
    }
    // A cap of snow at the top.
    f.Elipse(cx, cima + 2, 1.6, 2, MNieve, LuzFija(LuzBrillo));
    return f;
}

Figura FiguraPoste(int set)
{
    Figura f(AnchoMeta, 64);
    // A striped pole (its axis 7 pixels from the left, under the banner's end)
    // on a block of packed snow.
    f.Elipse(7.5, 61, 8, 3, MNieve, LuzEsfera(6.5, 60, 8, 3.5));
    f.Caja(4, 1, 7, 59, MBlanco, LuzColumna(7.5, 3.5));
    for (int y = 1; y < 60; y++)
        if ((y / 8) % 2 == 1)
            for (int x = 4; x < 11; x++)
                f.Pon(x, y, MBandRoja, f.VerLuz(x, y));
    f.Caja(3, 0, 9, 2, MMetal, LuzBisel(3, 0, 9, 2));
    if (set == 0)
        for (int y = 3; y < 58; y += 8)
            f.Pon(5, y, MBlanco, LuzBrillo);
    return f;
}

Figura FiguraPancarta(int set)
{
    Figura f(128, 48);
    // A cloth banner: a red band, two rows of black and white squares, a red band.
    f.Caja(1, 4, 126, 42, MBlanco, LuzFija(LuzBase));
    for (int y = 4; y < 46; y++)
        for (int x = 1; x < 127; x++) {
            bool banda = y < 12 || y >= 38;
            if (banda) {
                f.Pon(x, y, MBandRoja, y == 4 || y == 38 ? LuzBrillo - 20 : (y == 11 || y == 45 ? LuzSombra : LuzBase));
                continue;
            }
            int cuadro = ((x - 1) / 13 + (y - 12) / 13) % 2;
            // The cloth sags a little in the middle: shade by the distance from the ends.
            double s = std::fabs((x - 64) / 64.0);
            int luz = static_cast<int>(LuzBase + (set == 0 ? (s - 0.5) * 24 : 0));
            f.Pon(x, y, cuadro ? MNegro : MBlanco, luz);
        }
    // Ropes tying the corners up.
    for (int k = 0; k < 4; k++) {
        f.Pon(3 + k, 3 - k, MNegro, LuzBase, true);
        f.Pon(124 - k, 3 - k, MNegro, LuzBase, true);
    }
    // Eyelets along the top band.
    for (int x = 8; x < 124; x += 16)
        f.Pon(x, 6, MMetal, LuzBrillo);
    return f;
}
