// The sprite sheet: known patterns are painted on the sheets of a copy of
// datos.dat, which a fresh sheet object cuts, so the cases check where each
// figure comes from whatever the art; each picture is read as it is drawn.
#include <gtest/gtest.h>

#include <allegro.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "Configuracion.h"
#include "Constantes.h"
#include "Datos.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "SprManager.h"
#include "Sprite.h"

namespace {

const int Magenta = ColorMascara;
// Behind a picture drawn to be read: no pattern of these cases uses it.
const int Centinela = 0x0841;

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
    for (int e = 1; e <= 48; e++) {
        const int g = (e - 1) / 4 % TotalVehiculos, f = (e - 1) % 4;
        t[e] = Entrada{AnchoVehiculo[g], AltoVehiculo[g], FotogramasVehiculo, AnchoVehiculo[g] * f,
                       FilaVehiculo[g] + BajadaIzquierda * (e > 24)};
    }
    for (int e = 49; e <= 56; e++)
        t[e] = Entrada{32, 32, 2, 32 * ((e - 49) % 2), FilaZumbelo + 32 * ((e - 49) / 2)};
    for (int e = 57; e <= 64; e++) t[e] = Entrada{46, 32, 2, -1, -1};
    t[65] = Entrada{32, 44, 1, 0, FilaEsquiador};
    for (int e = 66; e <= 69; e++) t[e] = Entrada{42, 40, 1, 0, FilaEsquiadorGiro + 40 * (e - 66)};
    for (int e = 70; e <= 72; e++) t[e] = Entrada{48, 45, 3, 48 * (e - 70), FilaChoque};
    for (int e = 73; e <= 80; e++) t[e] = Entrada{e < 77 ? 84 : 130, 32, 4, -1, -1};
    t[81] = Entrada{48, 10, 1, 0, FilaMonton};
    t[82] = Entrada{48, 64, 1, 0, FilaPinos};
    t[83] = Entrada{48, 64, 1, 48, FilaPinos};
    t[84] = Entrada{100, 112, 1, -1, -1}; t[85] = Entrada{150, 112, 1, -1, -1};
    return t;
}

bool Bit(const Mascara* m, int x, int y) { return (m->filas[y][x / 32] >> (x % 32)) & 1u; }

uint32_t M32(const std::vector<unsigned char>& b, size_t o)
{
    return (static_cast<uint32_t>(b[o]) << 24) | (static_cast<uint32_t>(b[o + 1]) << 16) |
           (static_cast<uint32_t>(b[o + 2]) << 8) | b[o + 3];
}

class HojaSprites : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Entorno::ArrancaTodo());
        // The file's bytes, and where the pixels of each sheet begin: a
        // bitmap holds its depth, width and height, then 16-bit pixels, low byte first.
        std::FILE* f = std::fopen(ArchivoDatos, "rb");
        ASSERT_NE(f, nullptr);
        for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
        size_t o = 12;
        for (int i = 0; i < DatObjetos; i++) {
            while (M32(bytes, o) == MagicoPropiedad) o += 12 + M32(bytes, o + 8);
            if (i == DatHoja0 || i == DatHoja1) {
                const int s = i - DatHoja0;
                ASSERT_EQ(M32(bytes, o), TipoBitmap);
                ancho[s] = (bytes[o + 14] << 8) | bytes[o + 15];
                pixeles[s] = o + 18;
                ASSERT_TRUE(ancho[s] >= AnchoHoja && ((bytes[o + 16] << 8) | bytes[o + 17]) >= AltoHoja);
            }
            o += 12 + M32(bytes, o + 4);
        }
    }
    void TearDown() override { Entorno::Para(); }

    void Pinta(int x, int y, int w, int h, int color, int set = 0)
    {
        for (int j = y; j < y + h; j++)
            for (int i = x; i < x + w; i++) Pon(i, j, color, set);
    }
    void Pon(int x, int y, int color, int set = 0)
    {
        const size_t p = pixeles[set] + 2 * (static_cast<size_t>(y) * ancho[set] + x);
        bytes[p] = static_cast<unsigned char>(color & 0xFF);
        bytes[p + 1] = static_cast<unsigned char>(color >> 8);
    }
    // The painted file becomes the working directory's datos.dat, and a
    // fresh sheet object cuts it.
    void Corta()
    {
        std::remove(ArchivoDatos);  // a link to the built file: never written through
        std::FILE* f = std::fopen(ArchivoDatos, "wb");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
        std::fclose(f);
        delete M;
        M = new SprManager;
        M->Init();
        vistas.clear();
    }
    // A pixel of entry e's picture as drawn: magenta where it is transparent.
    int Pixel(int e, int x, int y)
    {
        std::vector<int>& v = vistas[e];
        const Mascara* m = M->MaskEntrada(e);
        if (v.empty()) {
            H->RectFill_ex(0, 0, m->ancho - 1, m->alto - 1, Centinela);
            H->Dibuja(0, 0, M->SpriteEntrada(e));
            Entorno::Muestra();
            for (int j = 0; j < m->alto; j++)
                for (int i = 0; i < m->ancho; i++) {
                    const int c = Entorno::Pantalla(i, j);
                    v.push_back(c == Centinela ? Magenta : c);
                }
        }
        return v[y * m->ancho + x];
    }
    int PixelBuffer(int x, int y)
    {
        Entorno::Muestra();
        return Entorno::Pantalla(x, y);
    }

    std::vector<unsigned char> bytes;
    size_t pixeles[2] = {0, 0};
    int ancho[2] = {0, 0};
    std::map<int, std::vector<int>> vistas;
};

}  // namespace

