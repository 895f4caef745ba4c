// The drawing helpers behind every picture of datos.dat: pixels packed the
// way the library packs them, figures that stay inside their areas with
// their outlines, mirror images, masked and stretched copies as the game
// makes them, and repeatable randomness.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <set>
#include <vector>

// The generator's drawing code, compiled into this test as it is into the generator.
#include "Azar.h"
#include "Dibujo.h"
#include "Figura.h"
#include "Lienzo.h"

namespace {

class Dibujo : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The game's screen: 16 bits per pixel, which fixes how colours pack.
        ASSERT_EQ(install_allegro(SYSTEM_AUTODETECT, &errno, atexit), 0);
        set_color_depth(16);
        ASSERT_EQ(set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0), 0) << allegro_error;
    }
    void TearDown() override { allegro_exit(); }
};

TEST_F(Dibujo, PixelsArePackedAndUnpackedAsTheLibraryDoes)
{
    for (int r = 0; r < 256; r += 17)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 51) {
                uint16_t p = Rgb(r, g, b);
                EXPECT_EQ(p, makecol16(r, g, b)) << r << "," << g << "," << b;
                EXPECT_EQ(RojoDe(p), getr16(p));
                EXPECT_EQ(VerdeDe(p), getg16(p));
                EXPECT_EQ(AzulDe(p), getb16(p));
            }
    EXPECT_EQ(ColorTransparente, makecol16(255, 0, 255));
}

TEST_F(Dibujo, NoColourOfAPictureEverTurnsTransparent)
{
    // Pure magenta and every shade that packs to it come out as a solid neighbour.
    for (int r = 248; r < 256; r++)
        for (int b = 248; b < 256; b++) {
            EXPECT_NE(Pixel(Color{r, 0, b}), ColorTransparente);
            EXPECT_NE(Pixel(Color{r, 3, b}), ColorTransparente);
            for (int y = 0; y < 4; y++)
                for (int x = 0; x < 4; x++)
                    EXPECT_NE(PixelTramado(Color{r, 1, b}, x, y), ColorTransparente);
        }
}

TEST_F(Dibujo, AFigureNeverPaintsOutsideItsArea)
{
    // Shapes that overflow the figure on every side are clipped to it; the
    // outline too stays inside, in both styles.
    Figura f(10, 8);
    f.Caja(-5, -5, 30, 3, MRojo, LuzFija(LuzBase));
    f.Elipse(9, 7, 6, 6, MAzul, LuzEsfera(9, 7, 6, 6));
    f.Trazo({-4, 4}, {20, 4}, 2, MMetal, LuzFija(LuzBrillo));
    f.Poligono({{-3, 9}, {4, 3}, {12, 12}}, MVerde, LuzFija(LuzSombra));
    for (int set = 0; set < 2; set++) {
        Lienzo l(30, 30, ColorTransparente);
        f.Pinta(l, 10, 10, set);
        int dentro = 0;
        for (int y = 0; y < 30; y++)
            for (int x = 0; x < 30; x++) {
                bool area = x >= 10 && x < 20 && y >= 10 && y < 18;
                if (!area)
                    EXPECT_EQ(l.Lee(x, y), ColorTransparente) << x << "," << y << " set " << set;
                else
                    dentro += l.Lee(x, y) != ColorTransparente;
            }
        EXPECT_GT(dentro, 40) << "set " << set;
    }
}

TEST_F(Dibujo, OutlinesRingEveryShapeBoldlyInTheOriginalStyle)
{
    Figura f(9, 9);
    f.Pon(4, 4, MChaqueta, LuzBase);
    f.Pon(1, 1, MBaston, LuzBase, true);  // a thin pole: no outline of its own
    Lienzo nuevo(9, 9, ColorTransparente), original(9, 9, ColorTransparente);
    f.Pinta(nuevo, 0, 0, 0);
    f.Pinta(original, 0, 0, 1);
    int bordeNuevo = 0, bordeOriginal = 0;
    for (int y = 3; y <= 5; y++)
        for (int x = 3; x <= 5; x++) {
            if (x == 4 && y == 4)
                continue;
            bordeNuevo += nuevo.Lee(x, y) != ColorTransparente;
            bordeOriginal += original.Lee(x, y) == 0x0000;
        }
    EXPECT_EQ(bordeNuevo, 4);      // the four sides
    EXPECT_EQ(bordeOriginal, 8);   // sides and corners, in black
    EXPECT_EQ(nuevo.Lee(3, 3), ColorTransparente);
    // The "New" outline is dark, far darker than the jacket it surrounds.
    EXPECT_LT(RojoDe(nuevo.Lee(4, 3)) + VerdeDe(nuevo.Lee(4, 3)), RojoDe(nuevo.Lee(4, 4)) / 2);
    for (int y = 0; y <= 2; y++)
        for (int x = 0; x <= 2; x++)
            if (x != 1 || y != 1) {
                EXPECT_EQ(nuevo.Lee(x, y), ColorTransparente);
                EXPECT_EQ(original.Lee(x, y), ColorTransparente);
            }
}

