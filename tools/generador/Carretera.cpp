// The road of the first phase, one picture per graphic set: a snowy pavement
// at the top where the hero starts, two carriageways with a central
// reservation between them, and the pavement and the ski-hire shop at the
// bottom, its open door where the hero walks in.
#include <cmath>

#include "Dibujo.h"
#include "Figuras.h"
#include "Imagenes.h"

namespace {

const int Ancho = 640, Alto = 480;

// Rows of the road: vehicles drive with their top from 65 and their bottom
// down to 221 above the reservation, from 226 down to 380 below it.
const int BordilloArriba = 57;   // kerb of the top pavement
const int CalzadaArriba = 64;    // first asphalt row
const int MedianaArriba = 221;   // central reservation: rows 221-225
const int MedianaAbajo = 226;
const int CalzadaAbajo = 381;    // first row of the bottom kerb
const int FachadaArriba = 396;   // the shop's snowy eave

// The shop's door: the hero walks in with his left edge from 281 to 309.
const int PuertaX = 281, PuertaAncho = 61, PuertaY = 430;

// A style of one graphic set: the colours of every material of the road.
struct Estilo {
    int set;
    Color asfalto, asfaltoClaro, asfaltoOscuro;
    Color linea;
    Color nieve, nieveSombra, nieveHondo;
    Color piedra, piedraClara, piedraOscura;
    Color losa, junta;
    Color madera, maderaClara, maderaOscura;
    Color ladrillo, ladrilloOscuro, mortero;
    Color cristal, cristalLuz, interior;
    Color negro;
};

Estilo EstiloDe(int set)
{
    if (set == 0)
        return Estilo{0,
                      {74, 76, 86}, {96, 98, 108}, {52, 54, 62},
                      {226, 226, 214},
                      {240, 244, 252}, {186, 200, 228}, {128, 146, 186},
                      {150, 150, 158}, {196, 196, 204}, {92, 92, 102},
                      {168, 164, 170}, {120, 116, 124},
                      {150, 92, 48}, {188, 124, 70}, {92, 52, 28},
                      {164, 72, 52}, {112, 44, 36}, {200, 188, 176},
                      {90, 140, 190}, {255, 226, 150}, {255, 196, 110},
                      {24, 22, 34}};
    // The "Original" set: flat colours of a small palette.
    return Estilo{1,
                  {85, 85, 85}, {85, 85, 85}, {85, 85, 85},
                  {255, 255, 85},
                  {255, 255, 255}, {170, 255, 255}, {85, 170, 170},
                  {170, 170, 170}, {255, 255, 255}, {85, 85, 85},
                  {170, 170, 170}, {85, 85, 85},
                  {170, 85, 0}, {255, 170, 85}, {85, 42, 0},
                  {170, 0, 0}, {85, 0, 0}, {170, 170, 170},
                  {0, 170, 170}, {255, 255, 85}, {255, 170, 0},
                  {0, 0, 0}};
}

// Asphalt with tyre-polished bands along each lane and a slushy strip at the kerbs.
void Asfalto(Lienzo& l, const Estilo& e, int y0, int y1)
{
    for (int y = y0; y < y1; y++)
        for (int x = 0; x < Ancho; x++) {
            if (e.set != 0) {
                l.Pon(x, y, Pixel(e.asfalto));
                continue;
            }
            double n = Ruido(x, y, 2.0, 11) * 0.6 + Ruido(x, y, 9.0, 12) * 0.4;
            double huella = 0;
            int carril = (y - y0) % 52;
            if ((carril > 12 && carril < 20) || (carril > 34 && carril < 42))
                huella = -0.06;
            Color c = Escala(e.asfalto, 0.86 + n * 0.28 + huella);
            if (Ruido(x, y, 1.0, 13) > 0.93)
                c = e.asfaltoClaro;
            // Grey slush thrown to the edges of the carriageway.
            int borde = std::min(y - y0, y1 - 1 - y);
            double nieve = (4.0 - borde) / 4.0 + (Ruido(x, y, 5.0, 14) - 0.55) * 1.4;
            if (nieve > 0.45)
                c = Mezcla(c, e.nieveSombra, std::min(0.8, nieve - 0.2));
            l.Pon(x, y, PixelTramado(c, x, y));
        }
}

// Dashed lane lines, a little worn in the "New" set.
void Marcas(Lienzo& l, const Estilo& e, int y)
{
    for (int x = 8; x < Ancho; x += 48)
        for (int j = 0; j < 3; j++)
            for (int i = 0; i < 26; i++) {
                if (e.set == 0 && Ruido(x + i, y + j, 2.0, 21) > 0.78)
                    continue;
                l.Pon(x + i, y + j, Pixel(e.set == 0 && j == 2 ? Escala(e.linea, 0.85) : e.linea));
            }
}

// A stone kerb seen from above: a lit top face and a dark face towards the road.
void Bordillo(Lienzo& l, const Estilo& e, int y, int alto, bool caraAbajo)
{
    for (int j = 0; j < alto; j++)
        for (int x = 0; x < Ancho; x++) {
            bool cara = caraAbajo ? j >= alto - 2 : j < 2;
            Color c = cara ? e.piedraOscura : (j == (caraAbajo ? 0 : 2) ? e.piedraClara : e.piedra);
            if (x % 40 == 0)
                c = e.piedraOscura;
            l.Pon(x, y + j, e.set == 0 ? PixelTramado(Escala(c, 0.95 + Ruido(x, y + j, 2, 31) * 0.1), x, y + j) : Pixel(c));
        }
}

// A heap of snow lit from the top left, outlined in the "Original" set.
void Monticulo(Lienzo& l, const Estilo& e, double cx, double cy, double rx, double ry)
{
    if (e.set != 0)
        Elipse(l, cx, cy, rx + 1, ry + 1, Liso(e.nieveHondo));
    Elipse(l, cx, cy, rx, ry, [=](int x, int y) {
        double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
        double d = -0.5 * u - 0.7 * v;
        if (e.set != 0)
            return Pixel(d < -0.25 ? e.nieveSombra : e.nieve);
        Color c = d > 0.1 ? e.nieve : Mezcla(e.nieve, e.nieveSombra, std::min(1.0, (0.1 - d) * 1.4));
        return PixelTramado(c, x, y);
    });
}

// Paving slabs with a dusting of snow.
void Acera(Lienzo& l, const Estilo& e, int y0, int y1)
{
    for (int y = y0; y < y1; y++)
        for (int x = 0; x < Ancho; x++) {
            bool junta = (y - y0) % 16 == 15 || (x + ((y - y0) / 16) * 12) % 24 == 23;
            Color c = junta ? e.junta : e.losa;
            if (e.set == 0) {
                c = Escala(c, 0.96 + Ruido(x, y, 2, 41) * 0.08);
                double nieve = Ruido(x, y, 7, 42) * 0.7 + Ruido(x, y, 2, 43) * 0.3;
                if (nieve > 0.6)
                    c = Mezcla(c, e.nieve, std::min(1.0, (nieve - 0.6) * 4));
                l.Pon(x, y, PixelTramado(c, x, y));
            } else {
                l.Pon(x, y, Pixel(c));
            }
        }
}

// A street lamp on the pavement: a post and a warm lantern with snow on its cap.
void Farola(Lienzo& l, const Estilo& e, int x, int ybase, int alto)
{
    Color poste = e.set == 0 ? Color{40, 44, 56} : e.negro;
    Caja(l, x - 1, ybase - alto, 3, alto, Liso(poste));
    if (e.set == 0)
        Caja(l, x - 1, ybase - alto, 1, alto, Liso(Color{90, 96, 112}));
    Caja(l, x - 3, ybase - 3, 7, 3, Liso(poste));
    int yl = ybase - alto - 10;
    Caja(l, x - 4, yl, 9, 10, Liso(poste));
    Caja(l, x - 3, yl + 2, 7, 7, Liso(e.cristalLuz));
    if (e.set == 0)
        Caja(l, x - 1, yl + 3, 3, 4, Liso(Color{255, 250, 220}));
    Caja(l, x - 5, yl - 2, 11, 3, Liso(poste));
    Caja(l, x - 5, yl - 4, 11, 2, Liso(e.nieve));
}

// A house front beside the shop: brick, a lit window, snow on the sill.
void Casa(Lienzo& l, const Estilo& e, int x0, int x1, int y0)
{
    for (int y = y0; y < Alto; y++)
        for (int x = x0; x < x1; x++) {
            int fila = (y - y0) / 6;
            int columna = x / 14 * 14;  // every brick of a row is one shade
            bool mortero = (y - y0) % 6 == 5 || (x + (fila % 2) * 7) % 14 == 13;
            Color c = mortero ? e.mortero : e.ladrillo;
            if (e.set == 0 && !mortero)
                c = Escala(c, 0.9 + Ruido(columna + fila * 3, fila, 1.0, 51) * 0.2);
            l.Pon(x, y, e.set == 0 ? PixelTramado(c, x, y) : Pixel(c));
        }
    // Eave of snow along the top.
    Caja(l, x0, y0 - 4, x1 - x0, 6, Liso(e.nieve));
    Caja(l, x0, y0 + 2, x1 - x0, 1, Liso(e.nieveSombra));
    // Windows glowing warm, with frames and snow on the sills.
    int ancho = 34, hueco = 22;
    for (int x = x0 + 14; x + ancho <= x1 - 8; x += ancho + hueco) {
        int y = y0 + 24;
        Caja(l, x - 2, y - 2, ancho + 4, 34, Liso(e.maderaOscura));
        Caja(l, x, y, ancho, 30, e.set == 0 ? Vertical(e.cristalLuz, e.interior, y, y + 30) : Liso(e.cristalLuz));
        Caja(l, x + ancho / 2 - 1, y, 2, 30, Liso(e.maderaOscura));
        Caja(l, x, y + 14, ancho, 2, Liso(e.maderaOscura));
        Caja(l, x - 4, y + 30, ancho + 8, 3, Liso(e.nieve));
        Caja(l, x - 4, y + 33, ancho + 8, 1, Liso(e.nieveSombra));
    }
}

// The ski-hire shop: a wooden chalet front with a snowy eave and icicles, a
// sign with a pair of crossed skis, shop windows with skis on show, and the
// open door.
void Tienda(Lienzo& l, const Estilo& e)
{
    const int x0 = 160, x1 = 464;
    // Plank wall.
    for (int y = FachadaArriba; y < Alto; y++)
        for (int x = x0; x < x1; x++) {
            int tabla = (y - FachadaArriba) / 7;
            Color c = e.madera;
            if ((y - FachadaArriba) % 7 == 6)
                c = e.maderaOscura;
            else if ((y - FachadaArriba) % 7 == 0)
                c = e.maderaClara;
            else if (e.set == 0)
                c = Escala(c, 0.92 + Ruido(x * 0.25, tabla * 5.0, 2.0, 61) * 0.16);
            l.Pon(x, y, e.set == 0 ? PixelTramado(c, x, y) : Pixel(c));
        }
    // Corner posts.
    Caja(l, x0, FachadaArriba, 6, Alto - FachadaArriba, Liso(e.maderaOscura));
    Caja(l, x1 - 6, FachadaArriba, 6, Alto - FachadaArriba, Liso(e.maderaOscura));
    // Snow on the eave, with icicles hanging from it.
    Caja(l, x0 - 8, FachadaArriba - 6, x1 - x0 + 16, 8, Liso(e.negro));
    Caja(l, x0 - 7, FachadaArriba - 5, x1 - x0 + 14, 6, e.set == 0 ? Vertical(e.nieve, e.nieveSombra, FachadaArriba - 5, FachadaArriba + 1) : Liso(e.nieve));
    Azar azar(71);
    for (int x = x0 - 4; x < x1 + 4; x += azar.Entre(5, 11)) {
        int largo = azar.Entre(2, 7);
        for (int j = 0; j < largo; j++) {
            int w = j < largo / 2 ? 2 : 1;
            Caja(l, x, FachadaArriba + 1 + j, w, 1, Liso(j == 0 ? e.nieve : e.nieveSombra));
        }
    }
    // The sign over the door: a board with "SKI" and a pair of crossed skis.
    const int sx = 236, sy = 400, sw = 152, sh = 26;
    Caja(l, sx - 2, sy - 2, sw + 4, sh + 4, Liso(e.negro));
    Caja(l, sx, sy, sw, sh, e.set == 0 ? Vertical(Color{40, 80, 150}, Color{24, 48, 104}, sy, sy + sh) : Liso(Color{0, 0, 170}));
    Caja(l, sx, sy, sw, 1, Liso(e.set == 0 ? Color{110, 150, 220} : Color{85, 85, 255}));
    int anchoTexto = AnchoRotulo("SKI", 3);
    int tx = sx + 44 + (sw - 44 - anchoTexto) / 2;
    Rotulo(l, tx + 1, sy + 4, "SKI", 3, Liso(e.negro));
    Rotulo(l, tx, sy + 3, "SKI", 3, Liso(Color{255, 255, 255}));
    // Crossed skis at the left of the board.
    Color esqui = e.set == 0 ? Color{255, 148, 30} : Color{255, 136, 0};
    Trazo(l, {sx + 8.0, sy + 22.0}, {sx + 36.0, sy + 4.0}, 4.2, Liso(e.negro));
    Trazo(l, {sx + 8.0, sy + 4.0}, {sx + 36.0, sy + 22.0}, 4.2, Liso(e.negro));
    Trazo(l, {sx + 8.0, sy + 22.0}, {sx + 36.0, sy + 4.0}, 2.2, Liso(esqui));
    Trazo(l, {sx + 8.0, sy + 4.0}, {sx + 36.0, sy + 22.0}, 2.2, Liso(Color{255, 230, 80}));
    // Door frame and the open door showing the warm shop inside.
    Caja(l, PuertaX - 4, PuertaY - 4, PuertaAncho + 8, Alto - PuertaY + 4, Liso(e.maderaOscura));
    Caja(l, PuertaX, PuertaY, PuertaAncho, Alto - PuertaY, e.set == 0 ? Vertical(e.interior, Escala(e.interior, 0.55), PuertaY, Alto) : Liso(e.interior));
    // The counter and racks of skis inside.
    Caja(l, PuertaX + 6, PuertaY + 24, PuertaAncho - 12, 8, Liso(e.maderaOscura));
    Color colores[4] = {{220, 40, 40}, {40, 90, 220}, {250, 200, 40}, {40, 160, 70}};
    for (int k = 0; k < 5; k++)
        Caja(l, PuertaX + 8 + k * 10, PuertaY + 4, 3, 18, Liso(colores[k % 4]));
    // Door leaves folded back against the frame.
    Caja(l, PuertaX - 14, PuertaY, 10, Alto - PuertaY, Liso(e.maderaClara));
    Caja(l, PuertaX - 12, PuertaY + 4, 6, 20, Liso(e.cristal));
    Caja(l, PuertaX + PuertaAncho + 4, PuertaY, 10, Alto - PuertaY, Liso(e.maderaClara));
    Caja(l, PuertaX + PuertaAncho + 6, PuertaY + 4, 6, 20, Liso(e.cristal));
    // Shop windows with skis standing on show.
    for (int w = 0; w < 2; w++) {
        int wx = w == 0 ? x0 + 16 : PuertaX + PuertaAncho + 26;
        int ww = w == 0 ? PuertaX - 22 - wx : x1 - 16 - wx;
        int wy = 434, wh = 34;
        Caja(l, wx - 3, wy - 3, ww + 6, wh + 6, Liso(e.maderaOscura));
        Caja(l, wx, wy, ww, wh, e.set == 0 ? Vertical(e.cristalLuz, e.interior, wy, wy + wh) : Liso(e.cristalLuz));
        for (int k = 0; k < ww / 9; k++) {
            int kx = wx + 4 + k * 9;
            Caja(l, kx, wy + 4, 3, wh - 6, Liso(colores[(k + w) % 4]));
            Caja(l, kx, wy + 4, 3, 1, Liso(e.negro));
            Caja(l, kx, wy + 18, 3, 2, Liso(e.negro));
        }
        if (e.set == 0)
            for (int j = 0; j < wh; j++)
                for (int i = 0; i < 3; i++)
                    if ((j + i) % 2 == 0 && j < wh - 2)
                        l.Pon(wx + ww - 16 + j / 3 + i, wy + j, Pixel(Color{255, 255, 240}));
        Caja(l, wx - 5, wy + wh + 3, ww + 10, 3, Liso(e.nieve));
    }
    // A doormat for the eye to land on.
    Caja(l, PuertaX + 8, Alto - 6, PuertaAncho - 16, 6, Liso(e.set == 0 ? Color{150, 40, 40} : Color{170, 0, 0}));
}

// A snowy verge with a low wooden fence above the top pavement (mostly under the status line).
void Verja(Lienzo& l, const Estilo& e)
{
    Caja(l, 0, 0, Ancho, 26, e.set == 0 ? Vertical(e.nieveSombra, e.nieve, 0, 26) : Liso(e.nieve));
    for (int x = 6; x < Ancho; x += 32) {
        Caja(l, x, 4, 4, 18, Liso(e.maderaOscura));
        Caja(l, x, 4, 4, 2, Liso(e.nieve));
    }
    Caja(l, 0, 9, Ancho, 3, Liso(e.madera));
    Caja(l, 0, 16, Ancho, 3, Liso(e.madera));
    Caja(l, 0, 9, Ancho, 1, Liso(e.nieve));
    Caja(l, 0, 16, Ancho, 1, Liso(e.nieve));
    Caja(l, 0, 24, Ancho, 2, Liso(e.nieveSombra));
}

}  // namespace

