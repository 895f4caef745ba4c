// The sprite sheets of datos.dat cut into figures: known patterns are
// painted on the sheets of a copy of the file, which a fresh sheet object
// cuts, so the cases check where each figure comes from whatever the art.
#include <gtest/gtest.h>

#include <allegro.h>
#include <malloc.h>

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
};

// Sheet entries: size, frame count and, for a picture cut whole from the
// sheet, its corner there (-1 for one built from parts).
struct Entrada {
    int e, ancho, alto, fotogramas, sx, sy;
};
const Entrada Muestras[] = {
    {1, 112, 48, 4, 0, 0},     {16, 64, 32, 4, 192, 128}, {27, 112, 48, 4, 224, 224}, {48, 32, 32, 4, 96, 416},
    {56, 32, 32, 2, 32, 544},  {58, 46, 32, 2, -1, -1},   {65, 32, 44, 1, 0, 576},    {69, 42, 40, 1, 0, 740},
    {71, 48, 45, 3, 48, 886},  {80, 130, 32, 4, -1, -1},  {81, 48, 10, 1, 0, 812},    {83, 48, 64, 1, 48, 822},
    {84, 100, 112, 1, -1, -1},
};

bool Bit(const Mascara* m, int x, int y) { return (m->filas[y][x / 32] >> (x % 32)) & 1u; }

class Hojas : public ::testing::Test {
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
            ASSERT_TRUE(ancho[s] >= AnchoHoja && ((bytes[o + 4] << 8) | bytes[o + 5]) >= AltoHoja);
        }
    }
    void TearDown() override { Entorno::Para(); }

    size_t Sitio(int x, int y, int set) const { return pixeles[set] + 2 * (static_cast<size_t>(y) * ancho[set] + x); }
    void Pinta(int x, int y, int w, int h, int color, int set = 0)
    {
        for (int j = y; j < y + h; j++)
            for (int i = x; i < x + w; i++) {
                bytes[Sitio(i, j, set)] = static_cast<unsigned char>(color & 0xFF);
                bytes[Sitio(i, j, set) + 1] = static_cast<unsigned char>(color >> 8);
            }
    }
    // The painted file becomes the working directory's datos.dat, and a
    // fresh sheet object cuts it.
    void Corta()
    {
        Entorno::Escribe(ArchivoDatos, bytes);
        delete M;
        M = new SprManager;
        M->Init();
    }
    // A pixel of entry e's picture as drawn: magenta where it is transparent.
    int Pixel(int e, int x, int y)
    {
        const Mascara* m = M->MaskEntrada(e);
        BITMAP* b = create_bitmap_ex(16, m->ancho, m->alto);
        clear_to_color(b, Centinela);
        draw_compiled_sprite(b, static_cast<COMPILED_SPRITE*>(M->SpriteEntrada(e)), 0, 0);
        const int c = getpixel(b, x, y);
        destroy_bitmap(b);
        return c == Centinela ? Magenta : c;
    }

    Entorno::Bytes bytes;
    size_t pixeles[2] = {0, 0};
    int ancho[2] = {0, 0};
};

}  // namespace

TEST_F(Hojas, EveryFigureHasItsSizeFramesAndWordsPerRowAndTheSelectionRuleFindsIt)
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
    for (const auto& c : casos) EXPECT_EQ(SprManager::Entrada(c[0], c[1], c[2]), c[3]) << c[0] << "," << c[1] << "," << c[2];
}

TEST_F(Hojas, FiguresAreCutFromTheirOwnAreaOrBuiltFromTheirPartsAndTheirMasksAreTheirSolidPixels)
{
    Pinta(0, 0, AnchoHoja, AltoHoja, Magenta);
    for (const Entrada& t : Muestras)
        if (t.sx >= 0) Pinta(t.sx, t.sy, t.ancho, t.alto, t.e == 81 ? 0 : 700 * t.e + 1);  // the heap black
    Pinta(0, 512, 32, 32, 100);       // hero facing up, frame 0 (entry 53); frame 1 transparent
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
        const int color = t.e == 81 ? 0 : 700 * t.e + 1;
        EXPECT_EQ(Pixel(t.e, 0, 0), color) << t.e;
        EXPECT_EQ(Pixel(t.e, t.ancho - 1, t.alto - 1), color) << t.e;
        if (t.e < 70 || t.e > 72) {
            EXPECT_TRUE(Bit(M->MaskEntrada(t.e), t.ancho - 1, 0)) << t.e;
        }
    }
    // Hero with skis facing up (entries 61 and 62): the hero's frame, then the skis.
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
            for (int x = 0; x < 32 * M->MaskEntrada(e)->palabras; x++)
                ASSERT_EQ(Bit(M->MaskEntrada(e), x, y), y >= 48 && (x < 25 || (x >= a - 25 && x < a)));
        }
    }
}

TEST_F(Hojas, SwitchingTheGraphicSetChangesPicturesNotSizesAndFiguresFollowWithoutLeaks)
{
    Pinta(0, 0, AnchoHoja, AltoHoja, 0x1111);
    Pinta(0, 0, AnchoHoja, AltoHoja, 0x2222, 1);
    Pinta(0, 0, 56, 10, Magenta, 1);  // set 1's first lorry has a transparent corner
    Corta();
    std::vector<Mascara> antes;
    for (int e = 1; e <= SprManager::Entradas; e++) antes.push_back(*M->MaskEntrada(e));
    Figura quieto(TipoCamion1, 0, 40, 40), andando(TipoAPie, 1, 300, 40);  // never animated; the menu's pointer figure
    Config->ToggleSet();
    M->Init();
    M->Init();  // two rebuilds before anyone draws again
    for (int e = 1; e <= SprManager::Entradas; e++) {
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
    Entorno::Muestra();
    EXPECT_EQ(std::vector<int>({Entorno::Pantalla(40, 40), Entorno::Pantalla(151, 87), Entorno::Pantalla(331, 71)}),
              std::vector<int>({0xFFFF, 0x2222, 0x2222}));
    // One build's compiled sprites take several hundred kilobytes: rebuilds release them.
    const struct mallinfo2 a = mallinfo2();
    for (int n = 0; n < 30; n++) M->Init();
    const struct mallinfo2 d = mallinfo2();
    EXPECT_LT(long(d.uordblks + d.hblkhd) - long(a.uordblks + a.hblkhd), 200000);
}
