// The sprite sheet: known patterns are painted on the sheet in memory and cut
// again, so the cases check where each figure comes from whatever the art.
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
    Figura(int t, int v, int px, int py) { tipo = t; variante = v; x = px; y = py; Actualiza(); }
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
    for (int e = 1; e <= 48; e++) {
        const int g = (e - 1) / 4 % 6, f = (e - 1) % 4;
        t[e] = Entrada{anchos[g], altos[g], 4, anchos[g] * f, (g < 2 ? 48 * g : 32 * g + 32) + 224 * (e > 24)};
    }
    for (int e = 49; e <= 56; e++) t[e] = Entrada{32, 32, 2, 32 * ((e - 49) % 2), 448 + 32 * ((e - 49) / 2)};
    for (int e = 57; e <= 64; e++) t[e] = Entrada{46, 32, 2, -1, -1};
    t[65] = Entrada{32, 44, 1, 0, 576};
    for (int e = 66; e <= 69; e++) t[e] = Entrada{42, 40, 1, 0, 620 + 40 * (e - 66)};
    for (int e = 70; e <= 72; e++) t[e] = Entrada{48, 45, 3, 48 * (e - 70), 886};
    for (int e = 73; e <= 80; e++) t[e] = Entrada{e < 77 ? 84 : 130, 32, 4, -1, -1};
    t[81] = Entrada{48, 10, 1, 0, 812}; t[82] = Entrada{48, 64, 1, 0, 822}; t[83] = Entrada{48, 64, 1, 48, 822};
    t[84] = Entrada{100, 112, 1, -1, -1}; t[85] = Entrada{150, 112, 1, -1, -1};
    return t;
}

bool Bit(const Mascara* m, int x, int y) { return (m->filas[y][x / 32] >> (x % 32)) & 1u; }

class HojaSprites : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Entorno::ArrancaTodo());
        hoja = M->VerHoja(0);
        ASSERT_TRUE(hoja != nullptr && bitmap_color_depth(hoja) == 16 && hoja->w >= 448 && hoja->h >= 1043);
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

