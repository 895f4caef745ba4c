// The sprite sheets of datos.dat as the player meets them: every figure of
// both sets in its own area, solid where it should be and transparent around
// it, the two sets different, and vehicles driving left the mirror images of
// those driving right.
#include <gtest/gtest.h>

#include <allegro.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Constantes.h"
#include "Datos.h"
#include "Entorno.h"

namespace {

const int Magenta = ColorMascara;

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

class Hojas : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Entorno::ArrancaBiblioteca()) << allegro_error;
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
        Entorno::ParaBiblioteca();
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

TEST_F(Hojas, VehiclesDrivingLeftMirrorThoseDrivingRight)
{
    // The silhouettes, and so the collision masks, are exact mirrors.
    for (int s = 0; s < 2; s++)
        for (int t = 0; t < TotalVehiculos; t++)
            for (int f = 0; f < FotogramasVehiculo; f++) {
                const int w = AnchoVehiculo[t], y0 = FilaVehiculo[t];
                int distintos = 0;
                for (int y = 0; y < AltoVehiculo[t]; y++)
                    for (int x = 0; x < w; x++)
                        distintos += (Lee(hoja[s], w * f + x, y0 + y) != Magenta) !=
                                     (Lee(hoja[s], w * (f + 1) - 1 - x, y0 + BajadaIzquierda + y) != Magenta);
                EXPECT_EQ(distintos, 0) << "vehicle " << t << " frame " << f << " of set " << s;
            }
}