TEST_F(Dibujo, TheOriginalStyleIsFlatAndTheNewStyleShaded)
{
    // Across all light levels a material takes at most three colours in the
    // "Original" style (ink, shade, base) and four steps in the "New" one.
    for (int m = MNegro; m < NumMateriales; m++) {
        std::set<uint16_t> nuevo, original;
        for (int luz = 0; luz < 256; luz += 4) {
            nuevo.insert(Pixel(ColorMaterial(static_cast<Material>(m), luz, 0, 0, 0)));
            original.insert(Pixel(ColorMaterial(static_cast<Material>(m), luz, 1, 0, 0)));
        }
        EXPECT_LE(original.size(), 3u) << "material " << m;
        EXPECT_LE(nuevo.size(), 4u) << "material " << m;
        if (m != MNegro && m != MFaro) {
            EXPECT_GE(nuevo.size(), 3u) << "material " << m;
        }
    }
}

TEST_F(Dibujo, MirrorImagesSwapLeftAndRight)
{
    Figura f(7, 3);
    f.Pon(1, 2, MRojo, LuzBase);
    f.Pon(6, 0, MAzul, LuzSombra);
    Figura g = f.Espejo();
    EXPECT_EQ(g.VerMaterial(5, 2), MRojo);
    EXPECT_EQ(g.VerMaterial(0, 0), MAzul);
    EXPECT_EQ(g.VerLuz(0, 0), LuzSombra);
    EXPECT_FALSE(g.Solido(1, 2));
    Figura h = g.Espejo();
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 7; x++) {
            EXPECT_EQ(h.VerMaterial(x, y), f.VerMaterial(x, y));
            EXPECT_EQ(h.VerLuz(x, y), f.VerLuz(x, y));
        }
    Lienzo l(3, 2, ColorTransparente);
    l.Pon(0, 1, 0x1234);
    Lienzo m = l.Espejo();
    EXPECT_EQ(m.Lee(2, 1), 0x1234);
    EXPECT_EQ(m.Lee(0, 1), ColorTransparente);
}

// A memory bitmap holding a picture, for comparing with the library's blits.
BITMAP* ABitmap(const Lienzo& l)
{
    BITMAP* b = create_bitmap_ex(16, l.ancho, l.alto);
    for (int y = 0; y < l.alto; y++)
        for (int x = 0; x < l.ancho; x++)
            putpixel(b, x, y, l.Lee(x, y));
    return b;
}

TEST_F(Dibujo, CopiesComposeEntriesAsTheLibraryBlitsThem)
{
    // The gallery composes the carried skis, the gates and the finish arches
    // with these copies: they must agree with masked_blit and stretch_blit.
    Lienzo hoja(13, 5, ColorTransparente);
    Azar azar(5);
    for (auto& p : hoja.pixeles)
        p = azar.Entre(0, 3) == 0 ? ColorTransparente : static_cast<uint16_t>(azar.Entre(0, 0xF000));
    Lienzo fondo(13, 5, 0x0841);
    BITMAP* origen = ABitmap(hoja);
    BITMAP* destino = ABitmap(fondo);
    BITMAP* estirado = create_bitmap_ex(16, 8, 3);
    masked_blit(origen, destino, 2, 1, 3, 0, 9, 4);
    stretch_blit(origen, estirado, 0, 0, 13, 5, 0, 0, 8, 3);
    Lienzo mia = fondo;
    mia.Copia(hoja, 2, 1, 9, 4, 3, 0, true);
    Lienzo estirada(8, 3);
    estirada.CopiaEstirada(hoja, 0, 0, 8, 3);
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 13; x++)
            EXPECT_EQ(mia.Lee(x, y), getpixel(destino, x, y)) << x << "," << y;
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 8; x++)
            EXPECT_EQ(estirada.Lee(x, y), getpixel(estirado, x, y)) << x << "," << y;
    destroy_bitmap(origen);
    destroy_bitmap(destino);
    destroy_bitmap(estirado);
}

