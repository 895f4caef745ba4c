// The pictures of datos.dat as the player meets them: every figure of both
// sprite sheets in its own area, solid where it should be and transparent
// around it, the two graphic sets different, the animations moving, and the
// backgrounds leaving room for the texts drawn over them.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

const int Magenta = 0xF81F;

// One picture cut or composed from a sheet, as 5-6-5 words.
struct Imagen {
    int w = 0, h = 0;
    std::vector<uint16_t> p;
    Imagen(int ancho, int alto) : w(ancho), h(alto), p(static_cast<size_t>(ancho) * alto, Magenta) {}
    uint16_t operator()(int x, int y) const { return p[static_cast<size_t>(y) * w + x]; }
    uint16_t& operator()(int x, int y) { return p[static_cast<size_t>(y) * w + x]; }
};

int Lee(BITMAP* b, int x, int y) { return reinterpret_cast<uint16_t*>(b->line[y])[x]; }

Imagen Corta(BITMAP* hoja, int x, int y, int w, int h)
{
    Imagen i(w, h);
    for (int j = 0; j < h; j++)
        for (int k = 0; k < w; k++)
            i(k, j) = static_cast<uint16_t>(Lee(hoja, x + k, y + j));
    return i;
}

// Copies a sheet area over a picture; with `mascara` magenta leaves it as it was.
void Pega(Imagen& i, BITMAP* hoja, int hx, int hy, int w, int h, int x, int y, bool mascara)
{
    for (int j = 0; j < h; j++)
        for (int k = 0; k < w; k++) {
            int c = Lee(hoja, hx + k, hy + j);
            if (!mascara || c != Magenta)
                i(x + k, y + j) = static_cast<uint16_t>(c);
        }
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
    const int fila[6] = {0, 48, 96, 128, 160, 192};
    const int ancho[6] = {112, 112, 64, 64, 64, 32};
    const int alto[6] = {48, 48, 32, 32, 32, 32};
    for (int t = 0; t < 6; t++)
        for (int lado = 0; lado < 2; lado++)
            for (int f = 0; f < 4; f++)
                a.push_back({ancho[t] * f, fila[t] + 224 * lado, ancho[t], alto[t],
                             "vehicle " + std::to_string(t) + (lado ? " left" : " right") + " frame " + std::to_string(f)});
    for (int v = 0; v < 4; v++)
        for (int f = 0; f < 2; f++)
            a.push_back({32 * f, 448 + 32 * v, 32, 32, "hero facing " + std::to_string(v) + " frame " + std::to_string(f)});
    a.push_back({64, 448, 16, 32, "skis frame 0"});
    a.push_back({80, 448, 16, 32, "skis frame 1"});
    a.push_back({0, 576, 32, 44, "skier heading 0"});
    for (int v = 1; v <= 4; v++)
        a.push_back({0, 620 + 40 * (v - 1), 42, 40, "skier heading " + std::to_string(v)});
    for (int f = 0; f < 4; f++) {
        a.push_back({28 * f, 780, 14, 32, "left flag frame " + std::to_string(f)});
        a.push_back({28 * f + 14, 780, 14, 32, "right flag frame " + std::to_string(f)});
    }
    a.push_back({0, 812, 48, 10, "snow heap"});
    a.push_back({0, 822, 48, 64, "tree 0"});
    a.push_back({48, 822, 48, 64, "tree 1"});
    for (int f = 0; f < 3; f++)
        a.push_back({48 * f, 886, 48, 45, "crash frame " + std::to_string(f)});
    a.push_back({0, 931, 25, 64, "finish post"});
    a.push_back({0, 995, 128, 48, "finish banner"});
    return a;
}

// The entries the game composes from several areas, composed the same way.
std::vector<std::pair<std::string, Imagen>> Compuestas(BITMAP* hoja)
{
    std::vector<std::pair<std::string, Imagen>> c;
    for (int v = 0; v < 4; v++)
        for (int f = 0; f < 2; f++) {
            Imagen i(46, 32);
            Pega(i, hoja, 32 * f, 448 + 32 * v, 32, 32, 0, 0, false);
            Pega(i, hoja, 64 + 16 * f, 448, 16, 32, 30, 0, true);
            c.push_back({"hero with skis facing " + std::to_string(v) + " frame " + std::to_string(f), i});
        }
    for (int ancho : {84, 130})
        for (int f = 0; f < 4; f++) {
            Imagen i(ancho, 32);
            Pega(i, hoja, 28 * f, 780, 14, 32, 0, 0, false);
            Pega(i, hoja, 28 * f + 14, 780, 14, 32, ancho - 14, 0, false);
            c.push_back({"gate " + std::to_string(ancho) + " frame " + std::to_string(f), i});
        }
    return c;
}