Lienzo DibujaCarretera(int set)
{
    Estilo e = EstiloDe(set);
    Lienzo l(Ancho, Alto);
    Verja(l, e);
    Acera(l, e, 26, BordilloArriba);
    Bordillo(l, e, BordilloArriba, CalzadaArriba - BordilloArriba, true);
    Asfalto(l, e, CalzadaArriba, MedianaArriba);
    Asfalto(l, e, MedianaAbajo, CalzadaAbajo);
    Marcas(l, e, 116);
    Marcas(l, e, 168);
    Marcas(l, e, 277);
    Marcas(l, e, 328);
    // Central reservation: a low kerbed strip with snow on it.
    Caja(l, 0, MedianaArriba, Ancho, MedianaAbajo - MedianaArriba, Liso(e.piedra));
    Caja(l, 0, MedianaArriba, Ancho, 1, Liso(e.piedraOscura));
    Caja(l, 0, MedianaAbajo - 1, Ancho, 1, Liso(e.piedraOscura));
    for (int x = 0; x < Ancho; x++)
        if (e.set != 0 || Ruido(x, 0, 6, 81) > 0.35)
            Caja(l, x, MedianaArriba + 1, 1, 3, Liso(x % 40 < 20 || e.set == 0 ? e.nieve : e.nieveSombra));
    // Bottom kerb and pavement.
    Bordillo(l, e, CalzadaAbajo, 6, false);
    Acera(l, e, CalzadaAbajo + 6, FachadaArriba);
    Casa(l, e, 0, 160, FachadaArriba + 4);
    Casa(l, e, 464, Ancho, FachadaArriba + 4);
    Tienda(l, e);
    // Snow pushed against the kerbs by the ploughs.
    Azar azar(91);
    for (int x = 10; x < Ancho; x += azar.Entre(38, 70)) {
        Monticulo(l, e, x, BordilloArriba + 1, azar.Entre(9, 16), 4);
        int xb = x + azar.Entre(10, 30);
        if (xb < 146 || xb > 478)
            Monticulo(l, e, xb, CalzadaAbajo + 8, azar.Entre(8, 14), 4);
    }
    // Street lamps on both pavements.
    for (int x : {80, 240, 400, 560})
        Farola(l, e, x, 52, 20);
    Farola(l, e, 150, FachadaArriba + 2, 8);
    Farola(l, e, 474, FachadaArriba + 2, 8);
    return l;
}
