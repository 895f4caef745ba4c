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

namespace {

const int Magenta = 0xF81F;
const int Fila[6] = {0, 48, 96, 128, 160, 192}, Ancho[6] = {112, 112, 64, 64, 64, 32}, Alto[6] = {48, 48, 32, 32, 32, 32};

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
    for (int t = 0; t < 12; t++)
        for (int f = 0; f < 4; f++)
            a.push_back({Ancho[t % 6] * f, Fila[t % 6] + 224 * (t / 6), Ancho[t % 6], Alto[t % 6],
                         "vehicle " + std::to_string(t) + " frame " + std::to_string(f)});
    for (int k = 0; k < 8; k++) a.push_back({32 * (k % 2), 448 + 32 * (k / 2), 32, 32, "hero " + std::to_string(k)});
    a.push_back({64, 448, 16, 32, "skis frame 0"});
    a.push_back({80, 448, 16, 32, "skis frame 1"});
    a.push_back({0, 576, 32, 44, "skier heading 0"});
    for (int v = 1; v <= 4; v++) a.push_back({0, 620 + 40 * (v - 1), 42, 40, "skier heading " + std::to_string(v)});
    for (int k = 0; k < 8; k++) a.push_back({14 * k, 780, 14, 32, "flag " + std::to_string(k)});
    a.push_back({0, 812, 48, 10, "snow heap"});
    a.push_back({0, 822, 48, 64, "tree 0"});
    a.push_back({48, 822, 48, 64, "tree 1"});
    for (int f = 0; f < 3; f++) a.push_back({48 * f, 886, 48, 45, "crash frame " + std::to_string(f)});
    a.push_back({0, 931, 25, 64, "finish post"});
    a.push_back({0, 995, 128, 48, "finish banner"});
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
        ASSERT_EQ(set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0), 0) << allegro_error;
        datos = load_datafile("datos.dat");
        ASSERT_NE(datos, nullptr);
        for (int s = 0; s < 2; s++) {
            hoja[s] = static_cast<BITMAP*>(datos[28 + s].dat);
            ASSERT_TRUE(datos[28 + s].type == DAT_BITMAP && hoja[s]->w >= 448 && hoja[s]->h >= 1043);
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
    std::vector<bool> usado(448 * 1043, false);
    for (const Area& a : areas) {
        for (int y = a.y; y < a.y + a.h; y++)
            for (int x = a.x; x < a.x + a.w; x++) usado[y * 448 + x] = true;
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
        for (int y = 0; y < 1043; y++)
            for (int x = 0; x < 448; x++) fuera += !usado[y * 448 + x] && Lee(hoja[s], x, y) != Magenta;
        EXPECT_EQ(fuera, 0) << "solid pixels outside every area in set " << s;

        // The left flag of a gate is red, the right one blue: red minus blue over their solid pixels.
        for (int f = 0; f < 4; f++) {
            long rojo[2] = {0, 0};
            for (int k = 0; k < 14 * 32 * 2; k++) {
                const int c = Lee(hoja[s], 28 * f + k % 28, 780 + k / 28);
                if (c != Magenta) rojo[k % 28 / 14] += ((c >> 11) & 31) - (c & 31);
            }
            EXPECT_TRUE(rojo[0] > 100 && rojo[1] < -100) << "gate frame " << f << " of set " << s;
        }
    }
}