TEST_F(HojaSprites, EveryFigureHasItsSizeFramesAndWordsPerRowAndTheSelectionRuleFindsIt)
{
    const std::vector<Entrada> t = Tabla();
    for (int e = 1; e <= 85; e++) {
        const Mascara* m = M->MaskEntrada(e);
        const bool choque = e >= 70 && e <= 72;  // the crashed skier never collides: no words
        EXPECT_EQ(std::vector<int>({m->ancho, m->alto, m->fotogramas, m->palabras}),
                  std::vector<int>({t[e].ancho, t[e].alto, t[e].fotogramas, choque ? 0 : (t[e].ancho + 31) / 32}))
            << e;
        EXPECT_TRUE(M->SpriteEntrada(e) != nullptr && (m->filas == nullptr) == choque) << e;
    }
    const int casos[][4] = {  // type, variant, frame -> entry
        {TipoCamion1, -1, 2, 27},   {TipoCamion1, 1, 2, 3},     {TipoMoto, -1, 3, 48},   {TipoPino, 1, 0, 83},
        {TipoPino, 1, 3, 83},       {TipoCamion2, 0, 0, 5},     {TipoCoche1, -3, 1, 34}, {TipoAPie, 3, 1, 56},
        {TipoConEsquis, 2, 1, 62},  {TipoEsquiador, 0, 0, 65},  {TipoEsquiador, 4, 0, 69}, {TipoBandera, 1, 3, 80},
        {TipoMonton, 5, 3, 81},     {TipoChoque, 3, 2, 72},     {TipoMeta, 1, 2, 85},    {13, 0, 0, 0},
        {14, 0, 0, 0},              {16, 0, 0, 0},              {TipoCamion1, 0, 4, 0},  {TipoAPie, 4, 0, 0},
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
    Pinta(0, 0, AnchoHoja, AltoHoja, Magenta);
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
    Corta();
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
    for (int y = 0; y < AltoHoja; y++) {
        for (int x = 0; x < AnchoHoja; x++) Pon(x, y, std::rand() % 3 == 0 ? Magenta : 0);
    }
    Corta();
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
    H->ClrFondo(7);  // white, 0xFFFF
    H->DrawFondoBuffer(0, 0, 640, 480, 0, 0);
    Figura monton(TipoMonton, 0, -10, 470);  // partly off screen
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
    Pinta(0, 0, AnchoHoja, AltoHoja, 0x1111);
    Pinta(0, 0, AnchoHoja, AltoHoja, 0x2222, 1);
    Pinta(0, 0, 56, 10, Magenta, 1);  // set 1's first lorry has a transparent corner
    Corta();
    std::vector<Mascara> antes;
    for (int e = 1; e <= 85; e++) antes.push_back(*M->MaskEntrada(e));
    Figura quieto(TipoCamion1, 0, 40, 40), andando(TipoAPie, 1, 300, 40);  // never animated; the menu's pointer figure
    void* viejo = quieto.VerImagen();
    Config->ToggleSet();
    M->Init();
    M->Init();  // two rebuilds before anyone draws again
    vistas.clear();
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
    H->cls(7);  // white, 0xFFFF
    quieto.Dibuja(false);
    andando.Dibuja(true);
    EXPECT_NE(quieto.VerImagen(), viejo);
    EXPECT_EQ(quieto.VerImagen(), M->Sprite(TipoCamion1, 0, 0));
    EXPECT_EQ(std::vector<int>({PixelBuffer(40, 40), PixelBuffer(151, 87), PixelBuffer(331, 71)}),
              std::vector<int>({0xFFFF, 0x2222, 0x2222}));
    Figura choque(TipoChoque, 0, 100, 60), pino(TipoPino, 0, 100, 60);  // every pixel solid, but a crash never collides
    EXPECT_TRUE(choque.Colision(&pino, false) && !choque.Colision(&pino, true) && !pino.Colision(&choque, true));
    EXPECT_TRUE(quieto.Colision(&pino, true));
    // One build's compiled sprites take several hundred kilobytes: rebuilds release them.
    const struct mallinfo2 a = mallinfo2();
    for (int n = 0; n < 30; n++) M->Init();
    const struct mallinfo2 d = mallinfo2();
    EXPECT_LT(long(d.uordblks + d.hblkhd) - long(a.uordblks + a.hblkhd), 200000);
}
