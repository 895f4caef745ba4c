// Material figures and their painting in the two graphic styles.
#include "Figura.h"

#include <algorithm>
#include <cmath>

namespace {

// The "New" set: four steps per material, dark to bright, cool shadows and warm lights.
const Color rampas[NumMateriales][4] = {
    {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},                       // MVacio
    {{8, 8, 14}, {22, 22, 30}, {38, 38, 50}, {70, 70, 90}},              // MNegro
    {{92, 100, 130}, {172, 180, 204}, {232, 236, 244}, {255, 255, 255}}, // MBlanco
    {{96, 118, 166}, {176, 198, 232}, {228, 238, 252}, {255, 255, 255}}, // MNieve
    {{56, 60, 74}, {116, 122, 138}, {172, 178, 192}, {230, 234, 244}},   // MMetal
    {{10, 10, 14}, {28, 28, 34}, {50, 50, 58}, {86, 86, 98}},            // MGoma
    {{28, 56, 96}, {66, 116, 168}, {126, 182, 226}, {218, 240, 255}},    // MCristal
    {{150, 118, 40}, {232, 200, 92}, {255, 240, 160}, {255, 255, 236}},  // MFaro
    {{90, 0, 12}, {168, 20, 30}, {228, 40, 40}, {255, 140, 120}},        // MPiloto
    {{78, 10, 26}, {150, 24, 38}, {208, 44, 44}, {255, 122, 100}},       // MRojo
    {{14, 22, 78}, {30, 62, 150}, {54, 108, 208}, {128, 178, 255}},      // MAzul
    {{10, 48, 30}, {28, 98, 50}, {58, 148, 70}, {140, 210, 120}},        // MVerde
    {{108, 68, 10}, {198, 138, 20}, {244, 198, 40}, {255, 240, 140}},    // MAmarillo
    {{98, 34, 10}, {188, 78, 20}, {238, 128, 40}, {255, 198, 120}},      // MNaranja
    {{68, 74, 92}, {138, 146, 164}, {194, 200, 214}, {244, 248, 255}},   // MPlata
    {{108, 54, 40}, {194, 118, 88}, {238, 174, 138}, {255, 218, 188}},   // MPiel
    {{38, 20, 10}, {78, 42, 20}, {118, 70, 34}, {168, 108, 58}},         // MPelo
    {{14, 28, 88}, {30, 68, 168}, {58, 118, 228}, {148, 198, 255}},      // MGorro
    {{88, 10, 22}, {168, 28, 36}, {224, 50, 44}, {255, 132, 100}},       // MChaqueta
    {{118, 78, 0}, {208, 158, 20}, {250, 210, 50}, {255, 246, 150}},     // MBufanda
    {{14, 16, 40}, {30, 36, 80}, {50, 60, 120}, {90, 104, 170}},         // MPantalon
    {{38, 20, 8}, {78, 42, 18}, {118, 68, 30}, {168, 108, 58}},          // MBota
    {{118, 78, 0}, {208, 158, 20}, {250, 210, 50}, {255, 246, 150}},     // MGuante
    {{118, 38, 0}, {208, 88, 10}, {255, 148, 30}, {255, 220, 120}},      // MEsqui
    {{48, 52, 62}, {108, 114, 128}, {168, 174, 188}, {228, 232, 240}},   // MBaston
    {{42, 22, 12}, {84, 48, 24}, {124, 78, 40}, {168, 118, 70}},         // MMadera
    {{6, 38, 30}, {18, 78, 48}, {38, 118, 62}, {88, 168, 88}},           // MPino
    {{98, 0, 16}, {188, 20, 30}, {238, 50, 50}, {255, 140, 130}},        // MBandRoja
    {{0, 20, 88}, {20, 60, 178}, {50, 110, 238}, {140, 190, 255}},       // MBandAzul
    {{0, 30, 118}, {30, 90, 228}, {90, 170, 255}, {210, 240, 255}},      // MLuzAzul
    {{98, 98, 120}, {178, 178, 198}, {232, 232, 244}, {255, 255, 255}},  // MCasco
    {{8, 8, 14}, {24, 24, 36}, {46, 46, 66}, {92, 92, 124}},             // MCuero
};

// The "Original" set: a small palette of strong colours, a shade and a base per material.
const Color kNegro{0, 0, 0}, kAzul{0, 0, 170}, kVerde{0, 170, 0}, kCian{0, 170, 170};
const Color kRojo{170, 0, 0}, kMarron{170, 85, 0}, kGris{170, 170, 170}, kGrisOsc{85, 85, 85};
const Color kAzulCl{85, 85, 255}, kVerdeCl{85, 255, 85}, kCianCl{85, 255, 255}, kRojoCl{255, 85, 85};
const Color kAmarillo{255, 255, 85}, kBlanco{255, 255, 255}, kNaranja{255, 136, 0};
const Color kPiel{255, 204, 136}, kPielSom{221, 153, 102}, kVerdeOsc{0, 85, 0};

const Color planos[NumMateriales][2] = {
    {kNegro, kNegro},       // MVacio
    {kNegro, kNegro},       // MNegro
    {kGris, kBlanco},       // MBlanco
    {kCianCl, kBlanco},     // MNieve
    {kGrisOsc, kGris},      // MMetal
    {kNegro, kGrisOsc},     // MGoma
    {kCian, kCianCl},       // MCristal
    {kAmarillo, kAmarillo}, // MFaro
    {kRojo, kRojoCl},       // MPiloto
    {kRojo, kRojoCl},       // MRojo
    {kAzul, kAzulCl},       // MAzul
    {kVerde, kVerdeCl},     // MVerde
    {kMarron, kAmarillo},   // MAmarillo
    {kRojo, kNaranja},      // MNaranja
    {kGrisOsc, kGris},      // MPlata
    {kPielSom, kPiel},      // MPiel
    {kNegro, kMarron},      // MPelo
    {kAzul, kAzulCl},       // MGorro
    {kRojo, kRojoCl},       // MChaqueta
    {kMarron, kAmarillo},   // MBufanda
    {kGrisOsc, kAzul},      // MPantalon
    {kNegro, kMarron},      // MBota
    {kMarron, kAmarillo},   // MGuante
    {kRojo, kNaranja},      // MEsqui
    {kGrisOsc, kGris},      // MBaston
    {kNegro, kMarron},      // MMadera
    {kVerdeOsc, kVerde},    // MPino
    {kRojo, kRojoCl},       // MBandRoja
    {kAzul, kAzulCl},       // MBandAzul
    {kAzulCl, kCianCl},     // MLuzAzul
    {kGris, kBlanco},       // MCasco
    {kNegro, kGrisOsc},     // MCuero
};

// What each character of the pixel art stands for.
struct Clave {
    char c;
    Material m;
    int luz;
};

const Clave leyenda[] = {
    {'k', MNegro, LuzBase},     {'K', MNegro, LuzOscura},   {'w', MBlanco, LuzBase},
    {'W', MBlanco, LuzSombra},  {'n', MNieve, LuzBase},     {'N', MNieve, LuzSombra},
    {'m', MNieve, LuzBrillo},   {'s', MPiel, LuzBase},      {'S', MPiel, LuzSombra},
    {'z', MPiel, LuzBrillo},    {'h', MPelo, LuzBase},      {'H', MPelo, LuzSombra},
    {'r', MGorro, LuzBase},     {'R', MGorro, LuzSombra},   {'q', MGorro, LuzBrillo},
    {'c', MChaqueta, LuzBase},  {'C', MChaqueta, LuzSombra}, {'x', MChaqueta, LuzBrillo},
    {'y', MBufanda, LuzBase},   {'Y', MBufanda, LuzSombra}, {'p', MPantalon, LuzBase},
    {'P', MPantalon, LuzSombra}, {'v', MPantalon, LuzBrillo}, {'b', MBota, LuzBase},
    {'B', MBota, LuzSombra},    {'g', MGuante, LuzBase},    {'G', MGuante, LuzSombra},
    {'e', MEsqui, LuzBase},     {'E', MEsqui, LuzSombra},   {'i', MEsqui, LuzBrillo},
    {'l', MBaston, LuzBase},    {'L', MBaston, LuzSombra},  {'a', MCristal, LuzBase},
    {'A', MCristal, LuzSombra}, {'t', MCristal, LuzBrillo}, {'u', MCasco, LuzBase},
    {'U', MCasco, LuzSombra},   {'j', MCuero, LuzBase},     {'J', MCuero, LuzSombra},
    {'o', MNegro, LuzOscura},
};

}  // namespace

