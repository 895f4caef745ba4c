// The sprite sheet. The cases paint known patterns on the sheet in memory and
// cut it again, so they check where each figure comes from whatever the art.
#include <gtest/gtest.h>

#include <allegro.h>
#include <malloc.h>

#include <cstdlib>
#include <vector>

#include "Configuracion.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "SprManager.h"
#include "Sprite.h"

namespace {

const int Magenta = 0xF81F;

class Figura : public Sprite {
public:
    Figura(int t, int v, int px = 0, int py = 0)
    {
        tipo = t;
        variante = v;
        x = px;
        y = py;
        Actualiza();
    }
    void* VerImagen() const { return imagen; }
};

// Size, frame count and, for plain pictures, the sheet corner of every entry.
struct Entrada {
    int ancho, alto, fotogramas, sx, sy;
};

std::vector<Entrada> Tabla()
{
    std::vector<Entrada> t(86, Entrada{0, 0, 0, -1, -1});
    const int anchos[6] = {112, 112, 64, 64, 64, 32}, altos[6] = {48, 48, 32, 32, 32, 32};
    const int filas[6] = {0, 48, 96, 128, 160, 192};
    for (int e = 1; e <= 48; e++) {
        const int g = (e - 1) / 4 % 6, f = (e - 1) % 4, lado = e > 24;
        t[e] = Entrada{anchos[g], altos[g], 4, anchos[g] * f, filas[g] + 224 * lado};
    }
    for (int e = 49; e <= 56; e++) {
        t[e] = Entrada{32, 32, 2, 32 * ((e - 49) % 2), 448 + 32 * ((e - 49) / 2)};
    }
    for (int e = 57; e <= 64; e++) t[e] = Entrada{46, 32, 2, -1, -1};
    t[65] = Entrada{32, 44, 1, 0, 576};
    for (int e = 66; e <= 69; e++) t[e] = Entrada{42, 40, 1, 0, 620 + 40 * (e - 66)};
    for (int e = 70; e <= 72; e++) t[e] = Entrada{48, 45, 3, 48 * (e - 70), 886};
    for (int e = 73; e <= 80; e++) t[e] = Entrada{e < 77 ? 84 : 130, 32, 4, -1, -1};
    t[81] = Entrada{48, 10, 1, 0, 812};
    t[82] = Entrada{48, 64, 1, 0, 822};
    t[83] = Entrada{48, 64, 1, 48, 822};
    t[84] = Entrada{100, 112, 1, -1, -1};
    t[85] = Entrada{150, 112, 1, -1, -1};
    return t;
}

bool Bit(const Mascara* m, int x, int y) { return (m->filas[y][x / 32] >> (x % 32)) & 1u; }

// Test programs run side by side on one X display, where only one can hold
// a full screen: every test opens a window.
void PideVentana()
{
    Configuracion ajustes;
    if (!ajustes.VerWindowed()) ajustes.ToggleWindowed();
}

class HojaSprites : public ::testing::Test {
protected:
    void SetUp() override
    {
        PideVentana();
        ASSERT_TRUE(Entorno::ArrancaTodo());
        hoja = M->VerHoja(0);
        ASSERT_NE(hoja, nullptr);
        ASSERT_EQ(bitmap_color_depth(hoja), 16);
        ASSERT_TRUE(hoja->w >= 448 && hoja->h >= 1043);
    }
    void TearDown() override { Entorno::Para(); }

    void Pinta(int x, int y, int w, int h, int color, BITMAP* b = nullptr)
    {
        rectfill(b != nullptr ? b : hoja, x, y, x + w - 1, y + h - 1, color);
    }
    int Pixel(int e, int x, int y) { return getpixel(M->Imagen(e), x, y); }
    int PixelBuffer(int x, int y) { return getpixel(H->VerBuffer(), x + 200, y + 200); }

    BITMAP* hoja = nullptr;
};

}  // namespace

TEST_F(HojaSprites, EveryFigureHasItsSizeFramesAndWordsPerRow)
{
    const std::vector<Entrada> t = Tabla();
    for (int e = 1; e <= 85; e++) {
        const Mascara* m = M->MaskEntrada(e);
        SCOPED_TRACE(e);
        EXPECT_EQ(m->ancho, t[e].ancho);
        EXPECT_EQ(m->alto, t[e].alto);
        EXPECT_EQ(m->fotogramas, t[e].fotogramas);
        EXPECT_EQ(M->Imagen(e)->w * 1000 + M->Imagen(e)->h, t[e].ancho * 1000 + t[e].alto);
        EXPECT_NE(M->SpriteEntrada(e), nullptr);
        const bool choque = e >= 70 && e <= 72;  // never collides: no words
        EXPECT_EQ(m->palabras, choque ? 0 : (t[e].ancho + 31) / 32);
        EXPECT_EQ(m->filas == nullptr, choque);
    }
}