TEST_F(HojaSprites, EveryFigureHasItsSizeFramesAndWordsPerRowAndTheSelectionRuleFindsIt)
{
    const std::vector<Entrada> t = Tabla();
    for (int e = 1; e <= 85; e++) {
        const Mascara* m = M->MaskEntrada(e);
        const bool choque = e >= 70 && e <= 72;  // the crashed skier never collides: no words
        EXPECT_EQ(std::vector<int>({m->ancho, m->alto, m->fotogramas, M->Imagen(e)->w, M->Imagen(e)->h, m->palabras}),
                  std::vector<int>({t[e].ancho, t[e].alto, t[e].fotogramas, t[e].ancho, t[e].alto,
                                    choque ? 0 : (t[e].ancho + 31) / 32})) << e;
        EXPECT_TRUE(M->SpriteEntrada(e) != nullptr && (m->filas == nullptr) == choque) << e;
    }
    const int casos[][4] = {  // type, variant, frame -> entry
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

TEST_F(HojaSprites, FiguresAreCutFromTheirOwnSheetAreaOrBuiltFromTheirParts)
{
    const std::vector<Entrada> t = Tabla();
    Pinta(0, 0, hoja->w, hoja->h, Magenta);
    for (int e = 1; e <= 85; e++) {
        if (t[e].sx >= 0) Pinta(t[e].sx, t[e].sy, t[e].ancho, t[e].alto, 700 * e + 1);
    }
    Pinta(32, 512, 32, 32, Magenta);  // hero facing up, frame 1 (entry 54): transparent
    Pinta(88, 448, 8, 32, 600);       // second ski picture: only its right half solid
    for (int f = 0; f < 4; f++) {
        Pinta(28 * f, 780, 14, 32, 200 + f);       // left flag of frame f
        Pinta(28 * f + 14, 780, 14, 32, 300 + f);  // right flag
    }
    Pinta(0, 931, 25, 64, 400);   // finish post
    Pinta(0, 995, 128, 48, 500);  // banner
    M->Init();
    for (int e = 1; e <= 85; e++) {
        if (t[e].sx < 0 || e == 54) continue;
        EXPECT_EQ(Pixel(e, 0, 0), 700 * e + 1) << e;
        EXPECT_EQ(Pixel(e, t[e].ancho - 1, t[e].alto - 1), 700 * e + 1) << e;
    }
    // Hero with skis facing up (entries 61 and 62): the hero's frame, then the skis.
    EXPECT_EQ(Pixel(61, 31, 0), 700 * 53 + 1);
    EXPECT_EQ(std::vector<int>({Pixel(62, 31, 0), Pixel(62, 37, 0), Pixel(62, 38, 31), Pixel(62, 45, 0)}),
              std::vector<int>({Magenta, Magenta, 600, 600}));
    // Gates: two flags and a transparent gap; the mask has bits on the flags only.
    for (int e = 73; e <= 80; e++) {
        const int f = (e - 73) % 4, ancho = e < 77 ? 84 : 130;
        EXPECT_EQ(Pixel(e, 13, 31) * 1000 + Pixel(e, ancho - 14, 0), (200 + f) * 1000 + 300 + f);
        for (int x = 0; x < 32 * M->MaskEntrada(e)->palabras; x++)
            ASSERT_EQ(Bit(M->MaskEntrada(e), x, 5), x < 14 || (x >= ancho - 14 && x < ancho)) << e;
    }
    // Finish arches: the banner squeezed to 83 or 133 columns, posts at both ends; only the posts are in the mask.
    for (int v = 0; v < 2; v++) {
        const int e = 84 + v, a = 100 + 50 * v, pancarta = 83 + 50 * v;
        EXPECT_EQ(std::vector<int>({Pixel(e, pancarta - 1, 47), Pixel(e, pancarta, 0), Pixel(e, 24, 111),
                                    Pixel(e, 25, 60), Pixel(e, a - 25, 48)}),
                  std::vector<int>({500, Magenta, 400, Magenta, 400}));
        for (int y = 0; y < 112; y++) {
            for (int x = 0; x < a; x++) ASSERT_EQ(Bit(M->MaskEntrada(e), x, y), y >= 48 && (x < 25 || x >= a - 25));
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
                ASSERT_EQ(Bit(m, x, y), solido) << e << ":" << x << "," << y;
            }
        }
    }
    // Drawn, the sheet's magenta is transparent and its black is solid; erased, the background is back.
    clear_to_color(H->VerFondo(), 0xFFFF);
    H->DrawFondoBuffer(0, 0, 640, 480, 0, 0);
    Figura monton(10, 0, -10, 470);  // partly off screen
    monton.Dibuja(false);
    for (int x = 10; x < 48; x++) EXPECT_EQ(PixelBuffer(x - 10, 470), Pixel(81, x, 0) == Magenta ? 0xFFFF : 0);
    EXPECT_EQ(PixelBuffer(38, 479), 0xFFFF);
    monton.Borra();
    for (int x = 0; x < 40; x++) {
        for (int y = 470; y < 480; y++) ASSERT_EQ(PixelBuffer(x, y), 0xFFFF);
    }
}

TEST_F(HojaSprites, SwitchingTheGraphicSetChangesPicturesNotSizesAndFiguresFollowWithoutLeaks)
{
    BITMAP* otra = M->VerHoja(1);
    ASSERT_NE(otra, nullptr);
    Pinta(0, 0, hoja->w, hoja->h, 0x1111);
    Pinta(0, 0, otra->w, otra->h, 0x2222, otra);
    Pinta(0, 0, 56, 10, Magenta, otra);  // set 1's first lorry has a transparent corner
    M->Init();
    std::vector<Mascara> antes;
    for (int e = 1; e <= 85; e++) antes.push_back(*M->MaskEntrada(e));
    Figura quieto(0, 0, 40, 40), andando(6, 1, 300, 40);  // never animated; the menu's pointer figure
    void* viejo = quieto.VerImagen();
    Config->ToggleSet();
    M->Init();
    M->Init();  // two rebuilds before anyone draws again
    for (int e = 1; e <= 85; e++) {
        const Mascara* m = M->MaskEntrada(e);
        const Mascara& a = antes[e - 1];
        EXPECT_EQ(m->filas, a.filas) << "refilled in place";
        EXPECT_EQ(m->ancho * 1000000 + m->alto * 10 + m->fotogramas, a.ancho * 1000000 + a.alto * 10 + a.fotogramas);
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
    EXPECT_EQ(std::vector<int>({PixelBuffer(40, 40), PixelBuffer(151, 87), PixelBuffer(331, 71)}),
              std::vector<int>({0xFFFF, 0x2222, 0x2222}));
    Figura choque(12, 0, 100, 60), pino(11, 0, 100, 60);  // every pixel solid, but a crash never collides
    EXPECT_TRUE(choque.Colision(&pino, false) && !choque.Colision(&pino, true) && !pino.Colision(&choque, true));
    EXPECT_TRUE(quieto.Colision(&pino, true));
    // One build's compiled sprites take several hundred kilobytes: rebuilds release them.
    const struct mallinfo2 a = mallinfo2();
    for (int n = 0; n < 30; n++) M->Init();
    const struct mallinfo2 d = mallinfo2();
    EXPECT_LT(long(d.uordblks + d.hblkhd) - long(a.uordblks + a.hblkhd), 200000);
}