Color ColorMaterial(Material m, int luz, int set, int x, int y)
{
    if (set == 0) {
        // Dither only near a step boundary: the threshold swings by +-15.
        int v = luz + (Bayer(x, y) * 2 - 15);
        int paso = v < 44 ? 0 : v < 104 ? 1 : v < 172 ? 2 : 3;
        return rampas[m][paso];
    }
    if (luz < 44)
        return kNegro;
    return luz < 104 ? planos[m][0] : planos[m][1];
}

Color ColorContorno(Material m, int set)
{
    if (set != 0)
        return kNegro;
    return Mezcla(rampas[m][0], Color{10, 8, 24}, 0.45);
}

Luz LuzFija(int nivel)
{
    return [nivel](int, int) { return nivel; };
}

Luz LuzEsfera(double cx, double cy, double rx, double ry)
{
    return [=](int x, int y) {
        double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
        double r2 = std::min(1.0, nx * nx + ny * ny);
        double nz = std::sqrt(1.0 - r2);
        // Light from the top left, slightly in front.
        double d = -0.55 * nx - 0.6 * ny + 0.58 * nz;
        return static_cast<int>(std::lround(LuzSombra + (d + 0.2) * 130));
    };
}

Luz LuzCilindro(double cy, double r)
{
    return [=](int, int y) {
        double ny = std::max(-1.0, std::min(1.0, (y + 0.5 - cy) / r));
        double nz = std::sqrt(1.0 - ny * ny);
        double d = -0.7 * ny + 0.7 * nz;
        return static_cast<int>(std::lround(LuzSombra + (d + 0.15) * 120));
    };
}

