// The pictures of datos.dat as the player meets them: every figure of both
// sprite sheets in its own area, solid where it should be and transparent
// around it, the two graphic sets different, the animations moving, the hero
// holding the skis he carries, and the backgrounds leaving room for the
// texts drawn over them.
#include <gtest/gtest.h>

#include <allegro.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "Constantes.h"
#include "Datos.h"
#include "Hardware.h"

namespace {

const int Magenta = ColorMascara;
const int AnchoP = Hardware::AnchoPantalla, AltoP = Hardware::AltoPantalla;

int Lee(BITMAP* b, int x, int y) { return reinterpret_cast<uint16_t*>(b->line[y])[x]; }

// One picture cut from a sheet, as 5-6-5 words.
struct Imagen {
    int w, h;
    std::vector<int> p;
    Imagen(BITMAP* hoja, int x, int y, int ancho, int alto) : w(ancho), h(alto)
    {
        for (int j = 0; j < h; j++)
            for (int k = 0; k < w; k++) p.push_back(Lee(hoja, x + k, y + j));
    }
    int Solidos() const { return static_cast<int>(p.size() - std::count(p.begin(), p.end(), Magenta)); }
    bool BordeConHueco() const
    {
        for (int x = 0; x < w; x++)
            if (p[x] == Magenta || p[(h - 1) * w + x] == Magenta) return true;
        for (int y = 0; y < h; y++)
            if (p[y * w] == Magenta || p[y * w + w - 1] == Magenta) return true;
        return false;
    }
};

int Distintos(const Imagen& a, const Imagen& b)
{
    int n = 0;
    for (size_t k = 0; k < a.p.size(); k++) n += a.p[k] != b.p[k];
    return n;
}

// A plain entry of the sheet: where it is cut from, and what it is.
struct Area {
    int x, y, w, h;
    std::string nombre;
};

// Every plain area of the sheet layout: vehicles both ways, hero, skis,
// skier, flags, heap, trees, crash, finish post and banner.
std::vector<Area> Disposicion()
{
    std::vector<Area> a;
    for (int t = 0; t < 2 * TotalVehiculos; t++) {
        const int k = t % TotalVehiculos;
        for (int f = 0; f < FotogramasVehiculo; f++)
            a.push_back({AnchoVehiculo[k] * f, FilaVehiculo[k] + BajadaIzquierda * (t / TotalVehiculos), AnchoVehiculo[k],
                         AltoVehiculo[k], "vehicle " + std::to_string(t) + " frame " + std::to_string(f)});
    }
    for (int k = 0; k < 8; k++)
        a.push_back({AnchoZumbelo * (k % 2), FilaZumbelo + AltoZumbelo * (k / 2), AnchoZumbelo, AltoZumbelo,
                     "hero " + std::to_string(k)});
    a.push_back({XSki, FilaZumbelo, AnchoSki, AltoZumbelo, "skis frame 0"});
    a.push_back({XSki + AnchoSki, FilaZumbelo, AnchoSki, AltoZumbelo, "skis frame 1"});
    a.push_back({0, FilaEsquiador, AnchoZumbelo, AltoEsquiadorRecto, "skier heading 0"});
    for (int v = 1; v <= 4; v++)
        a.push_back({0, FilaEsquiadorGiro + AltoEsquiador * (v - 1), AnchoEsquiador, AltoEsquiador,
                     "skier heading " + std::to_string(v)});
    for (int k = 0; k < 8; k++) a.push_back({AnchoBand * k, FilaBanderas, AnchoBand, AltoBand, "flag " + std::to_string(k)});
    a.push_back({0, FilaMonton, AnchoMonton, AltoMonton, "snow heap"});
    a.push_back({0, FilaPinos, AnchoPino, AltoPino, "tree 0"});
    a.push_back({AnchoPino, FilaPinos, AnchoPino, AltoPino, "tree 1"});
    for (int f = 0; f < FotogramasChoque; f++)
        a.push_back({AnchoChoque * f, FilaChoque, AnchoChoque, AltoChoque, "crash frame " + std::to_string(f)});
    a.push_back({0, FilaPoste, AnchoMeta, AltoPoste, "finish post"});
    a.push_back({0, FilaPancarta, AnchoPancarta, AltoPancarta, "finish banner"});
    return a;
}

// Mean and spread of the brightness over a box of a picture.
std::pair<double, double> Brillo(BITMAP* b, int x0, int y0, int w, int h)
{
    double s = 0, s2 = 0;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++) {
            const int c = Lee(b, x, y);
            const double l = 0.3 * ((c >> 11) & 31) * 255 / 31 + 0.59 * ((c >> 5) & 63) * 255 / 63 + 0.11 * (c & 31) * 255 / 31;
            s += l;
            s2 += l * l;
        }
    const double n = static_cast<double>(w) * h, media = s / n;
    return {media, std::sqrt(std::max(0.0, s2 / n - media * media))};
}