TEST_F(HojaSprites, TheSelectionRuleFindsEveryFigure)
{
    const int casos[][4] = {
        {0, -1, 2, 27}, {0, 1, 2, 3},   {5, -1, 3, 48}, {11, 1, 0, 83}, {11, 1, 3, 83},
        {1, 0, 0, 5},   {2, -3, 1, 34}, {6, 3, 1, 56},  {7, 2, 1, 62},  {8, 0, 0, 65},
        {8, 4, 0, 69},  {9, 1, 3, 80},  {10, 5, 3, 81}, {12, 3, 2, 72}, {15, 1, 2, 85},
        {13, 0, 0, 0},  {14, 0, 0, 0},  {16, 0, 0, 0},  {0, 0, 4, 0},   {6, 4, 0, 0},
    };
    for (const auto& c : casos) {
        const int e = SprManager::Entrada(c[0], c[1], c[2]);
        EXPECT_EQ(e, c[3]) << c[0] << "," << c[1] << "," << c[2];
        EXPECT_EQ(M->Sprite(c[0], c[1], c[2]), M->SpriteEntrada(e));
        EXPECT_EQ(M->Mask(c[0], c[1], c[2]), M->MaskEntrada(e));
    }
    EXPECT_EQ(M->Mask(13, 0, 0), nullptr);
}

TEST_F(HojaSprites, PlainFiguresAreCutFromTheirOwnSheetArea)
{
    const std::vector<Entrada> t = Tabla();
    Pinta(0, 0, hoja->w, hoja->h, Magenta);
    for (int e = 1; e <= 85; e++) {
        if (t[e].sx >= 0) Pinta(t[e].sx, t[e].sy, t[e].ancho, t[e].alto, 700 * e + 1);
    }
    M->Init();
    for (int e = 1; e <= 85; e++) {
        if (t[e].sx < 0) continue;
        EXPECT_EQ(Pixel(e, 0, 0), 700 * e + 1) << e;
        EXPECT_EQ(Pixel(e, t[e].ancho - 1, t[e].alto - 1), 700 * e + 1) << e;
    }
}

TEST_F(HojaSprites, ComposedFiguresAreBuiltFromTheirParts)
{
    Pinta(0, 0, hoja->w, hoja->h, Magenta);
    Pinta(0, 448 + 64, 32, 32, 100);  // hero facing up, frame 0
    Pinta(88, 448, 8, 32, 600);       // second ski picture: only its right half solid
    for (int f = 0; f < 4; f++) {
        Pinta(28 * f, 780, 14, 32, 200 + f);       // left flag of frame f
        Pinta(28 * f + 14, 780, 14, 32, 300 + f);  // right flag
    }
    Pinta(0, 931, 25, 64, 400);   // finish post
    Pinta(0, 995, 128, 48, 500);  // banner
    M->Init();

    // Hero with skis, facing up, frame 1 (hero frame 1 is transparent here).
    EXPECT_EQ(Pixel(57 + 4, 31, 0), 100);
    EXPECT_EQ(Pixel(57 + 5, 31, 0), Magenta);
    EXPECT_EQ(Pixel(57 + 5, 37, 0), Magenta);
    EXPECT_EQ(Pixel(57 + 5, 38, 31), 600);
    EXPECT_EQ(Pixel(57 + 5, 45, 0), 600);

    // Gates: two flags and a transparent gap; the mask has bits on the flags only.
    for (int e = 73; e <= 80; e++) {
        const int f = (e - 73) % 4, ancho = e < 77 ? 84 : 130;
        EXPECT_EQ(Pixel(e, 13, 31), 200 + f);
        EXPECT_EQ(Pixel(e, ancho - 14, 0), 300 + f);
        for (int x = 0; x < 32 * M->MaskEntrada(e)->palabras; x++) {
            ASSERT_EQ(Bit(M->MaskEntrada(e), x, 5), x < 14 || (x >= ancho - 14 && x < ancho)) << e;
        }
    }

    // Finish arches: the banner squeezed to 83 or 133 columns, posts at both
    // ends; only the posts are in the mask.
    const int anchos[2] = {100, 150}, pancarta[2] = {83, 133};
    for (int v = 0; v < 2; v++) {
        const int e = 84 + v, a = anchos[v];
        EXPECT_EQ(Pixel(e, pancarta[v] - 1, 47), 500);
        EXPECT_EQ(Pixel(e, pancarta[v], 0), Magenta);
        EXPECT_EQ(Pixel(e, 24, 111), 400);
        EXPECT_EQ(Pixel(e, 25, 60), Magenta);
        EXPECT_EQ(Pixel(e, a - 25, 48), 400);
        for (int y = 0; y < 112; y++) {
            for (int x = 0; x < a; x++) {
                const bool poste = y >= 48 && (x < 25 || x >= a - 25);
                ASSERT_EQ(Bit(M->MaskEntrada(e), x, y), poste) << x << "," << y;
            }
        }
    }
}