Luz LuzColumna(double cx, double r)
{
    return [=](int x, int) {
        double nx = std::max(-1.0, std::min(1.0, (x + 0.5 - cx) / r));
        double nz = std::sqrt(1.0 - nx * nx);
        double d = -0.7 * nx + 0.7 * nz;
        return static_cast<int>(std::lround(LuzSombra + (d + 0.15) * 120));
    };
}

Luz LuzBisel(int x0, int y0, int w, int h)
{
    return [=](int x, int y) {
        if (y == y0)
            return LuzBrillo;
        if (y >= y0 + h - 2)
            return LuzSombra;
        if (x == x0)
            return LuzBrillo - 30;
        if (x == x0 + w - 1)
            return LuzSombra + 20;
        return LuzBase;
    };
}

Luz LuzVertical(int y0, int y1, int arriba, int abajo)
{
    return [=](int, int y) {
        double t = y1 == y0 ? 0.0 : static_cast<double>(y - y0) / (y1 - y0);
        t = std::max(0.0, std::min(1.0, t));
        return static_cast<int>(std::lround(arriba + (abajo - arriba) * t));
    };
}

Figura::Figura(int w, int h)
    : ancho(w), alto(h), material(static_cast<size_t>(w) * h, MVacio), luz(static_cast<size_t>(w) * h, 0),
      sinBorde(static_cast<size_t>(w) * h, 0)
{
}

bool Figura::Solido(int x, int y) const { return Dentro(x, y) && material[Indice(x, y)] != MVacio; }

Material Figura::VerMaterial(int x, int y) const
{
    return Dentro(x, y) ? static_cast<Material>(material[Indice(x, y)]) : MVacio;
}

int Figura::VerLuz(int x, int y) const { return Dentro(x, y) ? luz[Indice(x, y)] : 0; }

void Figura::Pon(int x, int y, Material m, int l, bool sinContorno)
{
    if (!Dentro(x, y))
        return;
    size_t i = Indice(x, y);
    material[i] = m;
    luz[i] = static_cast<uint8_t>(std::max(0, std::min(255, l)));
    sinBorde[i] = sinContorno ? 1 : 0;
}

void Figura::Quita(int x, int y)
{
    if (Dentro(x, y))
        material[Indice(x, y)] = MVacio;
}

void Figura::Aclara(int x, int y, int w, int h, int delta)
{
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++)
            if (Solido(i, j))
                luz[Indice(i, j)] = static_cast<uint8_t>(std::max(0, std::min(255, luz[Indice(i, j)] + delta)));
}

void Figura::Caja(int x, int y, int w, int h, Material m, const Luz& l, bool sinContorno)
{
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++)
            if (Dentro(i, j))
                Pon(i, j, m, l(i, j), sinContorno);
}