class Hojas : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(install_allegro(SYSTEM_AUTODETECT, &errno, atexit), 0);
        set_color_depth(16);
        ASSERT_EQ(set_gfx_mode(GFX_AUTODETECT_WINDOWED, AnchoP, AltoP, 0, 0), 0) << allegro_error;
        datos = load_datafile(ArchivoDatos);
        ASSERT_NE(datos, nullptr);
        for (int s = 0; s < 2; s++) {
            hoja[s] = static_cast<BITMAP*>(datos[DatHoja0 + s].dat);
            ASSERT_TRUE(datos[DatHoja0 + s].type == DAT_BITMAP && hoja[s]->w >= AnchoHoja && hoja[s]->h >= AltoHoja);
        }
    }
    void TearDown() override
    {
        if (datos) unload_datafile(datos);
        allegro_exit();
    }

    DATAFILE* datos = nullptr;
    BITMAP* hoja[2] = {nullptr, nullptr};
};

}  // namespace

TEST_F(Hojas, EveryFigureIsSolidInsideItsAreaWithAirAroundItAndDiffersBetweenSets)
{
    const std::vector<Area> areas = Disposicion();
    std::vector<bool> usado(AnchoHoja * AltoHoja, false);
    for (const Area& a : areas) {
        for (int y = a.y; y < a.y + a.h; y++)
            for (int x = a.x; x < a.x + a.w; x++) usado[y * AnchoHoja + x] = true;
        Imagen i[2] = {Imagen(hoja[0], a.x, a.y, a.w, a.h), Imagen(hoja[1], a.x, a.y, a.w, a.h)};
        for (int s = 0; s < 2; s++) {
            // Substantial, never a speck nor a full box, on its transparent ground.
            EXPECT_GT(i[s].Solidos(), a.w * a.h / 8) << a.nombre << " of set " << s;
            EXPECT_TRUE(i[s].BordeConHueco()) << a.nombre << " of set " << s;
        }
        EXPECT_GT(Distintos(i[0], i[1]), i[0].Solidos() / 5) << a.nombre << " looks the same in both sets";
    }
    for (int s = 0; s < 2; s++) {
        // A figure drawn past its area would show in the unused parts (and, in the game, inside a neighbour).
        int fuera = 0;
        for (int y = 0; y < AltoHoja; y++)
            for (int x = 0; x < AnchoHoja; x++) fuera += !usado[y * AnchoHoja + x] && Lee(hoja[s], x, y) != Magenta;
        EXPECT_EQ(fuera, 0) << "solid pixels outside every area in set " << s;

        // The left flag of a gate is red, the right one blue: red minus blue over their solid pixels.
        for (int f = 0; f < FotogramasBand; f++) {
            long rojo[2] = {0, 0};
            for (int k = 0; k < AnchoBand * AltoBand * 2; k++) {
                const int c = Lee(hoja[s], 2 * AnchoBand * f + k % (2 * AnchoBand), FilaBanderas + k / (2 * AnchoBand));
                if (c != Magenta) rojo[k % (2 * AnchoBand) / AnchoBand] += ((c >> 11) & 31) - (c & 31);
            }
            EXPECT_TRUE(rojo[0] > 100 && rojo[1] < -100) << "gate frame " << f << " of set " << s;
        }
    }
}