int Solidos(const Imagen& i)
{
    int n = 0;
    for (uint16_t c : i.p)
        n += c != Magenta;
    return n;
}

bool BordeConHueco(const Imagen& i)
{
    for (int x = 0; x < i.w; x++)
        if (i(x, 0) == Magenta || i(x, i.h - 1) == Magenta)
            return true;
    for (int y = 0; y < i.h; y++)
        if (i(0, y) == Magenta || i(i.w - 1, y) == Magenta)
            return true;
    return false;
}

double Luz(int c)
{
    return 0.3 * ((c >> 11) & 31) * 255 / 31 + 0.59 * ((c >> 5) & 63) * 255 / 63 + 0.11 * (c & 31) * 255 / 31;
}

// Mean and spread of the brightness over a box of a picture.
void Brillo(BITMAP* b, int x0, int y0, int w, int h, double& media, double& desviacion)
{
    double s = 0, s2 = 0;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++) {
            double l = Luz(Lee(b, x, y));
            s += l;
            s2 += l * l;
        }
    double n = static_cast<double>(w) * h;
    media = s / n;
    desviacion = std::sqrt(std::max(0.0, s2 / n - media * media));
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
            ASSERT_EQ(datos[28 + s].type, DAT_BITMAP);
            hoja[s] = static_cast<BITMAP*>(datos[28 + s].dat);
            ASSERT_EQ(bitmap_color_depth(hoja[s]), 16);
            ASSERT_GE(hoja[s]->w, 448);
            ASSERT_GE(hoja[s]->h, 1043);
        }
    }
    void TearDown() override
    {
        if (datos)
            unload_datafile(datos);
        allegro_exit();
    }

    BITMAP* Fondo(int indice)
    {
        EXPECT_EQ(datos[indice].type, DAT_BITMAP);
        BITMAP* b = static_cast<BITMAP*>(datos[indice].dat);
        EXPECT_EQ(b->w, 640);
        EXPECT_EQ(b->h, 480);
        EXPECT_EQ(bitmap_color_depth(b), 16);
        return b;
    }

    DATAFILE* datos = nullptr;
    BITMAP* hoja[2] = {nullptr, nullptr};
};

TEST_F(Hojas, EveryFigureIsSolidInsideItsAreaWithAirAroundIt)
{
    for (int s = 0; s < 2; s++) {
        for (const Area& a : Disposicion()) {
            Imagen i = Corta(hoja[s], a.x, a.y, a.w, a.h);
            int n = Solidos(i);
            // Figures are substantial, never a speck, never a full box.
            EXPECT_GT(n, a.w * a.h / 8) << a.nombre << " of set " << s;
            EXPECT_LT(n, a.w * a.h) << a.nombre << " of set " << s;
            EXPECT_TRUE(BordeConHueco(i)) << a.nombre << " of set " << s;
        }
        for (const auto& c : Compuestas(hoja[s])) {
            const Imagen& i = c.second;
            EXPECT_TRUE(BordeConHueco(i)) << c.first << " of set " << s;
            if (i.w == 46) {
                // The skis stand beside the hero, not over his body.
                EXPECT_GT(Solidos(i), Solidos(Corta(hoja[s], 0, 448, 32, 32))) << c.first << " of set " << s;
            } else {
                // A skier passes between the two flags of a gate: the middle is open snow.
                for (int y = 0; y < i.h; y++)
                    EXPECT_EQ(i(i.w / 2, y), Magenta) << c.first << " row " << y << " of set " << s;
            }
        }
    }
}

TEST_F(Hojas, NoFigureSpillsOutOfItsArea)
{
    // Whatever the layout does not use must stay transparent: a figure drawn
    // past its area would show there (and in the game, inside a neighbour).
    std::vector<Area> areas = Disposicion();
    for (int s = 0; s < 2; s++) {
        int fuera = 0;
        for (int y = 0; y < 1043; y++)
            for (int x = 0; x < 448; x++) {
                bool dentro = false;
                for (const Area& a : areas)
                    if (x >= a.x && x < a.x + a.w && y >= a.y && y < a.y + a.h) {
                        dentro = true;
                        break;
                    }
                if (!dentro && Lee(hoja[s], x, y) != Magenta)
                    fuera++;
            }
        EXPECT_EQ(fuera, 0) << "solid pixels outside every area in set " << s;
    }
}

