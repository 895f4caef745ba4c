// The drawing helpers behind every picture of datos.dat: pixels packed the
// way the library packs them, figures that stay inside their areas with
// their outlines, mirror images and repeatable randomness.
#include <gtest/gtest.h>

#include <allegro.h>

#include <algorithm>
#include <set>
#include <vector>

// The generator's drawing code, compiled into this test as it is into the generator.
#include "Azar.h"
#include "Dibujo.h"
#include "Entorno.h"
#include "Figura.h"
#include "Lienzo.h"

namespace {

// The game's screen: 16 bits per pixel, which fixes how colours pack.
class Dibujo : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Entorno::ArrancaBiblioteca()) << allegro_error; }
    void TearDown() override { Entorno::ParaBiblioteca(); }
};

}  // namespace

TEST_F(Dibujo, PixelsPackAsTheLibraryPacksThemAndNoColourEverTurnsTransparent)
{
    for (int r = 0; r < 256; r += 17)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 51) {
                const uint16_t p = Rgb(r, g, b);
                EXPECT_EQ(p, makecol16(r, g, b)) << r << "," << g << "," << b;
                EXPECT_TRUE(RojoDe(p) == getr16(p) && VerdeDe(p) == getg16(p) && AzulDe(p) == getb16(p)) << p;
            }
    EXPECT_EQ(ColorTransparente, makecol16(255, 0, 255));
    // Pure magenta and every shade that packs to it come out as a solid neighbour.
    for (int r = 248; r < 256; r++)
        for (int b = 248; b < 256; b++) {
            EXPECT_NE(Pixel(Color{r, 0, b}), ColorTransparente);
            EXPECT_NE(Pixel(Color{r, 3, b}), ColorTransparente);
            for (int k = 0; k < 16; k++) EXPECT_NE(PixelTramado(Color{r, 1, b}, k % 4, k / 4), ColorTransparente);
        }
}

TEST_F(Dibujo, AFigureNeverPaintsOutsideItsAreaInEitherStyle)
{
    // Shapes that overflow the figure on every side are clipped to it, outline included.
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
                if (x >= 10 && x < 20 && y >= 10 && y < 18) dentro += l.Lee(x, y) != ColorTransparente;
                else EXPECT_EQ(l.Lee(x, y), ColorTransparente) << x << "," << y << " set " << set;
            }
        EXPECT_GT(dentro, 40) << "set " << set;
    }
}

TEST_F(Dibujo, OutlinesRingEveryShapeDarkInTheNewStyleAndBoldBlackInTheOriginal)
{
    Figura f(9, 9);
    f.Pon(4, 4, MChaqueta, LuzBase);
    f.Pon(1, 1, MBaston, LuzBase, true);  // a thin pole: no outline of its own
    Lienzo nuevo(9, 9, ColorTransparente), original(9, 9, ColorTransparente);
    f.Pinta(nuevo, 0, 0, 0);
    f.Pinta(original, 0, 0, 1);
    int bordeNuevo = 0, bordeOriginal = 0;
    for (int y = 3; y <= 5; y++)
        for (int x = 3; x <= 5; x++)
            if (x != 4 || y != 4) {
                bordeNuevo += nuevo.Lee(x, y) != ColorTransparente;
                bordeOriginal += original.Lee(x, y) == 0x0000;
            }
    EXPECT_EQ(bordeNuevo, 4) << "the four sides";
    EXPECT_EQ(bordeOriginal, 8) << "sides and corners, in black";
    EXPECT_EQ(nuevo.Lee(3, 3), ColorTransparente);
    EXPECT_LT(RojoDe(nuevo.Lee(4, 3)) + VerdeDe(nuevo.Lee(4, 3)), RojoDe(nuevo.Lee(4, 4)) / 2);
    for (int k = 0; k < 9; k++)  // the pole has no outline in either style
        EXPECT_TRUE(k == 4 || (nuevo.Lee(k % 3, k / 3) == ColorTransparente && original.Lee(k % 3, k / 3) == ColorTransparente)) << k;
}

TEST_F(Dibujo, TheOriginalStyleIsFlatAndTheNewStyleShaded)
{
    // Over all light levels a material takes at most three colours in the
    // "Original" style (ink, shade, base) and three or four steps in the "New" one.
    for (int m = MNegro; m < NumMateriales; m++) {
        std::set<uint16_t> nuevo, original;
        for (int luz = 0; luz < 256; luz += 4) {
            nuevo.insert(Pixel(ColorMaterial(static_cast<Material>(m), luz, 0, 0, 0)));
            original.insert(Pixel(ColorMaterial(static_cast<Material>(m), luz, 1, 0, 0)));
        }
        EXPECT_LE(original.size(), 3u) << "material " << m;
        EXPECT_LE(nuevo.size(), 4u) << "material " << m;
        EXPECT_TRUE(m == MNegro || m == MFaro || nuevo.size() >= 3u) << "material " << m;
    }
}

TEST_F(Dibujo, MirrorImagesSwapLeftAndRight)
{
    Figura f(7, 3);
    f.Pon(1, 2, MRojo, LuzBase);
    f.Pon(6, 0, MAzul, LuzSombra);
    const Figura g = f.Espejo(), h = g.Espejo();
    EXPECT_TRUE(g.VerMaterial(5, 2) == MRojo && g.VerMaterial(0, 0) == MAzul && g.VerLuz(0, 0) == LuzSombra);
    EXPECT_FALSE(g.Solido(1, 2));
    for (int k = 0; k < 21; k++)
        EXPECT_TRUE(h.VerMaterial(k % 7, k / 7) == f.VerMaterial(k % 7, k / 7) && h.VerLuz(k % 7, k / 7) == f.VerLuz(k % 7, k / 7));
}

TEST_F(Dibujo, ShapesFillThePixelsWhoseCentresTheyCover)
{
    Lienzo l(10, 10, 0);
    Poligono(l, {{2, 2}, {6, 2}, {6, 5}, {2, 5}}, Liso(Color{255, 255, 255}));
    for (int k = 0; k < 100; k++) {
        const int x = k % 10, y = k / 10;
        EXPECT_EQ(l.Lee(x, y) != 0, x >= 2 && x < 6 && y >= 2 && y < 5) << x << "," << y;
    }
    Lienzo e(9, 9, 0);
    Elipse(e, 4.5, 4.5, 3, 3, Liso(Color{255, 255, 255}));
    EXPECT_TRUE(e.Lee(4, 4) != 0 && e.Lee(2, 4) != 0 && e.Lee(1, 1) == 0 && e.Lee(4, 0) == 0);
}

TEST_F(Dibujo, TheSameSeedAlwaysDrawsTheSamePicture)
{
    Azar a(77), b(77), c(78), cero(0);
    bool distinta = false;
    for (int k = 0; k < 100; k++) {
        const uint32_t x = a.Siguiente();
        EXPECT_EQ(x, b.Siguiente());
        distinta = distinta || x != c.Siguiente();
        const int v = a.Entre(3, 5);
        EXPECT_TRUE(v == b.Entre(3, 5) && v >= 3 && v <= 5) << v;
        const double r = a.Real();
        EXPECT_TRUE(r == b.Real() && r >= 0.0 && r < 1.0) << r;
        const double n = Ruido(k * 1.7, k * 0.3, 5, 9);
        EXPECT_TRUE(n >= 0.0 && n <= 1.0 && n == Ruido(k * 1.7, k * 0.3, 5, 9)) << n;
    }
    EXPECT_TRUE(distinta) << "another seed, other numbers";
    EXPECT_NE(cero.Siguiente(), 0u) << "a zero seed still gives numbers";
}
