// The sprite sheet: known patterns are painted on the sheets of a copy of
// datos.dat, which a fresh sheet object cuts, so the cases check where each
// figure comes from whatever the art; each picture is read as it is drawn.
#include <gtest/gtest.h>

#include <allegro.h>
#include <malloc.h>

#include <cstdlib>
#include <map>
#include <vector>

#include "Configuracion.h"
#include "DatosObjetos.h"
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

// Entries as the layout gives them: size, frame count and, for a picture cut
// whole from the sheet, its corner there (-1 for one built from parts).
struct Entrada {
    int e, ancho, alto, fotogramas, sx, sy;
};
const Entrada Muestras[] = {
    {1, 112, 48, 4, 0, 0},       {8, 112, 48, 4, 336, 48},   {16, 64, 32, 4, 192, 128},  {27, 112, 48, 4, 224, 224},
    {42, 64, 32, 4, 64, 384},    {48, 32, 32, 4, 96, 416},   {49, 32, 32, 2, 0, 448},    {56, 32, 32, 2, 32, 544},
    {58, 46, 32, 2, -1, -1},     {65, 32, 44, 1, 0, 576},    {66, 42, 40, 1, 0, 620},    {69, 42, 40, 1, 0, 740},
    {71, 48, 45, 3, 48, 886},    {73, 84, 32, 4, -1, -1},    {80, 130, 32, 4, -1, -1},   {81, 48, 10, 1, 0, 812},
    {83, 48, 64, 1, 48, 822},    {84, 100, 112, 1, -1, -1},  {85, 150, 112, 1, -1, -1},
};

bool Bit(const Mascara* m, int x, int y) { return (m->filas[y][x / 32] >> (x % 32)) & 1u; }

class HojaSprites : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Entorno::ArrancaTodo());
        // Where the pixels of each sheet begin: a bitmap holds its depth,
        // width and height, then 16-bit pixels, low byte first.
        bytes = Entorno::Lee(ArchivoDatos);
        const std::vector<DatosObjetos::Sitio> sitios = DatosObjetos::Sitios(bytes);
        ASSERT_EQ(sitios.size(), static_cast<size_t>(DatObjetos));
        for (int s = 0; s < 2; s++) {
            const size_t o = sitios[DatHoja0 + s].contenido;
            ASSERT_EQ(DatosObjetos::M32(bytes, sitios[DatHoja0 + s].tipo), TipoBitmap);
            ancho[s] = (bytes[o + 2] << 8) | bytes[o + 3];
            pixeles[s] = o + 6;
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
        Entorno::Escribe(ArchivoDatos, bytes);
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
    for (const Entrada& t : Muestras) {
        const Mascara* m = M->MaskEntrada(t.e);
        const bool choque = t.e >= 70 && t.e <= 72;  // the crashed skier never collides: no words
        EXPECT_EQ(std::vector<int>({m->ancho, m->alto, m->fotogramas, m->palabras}),
                  std::vector<int>({t.ancho, t.alto, t.fotogramas, choque ? 0 : (t.ancho + 31) / 32}))
            << t.e;
        EXPECT_TRUE(M->SpriteEntrada(t.e) != nullptr && (m->filas == nullptr) == choque) << t.e;
    }
    const int casos[][4] = {  // type, variant, frame -> entry
        {TipoCamion1, -1, 2, 27},   {TipoCamion1, 1, 2, 3},     {TipoMoto, -1, 3, 48},   {TipoPino, 1, 0, 83},
        {TipoPino, 1, 3, 83},       {TipoCamion2, 0, 0, 5},     {TipoCoche1, -3, 1, 34}, {TipoAPie, 3, 1, 56},
        {TipoConEsquis, 2, 1, 62},  {TipoEsquiador, 0, 0, 65},  {TipoEsquiador, 4, 0, 69}, {TipoEsquiador, 5, 0, 0},
        {TipoBandera, 1, 3, 80},    {TipoMonton, 5, 3, 81},     {TipoChoque, 3, 2, 72},  {TipoMeta, 1, 2, 85},
        {13, 0, 0, 0},              {16, 0, 0, 0},              {TipoCamion1, 0, 4, 0},  {TipoAPie, 4, 0, 0},
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
    Pinta(0, 0, AnchoHoja, AltoHoja, Magenta);
    for (const Entrada& t : Muestras)
        if (t.sx >= 0) Pinta(t.sx, t.sy, t.ancho, t.alto, 700 * t.e + 1);
    Pinta(0, 512, 32, 32, 100);       // hero facing up, frame 0 (entry 53)
    Pinta(88, 448, 8, 32, 600);       // second ski picture: only its right half solid
    for (int f = 0; f < 4; f++) {
        Pinta(28 * f, 780, 14, 32, 200 + f);       // left flag of frame f
        Pinta(28 * f + 14, 780, 14, 32, 300 + f);  // right flag
    }
    Pinta(0, 931, 25, 64, 400);   // finish post
    Pinta(0, 995, 128, 48, 500);  // banner
    Corta();
    for (const Entrada& t : Muestras) {
        if (t.sx < 0) continue;
        EXPECT_EQ(Pixel(t.e, 0, 0), 700 * t.e + 1) << t.e;
        EXPECT_EQ(Pixel(t.e, t.ancho - 1, t.alto - 1), 700 * t.e + 1) << t.e;
    }
    // Hero with skis facing up (entries 61 and 62): the hero's frame (the
    // second one transparent), then the skis.
    EXPECT_EQ(Pixel(61, 31, 0), 100);
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
    // Figures made before the switch draw the new pictures, never a released
    // one, and the sheet's magenta stays transparent.
    H->cls(7);  // white, 0xFFFF
    quieto.Dibuja(false);
    andando.Dibuja(true);
    EXPECT_EQ(quieto.VerImagen(), M->Sprite(TipoCamion1, 0, 0));
    EXPECT_EQ(std::vector<int>({PixelBuffer(40, 40), PixelBuffer(151, 87), PixelBuffer(331, 71)}),
              std::vector<int>({0xFFFF, 0x2222, 0x2222}));
    // One build's compiled sprites take several hundred kilobytes: rebuilds release them.
    const struct mallinfo2 a = mallinfo2();
    for (int n = 0; n < 30; n++) M->Init();
    const struct mallinfo2 d = mallinfo2();
    EXPECT_LT(long(d.uordblks + d.hblkhd) - long(a.uordblks + a.hblkhd), 200000);
}