TEST_F(Hojas, TheTwoGraphicSetsLookDifferentInEveryFigure)
{
    for (const Area& a : Disposicion()) {
        Imagen nuevo = Corta(hoja[0], a.x, a.y, a.w, a.h), original = Corta(hoja[1], a.x, a.y, a.w, a.h);
        int distintos = 0;
        for (size_t k = 0; k < nuevo.p.size(); k++)
            distintos += nuevo.p[k] != original.p[k];
        EXPECT_GT(distintos, Solidos(nuevo) / 5) << a.nombre;
    }
}

TEST_F(Hojas, TheOriginalSetKeepsToASmallPaletteWhileTheNewSetIsShaded)
{
    std::set<int> colores[2];
    for (int s = 0; s < 2; s++)
        for (const Area& a : Disposicion())
            for (int y = a.y; y < a.y + a.h; y++)
                for (int x = a.x; x < a.x + a.w; x++)
                    if (Lee(hoja[s], x, y) != Magenta)
                        colores[s].insert(Lee(hoja[s], x, y));
    EXPECT_LE(colores[1].size(), 24u);
    EXPECT_GE(colores[0].size(), 3 * colores[1].size());
}

TEST_F(Hojas, VehiclesDrivingLeftAreTheMirrorImagesOfThoseDrivingRight)
{
    // The silhouettes, and so the collision masks, are exact mirrors.
    const int fila[6] = {0, 48, 96, 128, 160, 192};
    const int ancho[6] = {112, 112, 64, 64, 64, 32};
    const int alto[6] = {48, 48, 32, 32, 32, 32};
    for (int s = 0; s < 2; s++)
        for (int t = 0; t < 6; t++)
            for (int f = 0; f < 4; f++) {
                int distintos = 0;
                for (int y = 0; y < alto[t]; y++)
                    for (int x = 0; x < ancho[t]; x++) {
                        bool derecha = Lee(hoja[s], ancho[t] * f + x, fila[t] + y) != Magenta;
                        bool izquierda = Lee(hoja[s], ancho[t] * f + ancho[t] - 1 - x, fila[t] + 224 + y) != Magenta;
                        distintos += derecha != izquierda;
                    }
                EXPECT_EQ(distintos, 0) << "vehicle " << t << " frame " << f << " of set " << s;
            }
}

TEST_F(Hojas, EveryAnimationChangesFromOneFrameToTheNext)
{
    auto distintas = [](const Imagen& a, const Imagen& b) {
        int n = 0;
        for (size_t k = 0; k < a.p.size(); k++)
            n += a.p[k] != b.p[k];
        return n;
    };
    const int fila[6] = {0, 48, 96, 128, 160, 192};
    const int ancho[6] = {112, 112, 64, 64, 64, 32};
    const int alto[6] = {48, 48, 32, 32, 32, 32};
    for (int s = 0; s < 2; s++) {
        // Wheels turn: each frame differs from the one before, cyclically.
        for (int t = 0; t < 6; t++)
            for (int f = 0; f < 4; f++) {
                Imagen a = Corta(hoja[s], ancho[t] * f, fila[t], ancho[t], alto[t]);
                Imagen b = Corta(hoja[s], ancho[t] * ((f + 1) % 4), fila[t], ancho[t], alto[t]);
                EXPECT_GT(distintas(a, b), 4) << "vehicle " << t << " frames " << f << "-" << (f + 1) % 4 << " of set " << s;
            }
        // The hero walks in every facing and the skis bob with him.
        for (int v = 0; v < 4; v++)
            EXPECT_GT(distintas(Corta(hoja[s], 0, 448 + 32 * v, 32, 32), Corta(hoja[s], 32, 448 + 32 * v, 32, 32)), 8)
                << "hero facing " << v << " of set " << s;
        EXPECT_GT(distintas(Corta(hoja[s], 64, 448, 16, 32), Corta(hoja[s], 80, 448, 16, 32)), 4) << "skis of set " << s;
        // Flags flutter; the crash tumbles.
        for (int f = 0; f < 4; f++)
            for (int lado = 0; lado < 2; lado++)
                EXPECT_GT(distintas(Corta(hoja[s], 28 * f + 14 * lado, 780, 14, 32), Corta(hoja[s], 28 * ((f + 1) % 4) + 14 * lado, 780, 14, 32)), 4)
                    << "flag " << lado << " frame " << f << " of set " << s;
        for (int f = 0; f < 2; f++)
            EXPECT_GT(distintas(Corta(hoja[s], 48 * f, 886, 48, 45), Corta(hoja[s], 48 * (f + 1), 886, 48, 45)), 200)
                << "crash frame " << f << " of set " << s;
        // Left and right skier headings are different pictures, each facing its way.
        EXPECT_GT(distintas(Corta(hoja[s], 0, 620, 42, 40), Corta(hoja[s], 0, 700, 42, 40)), 100) << "set " << s;
        EXPECT_GT(distintas(Corta(hoja[s], 0, 620, 42, 40), Corta(hoja[s], 0, 660, 42, 40)), 100) << "set " << s;
    }
}

