// Colours, dithering, noise and filled shapes for the generator's pictures.
#include "Dibujo.h"

#include <algorithm>
#include <cmath>
#include <cstring>

static int Limita(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

Color Mezcla(Color a, Color b, double t)
{
    return Color{static_cast<int>(std::lround(a.r + (b.r - a.r) * t)),
                 static_cast<int>(std::lround(a.g + (b.g - a.g) * t)),
                 static_cast<int>(std::lround(a.b + (b.b - a.b) * t))};
}

Color Escala(Color c, double f)
{
    return Color{Limita(static_cast<int>(std::lround(c.r * f)), 0, 255),
                 Limita(static_cast<int>(std::lround(c.g * f)), 0, 255),
                 Limita(static_cast<int>(std::lround(c.b * f)), 0, 255)};
}

uint16_t Pixel(Color c)
{
    uint16_t p = Rgb(Limita(c.r, 0, 255), Limita(c.g, 0, 255), Limita(c.b, 0, 255));
    // The transparent value would punch a hole: use the nearest solid neighbour.
    return p == ColorTransparente ? static_cast<uint16_t>(ColorTransparente - 1) : p;
}

int Bayer(int x, int y)
{
    static const int matriz[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return matriz[y & 3][x & 3];
}

uint16_t PixelTramado(Color c, int x, int y)
{
    // One step of red and blue is 8 levels, of green 4: spread the threshold over it.
    double u = (Bayer(x, y) + 0.5) / 16.0;
    int r = Limita(c.r + static_cast<int>((u - 0.5) * 8), 0, 255);
    int g = Limita(c.g + static_cast<int>((u - 0.5) * 4), 0, 255);
    int b = Limita(c.b + static_cast<int>((u - 0.5) * 8), 0, 255);
    return Pixel(Color{r, g, b});
}

// A repeatable pseudo-random value in 0..1 for a lattice point.
static double Rejilla(int x, int y, uint32_t semilla)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + semilla * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777215.0;
}

double Ruido(double x, double y, double escala, uint32_t semilla)
{
    double fx = x / escala, fy = y / escala;
    int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    double tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    double a = Rejilla(ix, iy, semilla), b = Rejilla(ix + 1, iy, semilla);
    double c = Rejilla(ix, iy + 1, semilla), d = Rejilla(ix + 1, iy + 1, semilla);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

Pintor Liso(Color c)
{
    uint16_t p = Pixel(c);
    return [p](int, int) { return p; };
}

Pintor Vertical(Color arriba, Color abajo, int y0, int y1)
{
    return [=](int x, int y) {
        double t = y1 == y0 ? 0.0 : static_cast<double>(y - y0) / (y1 - y0);
        return PixelTramado(Mezcla(arriba, abajo, std::min(1.0, std::max(0.0, t))), x, y);
    };
}

bool DentroPoligono(const std::vector<Punto>& poligono, double x, double y)
{
    bool dentro = false;
    size_t n = poligono.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Punto& a = poligono[i];
        const Punto& b = poligono[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            dentro = !dentro;
    }
    return dentro;
}

double DistanciaSegmento(double px, double py, Punto a, Punto b)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double l2 = dx * dx + dy * dy;
    double t = l2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / l2 : 0;
    t = std::min(1.0, std::max(0.0, t));
    double qx = a.x + t * dx - px, qy = a.y + t * dy - py;
    return std::sqrt(qx * qx + qy * qy);
}

void Caja(Lienzo& l, int x, int y, int w, int h, const Pintor& pintor)
{
    for (int j = std::max(0, y); j < std::min(l.alto, y + h); j++)
        for (int i = std::max(0, x); i < std::min(l.ancho, x + w); i++)
            l.Pon(i, j, pintor(i, j));
}

void Elipse(Lienzo& l, double cx, double cy, double rx, double ry, const Pintor& pintor)
{
    if (rx <= 0 || ry <= 0)
        return;
    int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
    int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
    for (int j = std::max(0, y0); j <= std::min(l.alto - 1, y1); j++)
        for (int i = std::max(0, x0); i <= std::min(l.ancho - 1, x1); i++) {
            double u = (i + 0.5 - cx) / rx, v = (j + 0.5 - cy) / ry;
            if (u * u + v * v <= 1.0)
                l.Pon(i, j, pintor(i, j));
        }
}

void Poligono(Lienzo& l, const std::vector<Punto>& puntos, const Pintor& pintor)
{
    if (puntos.size() < 3)
        return;
    double x0 = puntos[0].x, x1 = x0, y0 = puntos[0].y, y1 = y0;
    for (const Punto& p : puntos) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    for (int j = std::max(0, static_cast<int>(std::floor(y0))); j <= std::min(l.alto - 1, static_cast<int>(std::ceil(y1))); j++)
        for (int i = std::max(0, static_cast<int>(std::floor(x0))); i <= std::min(l.ancho - 1, static_cast<int>(std::ceil(x1))); i++)
            if (DentroPoligono(puntos, i + 0.5, j + 0.5))
                l.Pon(i, j, pintor(i, j));
}

void Trazo(Lienzo& l, Punto a, Punto b, double grosor, const Pintor& pintor)
{
    double r = grosor / 2;
    int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - r)), x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + r));
    int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - r)), y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + r));
    for (int j = std::max(0, y0); j <= std::min(l.alto - 1, y1); j++)
        for (int i = std::max(0, x0); i <= std::min(l.ancho - 1, x1); i++)
            if (DistanciaSegmento(i + 0.5, j + 0.5, a, b) <= r)
                l.Pon(i, j, pintor(i, j));
}

// Blocky capitals, 5 columns x 7 rows, '#' for ink.
struct Letra {
    char c;
    const char* filas[7];
};

static const Letra letras[] = {
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'N', {"#...#", "##..#", "#.#.#", "#.#.#", "#..##", "#...#", "#...#"}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
};

static const Letra* BuscaLetra(char c)
{
    for (const Letra& l : letras)
        if (l.c == c)
            return &l;
    return nullptr;
}

int AnchoRotulo(const char* texto, int escala)
{
    int n = static_cast<int>(std::strlen(texto));
    return n > 0 ? (n * 6 - 1) * escala : 0;
}

int Rotulo(Lienzo& l, int x, int y, const char* texto, int escala, const Pintor& pintor)
{
    int cx = x;
    for (const char* p = texto; *p; p++) {
        const Letra* letra = BuscaLetra(*p);
        if (letra)
            for (int j = 0; j < 7; j++)
                for (int i = 0; i < 5; i++)
                    if (letra->filas[j][i] == '#')
                        Caja(l, cx + i * escala, y + j * escala, escala, escala, pintor);
        cx += 6 * escala;
    }
    return AnchoRotulo(texto, escala);
}