TEST_F(Hojas, AnimationsMoveAndVehiclesDrivingLeftMirrorThoseDrivingRight)
{
    for (int s = 0; s < 2; s++) {
        for (int t = 0; t < 6; t++)
            for (int f = 0; f < 4; f++) {
                // The silhouettes, and so the collision masks, are exact mirrors.
                int distintos = 0;
                for (int y = 0; y < Alto[t]; y++)
                    for (int x = 0; x < Ancho[t]; x++)
                        distintos += (Lee(hoja[s], Ancho[t] * f + x, Fila[t] + y) != Magenta) !=
                                     (Lee(hoja[s], Ancho[t] * (f + 1) - 1 - x, Fila[t] + 224 + y) != Magenta);
                EXPECT_EQ(distintos, 0) << "vehicle " << t << " frame " << f << " of set " << s;
                // Wheels turn: each frame differs from the one before, cyclically.
                EXPECT_GT(Distintos(Imagen(hoja[s], Ancho[t] * f, Fila[t], Ancho[t], Alto[t]),
                                    Imagen(hoja[s], Ancho[t] * ((f + 1) % 4), Fila[t], Ancho[t], Alto[t])), 4)
                    << "vehicle " << t << " frame " << f << " of set " << s;
            }
        // The hero walks, the skis bob, flags flutter, the crash tumbles; the skier's headings differ.
        auto cambia = [&](int x, int y, int w, int h, int x2, int y2, int minimo) {
            EXPECT_GT(Distintos(Imagen(hoja[s], x, y, w, h), Imagen(hoja[s], x2, y2, w, h)), minimo)
                << "area at " << x << "," << y << " of set " << s;
        };
        for (int v = 0; v < 4; v++) cambia(0, 448 + 32 * v, 32, 32, 32, 448 + 32 * v, 8);
        cambia(64, 448, 16, 32, 80, 448, 4);
        for (int k = 0; k < 8; k++) cambia(14 * k, 780, 14, 32, 14 * ((k + 2) % 8), 780, 4);
        for (int f = 0; f < 2; f++) cambia(48 * f, 886, 48, 45, 48 * (f + 1), 886, 200);
        cambia(0, 620, 42, 40, 0, 660, 100);
        cambia(0, 620, 42, 40, 0, 700, 100);
    }
}

TEST_F(Hojas, TheHeroHoldsTheSkisHeCarriesWithNoGapInEveryFacing)
{
    // The hero carrying skis as the sheet composes him: his picture, the skis
    // over it from column 30, their transparent pixels leaving him visible.
    const int ancho = 46, alto = 32;
    for (int s = 0; s < 2; s++)
        for (int v = 0; v < 4; v++)
            for (int f = 0; f < 2; f++) {
                std::vector<bool> solido(ancho * alto, false);
                for (int y = 0; y < alto; y++)
                    for (int x = 0; x < ancho; x++) {
                        const bool heroe = x < 32 && Lee(hoja[s], 32 * f + x, 448 + 32 * v + y) != Magenta;
                        const bool esquis = x >= 30 && Lee(hoja[s], 64 + 16 * f + x - 30, 448 + y) != Magenta;
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
    for (int i : {3, 4, 6, 20}) ASSERT_EQ(datos[i].type, DAT_BITMAP);
    const struct { int indice, x, y, w, h; double minimo, maximo, desviacion; const char* que; } zonas[] = {
        {20, 0, 0, 80, 12, 120, 256, 256, "the black version text sits on light sky"},
        {20, 340, 16, 280, 104, 0, 256, 25, "the title words sit on a calm area"},
        {20, 100, 225, 360, 220, 150, 256, 25, "the menu and hall of fame sit on a calm light area"},
        {6, 170, 0, 300, 480, 0, 110, 256, "light credit lines roll over a dark middle"}};
    for (const auto& z : zonas) {
        const auto b = Brillo(static_cast<BITMAP*>(datos[z.indice].dat), z.x, z.y, z.w, z.h);
        EXPECT_TRUE(b.first > z.minimo && b.first < z.maximo && b.second < z.desviacion) << z.que;
    }
    BITMAP* calle[2] = {static_cast<BITMAP*>(datos[3].dat), static_cast<BITMAP*>(datos[4].dat)};
    int distintos = 0;
    for (int k = 0; k < 640 * 480; k++) distintos += Lee(calle[0], k % 640, k / 640) != Lee(calle[1], k % 640, k / 640);
    EXPECT_GT(distintos, 640 * 480 / 4) << "the two road pictures differ";
    // Asphalt where the vehicles drive is darker than the kerbs and the reservation beside it.
    for (int s = 0; s < 2; s++) {
        const double asfalto = std::max(Brillo(calle[s], 0, 130, 640, 20).first, Brillo(calle[s], 0, 300, 640, 20).first);
        for (const auto& t : {std::make_pair(222, 3), std::make_pair(30, 20), std::make_pair(388, 6)})
            EXPECT_GT(Brillo(calle[s], 0, t.first, 640, t.second).first, asfalto + 30) << "row " << t.first << " of set " << s;
    }
}