TEST_F(Hojas, AnimationsMoveAndVehiclesDrivingLeftMirrorThoseDrivingRight)
{
    for (int s = 0; s < 2; s++) {
        for (int t = 0; t < TotalVehiculos; t++)
            for (int f = 0; f < FotogramasVehiculo; f++) {
                const int w = AnchoVehiculo[t], h = AltoVehiculo[t], y0 = FilaVehiculo[t];
                // The silhouettes, and so the collision masks, are exact mirrors.
                int distintos = 0;
                for (int y = 0; y < h; y++)
                    for (int x = 0; x < w; x++)
                        distintos += (Lee(hoja[s], w * f + x, y0 + y) != Magenta) !=
                                     (Lee(hoja[s], w * (f + 1) - 1 - x, y0 + BajadaIzquierda + y) != Magenta);
                EXPECT_EQ(distintos, 0) << "vehicle " << t << " frame " << f << " of set " << s;
                // Wheels turn: each frame differs from the one before, cyclically.
                EXPECT_GT(Distintos(Imagen(hoja[s], w * f, y0, w, h),
                                    Imagen(hoja[s], w * ((f + 1) % FotogramasVehiculo), y0, w, h)), 4)
                    << "vehicle " << t << " frame " << f << " of set " << s;
            }
        // The hero walks, the skis bob, flags flutter, the crash tumbles; the skier's headings differ.
        auto cambia = [&](int x, int y, int w, int h, int x2, int y2, int minimo) {
            EXPECT_GT(Distintos(Imagen(hoja[s], x, y, w, h), Imagen(hoja[s], x2, y2, w, h)), minimo)
                << "area at " << x << "," << y << " of set " << s;
        };
        for (int v = 0; v < 4; v++) {
            const int y = FilaZumbelo + AltoZumbelo * v;
            cambia(0, y, AnchoZumbelo, AltoZumbelo, AnchoZumbelo, y, 8);
        }
        cambia(XSki, FilaZumbelo, AnchoSki, AltoZumbelo, XSki + AnchoSki, FilaZumbelo, 4);
        for (int k = 0; k < 8; k++)
            cambia(AnchoBand * k, FilaBanderas, AnchoBand, AltoBand, AnchoBand * ((k + 2) % 8), FilaBanderas, 4);
        for (int f = 0; f < FotogramasChoque - 1; f++)
            cambia(AnchoChoque * f, FilaChoque, AnchoChoque, AltoChoque, AnchoChoque * (f + 1), FilaChoque, 200);
        const int giro = FilaEsquiadorGiro;
        cambia(0, giro, AnchoEsquiador, AltoEsquiador, 0, giro + AltoEsquiador, 100);
        cambia(0, giro, AnchoEsquiador, AltoEsquiador, 0, giro + 2 * AltoEsquiador, 100);
    }
}