TEST_F(Dibujo, ShapesFillThePixelsWhoseCentresTheyCover)
{
    Lienzo l(10, 10, 0);
    Poligono(l, {{2, 2}, {6, 2}, {6, 5}, {2, 5}}, Liso(Color{255, 255, 255}));
    int n = 0;
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 10; x++) {
            bool dentro = x >= 2 && x < 6 && y >= 2 && y < 5;
            EXPECT_EQ(l.Lee(x, y) != 0, dentro) << x << "," << y;
            n += l.Lee(x, y) != 0;
        }
    EXPECT_EQ(n, 12);
    Lienzo e(9, 9, 0);
    Elipse(e, 4.5, 4.5, 3, 3, Liso(Color{255, 255, 255}));
    EXPECT_NE(e.Lee(4, 4), 0);
    EXPECT_NE(e.Lee(2, 4), 0);
    EXPECT_EQ(e.Lee(1, 1), 0);
    EXPECT_EQ(e.Lee(4, 0), 0);
    // A word of the shop sign is as wide as measured.
    Lienzo r(40, 10, 0);
    EXPECT_EQ(Rotulo(r, 0, 0, "SKI", 2, Liso(Color{255, 255, 255})), AnchoRotulo("SKI", 2));
    int derecha = -1;
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 40; x++)
            if (r.Lee(x, y) != 0 && x > derecha)
                derecha = x;
    EXPECT_EQ(derecha, AnchoRotulo("SKI", 2) - 1);
}

TEST_F(Dibujo, TheSameSeedAlwaysDrawsTheSamePicture)
{
    Azar a(77), b(77), c(78);
    bool distinta = false;
    for (int k = 0; k < 100; k++) {
        uint32_t x = a.Siguiente();
        EXPECT_EQ(x, b.Siguiente());
        distinta = distinta || x != c.Siguiente();
        int v = a.Entre(3, 5);
        b.Entre(3, 5);
        EXPECT_GE(v, 3);
        EXPECT_LE(v, 5);
        double r = a.Real();
        b.Real();
        EXPECT_GE(r, 0.0);
        EXPECT_LT(r, 1.0);
        double n = Ruido(k * 1.7, k * 0.3, 5, 9);
        EXPECT_GE(n, 0.0);
        EXPECT_LE(n, 1.0);
        EXPECT_EQ(n, Ruido(k * 1.7, k * 0.3, 5, 9));
    }
    EXPECT_TRUE(distinta);
    // A zero seed still gives numbers.
    Azar cero(0);
    EXPECT_NE(cero.Siguiente(), 0u);
}

TEST_F(Dibujo, PreviewsAreWrittenAsPlainPPMFiles)
{
    Lienzo l(2, 1);
    l.Pon(0, 0, Rgb(255, 0, 0));
    l.Pon(1, 0, Rgb(0, 255, 255));
    ASSERT_TRUE(l.GuardaPPM("prueba.ppm"));
    FILE* f = std::fopen("prueba.ppm", "rb");
    ASSERT_NE(f, nullptr);
    unsigned char bytes[64];
    size_t n = std::fread(bytes, 1, sizeof bytes, f);
    std::fclose(f);
    const unsigned char esperado[] = {'P', '6', '\n', '2', ' ', '1', '\n', '2', '5', '5', '\n', 255, 0, 0, 0, 255, 255};
    ASSERT_EQ(n, sizeof esperado);
    for (size_t k = 0; k < n; k++)
        EXPECT_EQ(bytes[k], esperado[k]) << "byte " << k;
    EXPECT_FALSE(l.GuardaPPM("no/such/directory/x.ppm"));
}

}  // namespace