TEST_F(Hojas, TheTwoFlagsOfAGateShowContrastingColours)
{
    for (int s = 0; s < 2; s++)
        for (int f = 0; f < 4; f++) {
            // Sum of red minus blue over the solid pixels of each flag.
            long rojo[2] = {0, 0};
            for (int lado = 0; lado < 2; lado++)
                for (int y = 0; y < 32; y++)
                    for (int x = 0; x < 14; x++) {
                        int c = Lee(hoja[s], 28 * f + 14 * lado + x, 780 + y);
                        if (c != Magenta)
                            rojo[lado] += ((c >> 11) & 31) - (c & 31);
                    }
            EXPECT_GT(rojo[0], 100) << "left flag is red, frame " << f << " of set " << s;
            EXPECT_LT(rojo[1], -100) << "right flag is blue, frame " << f << " of set " << s;
        }
}

TEST_F(Hojas, TheFinishBannerStaysOutOfThePostsRows)
{
    // The arch collides on its posts only; the banner area must still be a
    // picture of its own, and the post must stand on the ground: its bottom
    // rows solid, its top rows reaching up to meet the banner.
    for (int s = 0; s < 2; s++) {
        Imagen poste = Corta(hoja[s], 0, 931, 25, 64);
        int arriba = 0, abajo = 0;
        for (int x = 0; x < 25; x++) {
            arriba += poste(x, 0) != Magenta;
            abajo += poste(x, 60) != Magenta;
        }
        EXPECT_GT(arriba, 2) << "set " << s;
        EXPECT_GT(abajo, 2) << "set " << s;
        Imagen pancarta = Corta(hoja[s], 0, 995, 128, 48);
        EXPECT_GT(Solidos(pancarta), 128 * 48 / 2) << "set " << s;
    }
}

TEST_F(Hojas, BackgroundsLeaveRoomForTheTextsOverThem)
{
    double media, desviacion;
    BITMAP* titulo = Fondo(20);
    // Small black version text at the top left: the sky there is light.
    Brillo(titulo, 0, 0, 80, 12, media, desviacion);
    EXPECT_GT(media, 120);
    // The title words at the top right and the menu and hall of fame at the
    // left lie over calm, even areas.
    Brillo(titulo, 340, 16, 280, 104, media, desviacion);
    EXPECT_LT(desviacion, 25);
    Brillo(titulo, 100, 225, 360, 220, media, desviacion);
    EXPECT_LT(desviacion, 25);
    EXPECT_GT(media, 150);
    // Light credit lines roll up the middle of a dark picture.
    BITMAP* creditos = Fondo(6);
    Brillo(creditos, 170, 0, 300, 480, media, desviacion);
    EXPECT_LT(media, 110);
    // The two road pictures are both there and differ.
    BITMAP* calle[2] = {Fondo(3), Fondo(4)};
    int distintos = 0;
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            distintos += Lee(calle[0], x, y) != Lee(calle[1], x, y);
    EXPECT_GT(distintos, 640 * 480 / 4);
}

TEST_F(Hojas, TheCarriagewaysAreDarkerThanTheStripsAroundThem)
{
    // Asphalt where the vehicles drive, snowy kerbs and reservation beside it:
    // the player sees where the road begins and ends.
    for (int s = 0; s < 2; s++) {
        BITMAP* calle = static_cast<BITMAP*>(datos[3 + s].dat);
        double arriba, reserva, abajo, aceraArriba, aceraAbajo, d;
        Brillo(calle, 0, 130, 640, 20, arriba, d);
        Brillo(calle, 0, 300, 640, 20, abajo, d);
        Brillo(calle, 0, 222, 640, 3, reserva, d);
        Brillo(calle, 0, 30, 640, 20, aceraArriba, d);
        Brillo(calle, 0, 388, 640, 6, aceraAbajo, d);
        for (double acera : {reserva, aceraArriba, aceraAbajo}) {
            EXPECT_GT(acera, arriba + 30) << "set " << s;
            EXPECT_GT(acera, abajo + 30) << "set " << s;
        }
    }
}

}  // namespace