TEST_F(Hojas, TheHeroHoldsTheSkisHeCarriesWithNoGapInEveryFacing)
{
    // The hero carrying skis as the sheet composes him: his picture, the skis
    // over his right side, their transparent pixels leaving him visible.
    const int ancho = AnchoZumbeloCS, alto = AltoZumbelo, xEsquis = AnchoZumbeloCS - AnchoSki;
    for (int s = 0; s < 2; s++)
        for (int v = 0; v < 4; v++)
            for (int f = 0; f < FotogramasZumbelo; f++) {
                std::vector<bool> solido(ancho * alto, false);
                for (int y = 0; y < alto; y++)
                    for (int x = 0; x < ancho; x++) {
                        const bool heroe = x < AnchoZumbelo &&
                                           Lee(hoja[s], AnchoZumbelo * f + x, FilaZumbelo + AltoZumbelo * v + y) != Magenta;
                        const bool esquis = x >= xEsquis &&
                                            Lee(hoja[s], XSki + AnchoSki * f + x - xEsquis, FilaZumbelo + y) != Magenta;
                        solido[y * ancho + x] = heroe || esquis;
                    }
                // One piece, four-connected: no column of air between him and them.
                const int total = static_cast<int>(std::count(solido.begin(), solido.end(), true));
                const int primero = static_cast<int>(std::find(solido.begin(), solido.end(), true) - solido.begin());
                std::vector<int> pila = {primero};
                std::vector<bool> visto(solido.size(), false);
                visto[primero] = true;
                int alcanzados = 0;
                while (!pila.empty()) {
                    const int p = pila.back();
                    pila.pop_back();
                    alcanzados++;
                    const int x = p % ancho, y = p / ancho;
                    const int vecinos[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
                    for (const auto& n : vecinos) {
                        const int q = n[1] * ancho + n[0];
                        if (n[0] >= 0 && n[0] < ancho && n[1] >= 0 && n[1] < alto && solido[q] && !visto[q]) {
                            visto[q] = true;
                            pila.push_back(q);
                        }
                    }
                }
                EXPECT_EQ(alcanzados, total) << "facing " << v << " frame " << f << " of set " << s;
            }
}

TEST_F(Hojas, BackgroundsLeaveRoomForTheirTextsAndShowWhereTheRoadIs)
{
    for (int i : {DatCarretera0, DatCarretera1, DatFondoCreditos, DatTitulo}) ASSERT_EQ(datos[i].type, DAT_BITMAP);
    const struct { int indice, x, y, w, h; double minimo, maximo, desviacion; const char* que; } zonas[] = {
        {DatTitulo, 0, 0, 80, 12, 120, 256, 256, "the black version text sits on light sky"},
        {DatTitulo, 340, 16, 280, 104, 0, 256, 25, "the title words sit on a calm area"},
        {DatTitulo, 100, 225, 360, 220, 150, 256, 25, "the menu and hall of fame sit on a calm light area"},
        {DatFondoCreditos, 170, 0, 300, AltoP, 0, 110, 256, "light credit lines roll over a dark middle"}};
    for (const auto& z : zonas) {
        const auto b = Brillo(static_cast<BITMAP*>(datos[z.indice].dat), z.x, z.y, z.w, z.h);
        EXPECT_TRUE(b.first > z.minimo && b.first < z.maximo && b.second < z.desviacion) << z.que;
    }
    BITMAP* calle[2] = {static_cast<BITMAP*>(datos[DatCarretera0].dat), static_cast<BITMAP*>(datos[DatCarretera1].dat)};
    int distintos = 0;
    for (int k = 0; k < AnchoP * AltoP; k++)
        distintos += Lee(calle[0], k % AnchoP, k / AnchoP) != Lee(calle[1], k % AnchoP, k / AnchoP);
    EXPECT_GT(distintos, AnchoP * AltoP / 4) << "the two road pictures differ";
    // Asphalt where the vehicles drive is darker than the kerbs and the reservation beside it.
    for (int s = 0; s < 2; s++) {
        const double asfalto = std::max(Brillo(calle[s], 0, 130, AnchoP, 20).first, Brillo(calle[s], 0, 300, AnchoP, 20).first);
        for (const auto& t : {std::make_pair(222, 3), std::make_pair(30, 20), std::make_pair(388, 6)})
            EXPECT_GT(Brillo(calle[s], 0, t.first, AnchoP, t.second).first, asfalto + 30) << "row " << t.first << " of set " << s;
    }
}
