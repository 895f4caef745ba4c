// The drawing helpers behind every picture of datos.dat: pixels packed the
// way the library packs them, figures that stay inside their areas with
// their outlines.
#include <gtest/gtest.h>

#include <allegro.h>

#include "Entorno.h"
// The generator's drawing code, compiled into this test as it is into the generator.
#include "Dibujo.h"
#include "Figura.h"
#include "Lienzo.h"

TEST(Dibujo, PixelsPackAsTheLibraryPacksThemAndNoColourEverTurnsTransparent)
{
    ASSERT_TRUE(Entorno::ArrancaBiblioteca());  // the game's screen, which fixes how colours pack
    for (int r = 0; r < 256; r += 17)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 51) EXPECT_EQ(Rgb(r, g, b), makecol16(r, g, b)) << r << "," << g << "," << b;
    EXPECT_EQ(ColorTransparente, makecol16(255, 0, 255));
    Entorno::ParaBiblioteca();
    // Pure magenta and every shade that packs to it come out as a solid neighbour.
    for (int r = 248; r < 256; r++)
        for (int b = 248; b < 256; b++) {
            EXPECT_NE(Pixel(Color{r, 0, b}), ColorTransparente);
            for (int k = 0; k < 16; k++) EXPECT_NE(PixelTramado(Color{r, 1, b}, k % 4, k / 4), ColorTransparente);
        }
}

TEST(Dibujo, AFigureNeverPaintsOutsideItsAreaAndItsOutlineRingsItInBothStyles)
{
    // Shapes that overflow the figure on every side are clipped to it, outline included.
    Figura f(10, 8);
    f.Caja(-5, -5, 30, 3, MRojo, LuzFija(LuzBase));
    f.Elipse(9, 7, 6, 6, MAzul, LuzEsfera(9, 7, 6, 6));
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
    // One pixel: four dark sides in the new style, sides and corners in black in the original.
    Figura g(9, 9);
    g.Pon(4, 4, MChaqueta, LuzBase);
    Lienzo nuevo(9, 9, ColorTransparente), original(9, 9, ColorTransparente);
    g.Pinta(nuevo, 0, 0, 0);
    g.Pinta(original, 0, 0, 1);
    int bordeNuevo = 0, bordeOriginal = 0;
    for (int k = 0; k < 9; k++) {
        bordeNuevo += k != 4 && nuevo.Lee(3 + k % 3, 3 + k / 3) != ColorTransparente;
        bordeOriginal += k != 4 && original.Lee(3 + k % 3, 3 + k / 3) == 0x0000;
    }
    EXPECT_EQ(bordeNuevo, 4);
    EXPECT_EQ(bordeOriginal, 8);
    EXPECT_LT(RojoDe(nuevo.Lee(4, 3)) + VerdeDe(nuevo.Lee(4, 3)), RojoDe(nuevo.Lee(4, 4)) / 2);
}
