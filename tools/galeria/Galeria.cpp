// Renders every entry of both sprite sheets, cut and composed the way the
// game cuts and composes them, scaled up on a checkerboard so transparency
// shows: one row per figure family, the "New" set above the "Original" set.
// Also writes 1x previews of the road, title and credits pictures.
//
//   galeria DIRECTORY [SCALE]   writes galeria.ppm, carretera0.ppm,
//                               carretera1.ppm, titulo.ppm, creditos.ppm
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Constantes.h"
#include "Datos.h"
#include "Imagenes.h"

namespace {

struct Entrada {
    Lienzo imagen;
};

Lienzo Corta(const Lienzo& hoja, int x, int y, int w, int h)
{
    Lienzo l(w, h, ColorTransparente);
    l.Copia(hoja, x, y, w, h, 0, 0);
    return l;
}

// The families of the sheet, each a list of entries in the game's order.
std::vector<std::vector<Lienzo>> Familias(const Lienzo& hoja)
{
    std::vector<std::vector<Lienzo>> familias;
    for (int t = 0; t < TotalVehiculos; t++) {
        std::vector<Lienzo> v;
        for (int lado = 0; lado < 2; lado++)
            for (int f = 0; f < FotogramasVehiculo; f++)
                v.push_back(Corta(hoja, AnchoVehiculo[t] * f, FilaVehiculo[t] + BajadaIzquierda * lado, AnchoVehiculo[t], AltoVehiculo[t]));
        familias.push_back(v);
    }
    std::vector<Lienzo> heroe, conEsquis;
    for (int v = 0; v < 4; v++)
        for (int f = 0; f < FotogramasZumbelo; f++) {
            const int y = FilaZumbelo + AltoZumbelo * v;
            heroe.push_back(Corta(hoja, AnchoZumbelo * f, y, AnchoZumbelo, AltoZumbelo));
            Lienzo c(AnchoZumbeloCS, AltoZumbelo, ColorTransparente);
            c.Copia(hoja, AnchoZumbelo * f, y, AnchoZumbelo, AltoZumbelo, 0, 0);
            c.Copia(hoja, XSki + AnchoSki * f, FilaZumbelo, AnchoSki, AltoZumbelo, AnchoZumbeloCS - AnchoSki, 0, true);
            conEsquis.push_back(c);
        }
    familias.push_back(heroe);
    familias.push_back(conEsquis);
    std::vector<Lienzo> esquiador = {Corta(hoja, 0, FilaEsquiador, AnchoZumbelo, AltoEsquiadorRecto)};
    for (int v = 1; v <= 4; v++)
        esquiador.push_back(Corta(hoja, 0, FilaEsquiadorGiro + AltoEsquiador * (v - 1), AnchoEsquiador, AltoEsquiador));
    for (int f = 0; f < FotogramasChoque; f++)
        esquiador.push_back(Corta(hoja, AnchoChoque * f, FilaChoque, AnchoChoque, AltoChoque));
    familias.push_back(esquiador);
    std::vector<Lienzo> puertas;
    for (int ancho : {AnchoB1, AnchoB2})
        for (int f = 0; f < FotogramasBand; f++) {
            Lienzo g(ancho, AltoBand, ColorTransparente);
            g.Copia(hoja, 2 * AnchoBand * f, FilaBanderas, AnchoBand, AltoBand, 0, 0);
            g.Copia(hoja, 2 * AnchoBand * f + AnchoBand, FilaBanderas, AnchoBand, AltoBand, ancho - AnchoBand, 0);
            puertas.push_back(g);
        }
    familias.push_back(puertas);
    std::vector<Lienzo> pista = {Corta(hoja, 0, FilaMonton, AnchoMonton, AltoMonton),
                                 Corta(hoja, 0, FilaPinos, AnchoPino, AltoPino),
                                 Corta(hoja, AnchoPino, FilaPinos, AnchoPino, AltoPino)};
    Lienzo banner = Corta(hoja, 0, FilaPancarta, AnchoPancarta, AltoPancarta);
    for (int ancho : {AnchoM1, AnchoM2}) {
        Lienzo m(ancho, AltoMeta, ColorTransparente);
        m.Copia(hoja, 0, FilaPoste, AnchoMeta, AltoPoste, 0, AltoPancarta);
        m.Copia(hoja, 0, FilaPoste, AnchoMeta, AltoPoste, ancho - AnchoMeta, AltoPancarta);
        m.CopiaEstirada(banner, 0, 0, ancho == AnchoM1 ? PancartaM1 : PancartaM2, AltoPancarta);
        pista.push_back(m);
    }
    familias.push_back(pista);
    return familias;
}

// Paints a picture scaled up, transparent pixels as a grey checkerboard.
void Pega(Lienzo& destino, const Lienzo& l, int x, int y, int escala)
{
    for (int j = 0; j < l.alto * escala; j++)
        for (int i = 0; i < l.ancho * escala; i++) {
            uint16_t c = l.Lee(i / escala, j / escala);
            if (c == ColorTransparente)
                c = ((i / 6 + j / 6) % 2) ? Rgb(200, 200, 200) : Rgb(150, 150, 150);
            destino.Pon(x + i, y + j, c);
        }
}

// A still of each phase as the game would show it, to judge the pictures
// together: the road with traffic and the hero at the shop door, and the
// slope with gates, trees, a heap and the skier.
Lienzo Escena(const Lienzo& hoja, int set)
{
    Lienzo l = DibujaCarretera(set);
    struct Coche { int tipo, izquierda, x, y, f; };
    const Coche coches[] = {{0, 0, 20, 70, 0}, {2, 0, 200, 130, 1}, {5, 0, 330, 180, 2}, {4, 0, 470, 80, 0},
                            {1, 1, 420, 236, 3}, {3, 1, 250, 300, 1}, {2, 1, 60, 340, 2}, {0, 1, 520, 325, 1}};
    for (const Coche& c : coches)
        l.Copia(hoja, AnchoVehiculo[c.tipo] * c.f, FilaVehiculo[c.tipo] + BajadaIzquierda * c.izquierda, AnchoVehiculo[c.tipo], AltoVehiculo[c.tipo], c.x, c.y, true);
    // The hero facing down at the shop door, and facing up near the top beside his skis.
    l.Copia(hoja, 0, FilaZumbelo + 3 * AltoZumbelo, AnchoZumbelo, AltoZumbelo, 290, 428, true);
    l.Copia(hoja, AnchoZumbelo, FilaZumbelo + 2 * AltoZumbelo, AnchoZumbelo, AltoZumbelo, 150, 20, true);
    l.Copia(hoja, XSki, FilaZumbelo, AnchoSki, AltoZumbelo, 180, 20, true);
    l.Rellena(0, 0, 640, 18, Rgb(255, 255, 255));
    return l;
}

Lienzo EscenaNieve(const Lienzo& hoja)
{
    Lienzo l(640, 480, Rgb(255, 255, 255));
    auto pon = [&](int hx, int hy, int w, int h, int x, int y) { l.Copia(hoja, hx, hy, w, h, x, y, true); };
    pon(0, FilaPinos, AnchoPino, AltoPino, 40, 60);
    pon(AnchoPino, FilaPinos, AnchoPino, AltoPino, 540, 90);
    pon(0, FilaPinos, AnchoPino, AltoPino, 470, 300);
    pon(AnchoPino, FilaPinos, AnchoPino, AltoPino, 100, 330);
    pon(0, FilaMonton, AnchoMonton, AltoMonton, 330, 380);
    pon(0, FilaBanderas, AnchoBand, AltoBand, 220, 250);
    pon(AnchoBand, FilaBanderas, AnchoBand, AltoBand, 336, 250);
    pon(2 * AnchoBand, FilaBanderas, AnchoBand, AltoBand, 300, 420);
    pon(3 * AnchoBand, FilaBanderas, AnchoBand, AltoBand, 370, 420);
    pon(0, FilaEsquiador, AnchoZumbelo, AltoEsquiadorRecto, 300, 150);
    pon(0, FilaEsquiadorGiro, AnchoEsquiador, AltoEsquiador, 160, 160);
    pon(0, FilaEsquiadorGiro + 2 * AltoEsquiador, AnchoEsquiador, AltoEsquiador, 420, 170);
    pon(AnchoChoque, FilaChoque, AnchoChoque, AltoChoque, 520, 400);
    l.Rellena(0, 0, 640, 18, Rgb(255, 255, 255));
    return l;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "use: galeria DIRECTORY [SCALE]\n");
        return 1;
    }
    std::string dir = argv[1];
    int escala = argc > 2 ? std::atoi(argv[2]) : 3;
    if (escala < 1)
        escala = 1;
    const int hueco = 4;

    std::vector<std::vector<std::vector<Lienzo>>> sets;
    sets.reserve(2);
    for (int set = 0; set < 2; set++)
        sets.push_back(Familias(DibujaHoja(set)));

    int ancho = 0, alto = 0;
    for (const auto& familias : sets) {
        for (const auto& fam : familias) {
            int w = hueco, h = 0;
            for (const Lienzo& l : fam) {
                w += l.ancho * escala + hueco;
                h = std::max(h, l.alto * escala);
            }
            ancho = std::max(ancho, w);
            alto += h + hueco;
        }
        alto += 6 * hueco;
    }
    Lienzo galeria(ancho, alto, Rgb(60, 60, 70));
    int y = hueco;
    for (const auto& familias : sets) {
        for (const auto& fam : familias) {
            int x = hueco, h = 0;
            for (const Lienzo& l : fam) {
                Pega(galeria, l, x, y, escala);
                x += l.ancho * escala + hueco;
                h = std::max(h, l.alto * escala);
            }
            y += h + hueco;
        }
        galeria.Rellena(0, y + hueco, ancho, 2 * hueco, Rgb(255, 255, 255));
        y += 6 * hueco;
    }
    bool bien = galeria.GuardaPPM((dir + "/galeria.ppm").c_str());
    bien = DibujaCarretera(0).GuardaPPM((dir + "/carretera0.ppm").c_str()) && bien;
    bien = DibujaCarretera(1).GuardaPPM((dir + "/carretera1.ppm").c_str()) && bien;
    bien = DibujaTitulo().GuardaPPM((dir + "/titulo.ppm").c_str()) && bien;
    bien = DibujaFondoCreditos().GuardaPPM((dir + "/creditos.ppm").c_str()) && bien;
    for (int set = 0; set < 2; set++) {
        char nombre[64];
        std::snprintf(nombre, sizeof nombre, "/escena%d.ppm", set);
        bien = Escena(DibujaHoja(set), set).GuardaPPM((dir + nombre).c_str()) && bien;
        std::snprintf(nombre, sizeof nombre, "/nieve%d.ppm", set);
        bien = EscenaNieve(DibujaHoja(set)).GuardaPPM((dir + nombre).c_str()) && bien;
        std::snprintf(nombre, sizeof nombre, "/hoja%d.ppm", set);
        bien = DibujaHoja(set).GuardaPPM((dir + nombre).c_str()) && bien;
    }
    return bien ? 0 : 1;
}