void Figura::Elipse(double cx, double cy, double rx, double ry, Material m, const Luz& l, bool sinContorno)
{
    if (rx <= 0 || ry <= 0)
        return;
    for (int j = static_cast<int>(std::floor(cy - ry)); j <= static_cast<int>(std::ceil(cy + ry)); j++)
        for (int i = static_cast<int>(std::floor(cx - rx)); i <= static_cast<int>(std::ceil(cx + rx)); i++) {
            double u = (i + 0.5 - cx) / rx, v = (j + 0.5 - cy) / ry;
            if (u * u + v * v <= 1.0 && Dentro(i, j))
                Pon(i, j, m, l(i, j), sinContorno);
        }
}

void Figura::Poligono(const std::vector<Punto>& puntos, Material m, const Luz& l, bool sinContorno)
{
    if (puntos.size() < 3)
        return;
    for (int j = 0; j < alto; j++)
        for (int i = 0; i < ancho; i++)
            if (DentroPoligono(puntos, i + 0.5, j + 0.5))
                Pon(i, j, m, l(i, j), sinContorno);
}

void Figura::Trazo(Punto a, Punto b, double grosor, Material m, const Luz& l, bool sinContorno)
{
    double r = grosor / 2;
    int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - r)), x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + r));
    int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - r)), y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + r));
    for (int j = y0; j <= y1; j++)
        for (int i = x0; i <= x1; i++)
            if (Dentro(i, j) && DistanciaSegmento(i + 0.5, j + 0.5, a, b) <= r)
                Pon(i, j, m, l(i, j), sinContorno);
}

void Figura::Recorta(double cx, double cy, double rx, double ry)
{
    for (int j = static_cast<int>(std::floor(cy - ry)); j <= static_cast<int>(std::ceil(cy + ry)); j++)
        for (int i = static_cast<int>(std::floor(cx - rx)); i <= static_cast<int>(std::ceil(cx + rx)); i++) {
            double u = (i + 0.5 - cx) / rx, v = (j + 0.5 - cy) / ry;
            if (u * u + v * v <= 1.0)
                Quita(i, j);
        }
}

void Figura::Arte(int x, int y, const std::vector<const char*>& filas)
{
    for (size_t j = 0; j < filas.size(); j++)
        for (int i = 0; filas[j][i]; i++) {
            char c = filas[j][i];
            if (c == '.' || c == ' ')
                continue;
            for (const Clave& k : leyenda)
                if (k.c == c) {
                    Pon(x + i, y + static_cast<int>(j), k.m, k.luz);
                    break;
                }
        }
}

void Figura::Superpone(const Figura& otra, int x, int y)
{
    for (int j = 0; j < otra.alto; j++)
        for (int i = 0; i < otra.ancho; i++)
            if (otra.Solido(i, j)) {
                size_t k = otra.Indice(i, j);
                Pon(x + i, y + j, static_cast<Material>(otra.material[k]), otra.luz[k], otra.sinBorde[k] != 0);
            }
}

Figura Figura::Espejo() const
{
    Figura espejo(ancho, alto);
    for (int j = 0; j < alto; j++)
        for (int i = 0; i < ancho; i++) {
            size_t k = Indice(i, j);
            if (material[k] != MVacio)
                espejo.Pon(ancho - 1 - i, j, static_cast<Material>(material[k]), luz[k], sinBorde[k] != 0);
        }
    return espejo;
}

void Figura::Pinta(Lienzo& l, int x, int y, int set) const
{
    // "New" outlines the four sides of a shape, "Original" also its corners, for a bolder line.
    static const int vecinos[8][2] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    int cuantos = set == 0 ? 4 : 8;
    for (int j = 0; j < alto; j++)
        for (int i = 0; i < ancho; i++) {
            size_t k = Indice(i, j);
            if (material[k] != MVacio) {
                l.Pon(x + i, y + j, Pixel(ColorMaterial(static_cast<Material>(material[k]), luz[k], set, x + i, y + j)));
                continue;
            }
            for (int v = 0; v < cuantos; v++) {
                int ni = i + vecinos[v][0], nj = j + vecinos[v][1];
                if (Solido(ni, nj) && !sinBorde[Indice(ni, nj)]) {
                    l.Pon(x + i, y + j, Pixel(ColorContorno(static_cast<Material>(material[Indice(ni, nj)]), set)));
                    break;
                }
            }
        }
}