TEST_F(HojaSprites, MaskBitsAreTheSolidPixelsBlackIncludedAndNothingBeyondTheWidth)
{
    std::srand(1234);
    for (int y = 0; y < hoja->h; y++) {
        for (int x = 0; x < hoja->w; x++) putpixel(hoja, x, y, std::rand() % 3 == 0 ? Magenta : 0);
    }
    M->Init();
    for (int e = 1; e <= 85; e++) {
        const Mascara* m = M->MaskEntrada(e);
        for (int y = m->palabras > 0 ? 0 : m->alto; y < m->alto; y++) {
            for (int x = 0; x < 32 * m->palabras; x++) {
                const bool pancarta = e >= 84 && y < 48;
                const bool solido = x < m->ancho && !pancarta && Pixel(e, x, y) != Magenta;
                ASSERT_EQ(Bit(m, x, y), solido) << "entry " << e << " at " << x << "," << y;
            }
        }
    }
    // Drawn, the sheet's magenta is transparent and its black is solid.
    clear_to_color(H->VerBuffer(), 0xFFFF);
    Figura monton(10, 0, 100, 50);
    monton.Dibuja(false);
    for (int x = 0; x < 48; x++) {
        EXPECT_EQ(PixelBuffer(100 + x, 50), Pixel(81, x, 0) == Magenta ? 0xFFFF : 0);
    }
}

TEST_F(HojaSprites, TheCrashedSkierNeverCollides)
{
    Pinta(0, 0, hoja->w, hoja->h, 0);  // every pixel solid
    M->Init();
    Figura choque(12, 0, 100, 100), camion(0, 0, 90, 90), pino(11, 0, 110, 110);
    EXPECT_TRUE(choque.Colision(&camion, false));
    EXPECT_FALSE(choque.Colision(&camion, true));
    EXPECT_FALSE(pino.Colision(&choque, true));
    EXPECT_TRUE(camion.Colision(&pino, true));
}

TEST_F(HojaSprites, SwitchingTheGraphicSetChangesPicturesNotSizesAndFiguresFollow)
{
    BITMAP* otra = M->VerHoja(1);
    ASSERT_NE(otra, nullptr);
    Pinta(0, 0, hoja->w, hoja->h, 0x1111);
    Pinta(0, 0, otra->w, otra->h, 0x2222, otra);
    Pinta(0, 0, 56, 10, Magenta, otra);  // set 1's first lorry has a transparent corner
    M->Init();
    std::vector<Mascara> antes;
    for (int e = 1; e <= 85; e++) antes.push_back(*M->MaskEntrada(e));
    Figura quieto(0, 0, 40, 40);    // never animated
    Figura andando(6, 1, 300, 40);  // the menu's pointer figure
    void* viejo = quieto.VerImagen();

    Config->ToggleSet();
    M->Init();
    M->Init();  // two rebuilds before anyone draws again
    for (int e = 1; e <= 85; e++) {
        const Mascara* m = M->MaskEntrada(e);
        EXPECT_EQ(m->filas, antes[e - 1].filas) << "refilled in place";
        EXPECT_EQ(m->ancho * 1000 + m->alto, antes[e - 1].ancho * 1000 + antes[e - 1].alto);
        EXPECT_EQ(m->fotogramas, antes[e - 1].fotogramas);
        EXPECT_EQ(Pixel(e, m->ancho - 1, m->alto - 1), 0x2222) << e;
    }
    EXPECT_FALSE(Bit(M->MaskEntrada(1), 0, 0));
    EXPECT_TRUE(Bit(M->MaskEntrada(1), 56, 0));

    // Figures made before the switch draw the new pictures, never a released one.
    clear_to_color(H->VerBuffer(), 0xFFFF);
    quieto.Dibuja(false);
    andando.Dibuja(true);
    EXPECT_NE(quieto.VerImagen(), viejo);
    EXPECT_EQ(quieto.VerImagen(), M->Sprite(0, 0, 0));
    EXPECT_EQ(PixelBuffer(40, 40), 0xFFFF);
    EXPECT_EQ(PixelBuffer(151, 87), 0x2222);
    EXPECT_EQ(PixelBuffer(331, 71), 0x2222);
}

TEST_F(HojaSprites, RepeatedRebuildsDoNotLeak)
{
    M->Init();
    const struct mallinfo2 a = mallinfo2();
    for (int n = 0; n < 30; n++) M->Init();
    const struct mallinfo2 d = mallinfo2();
    // One build's compiled sprites take several hundred kilobytes.
    EXPECT_LT(long(d.uordblks + d.hblkhd) - long(a.uordblks + a.hblkhd), 200000);
}
