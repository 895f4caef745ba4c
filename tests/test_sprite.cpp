// The figure base: animation, drawing and erasing, box and pixel collisions.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Configuracion.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "SprManager.h"
#include "Sprite.h"

namespace {

// A mask drawn as rows of text: '#' solid, anything else transparent.
struct MascaraHecha {
    explicit MascaraHecha(const std::vector<std::string>& d) : bits(d.size()), filas(d.size())
    {
        m = Mascara{static_cast<int>(d[0].size()), static_cast<int>(d.size()), 1,
                    static_cast<int>(d[0].size() + 31) / 32, nullptr};
        for (size_t y = 0; y < d.size(); y++) {
            bits[y].assign(m.palabras, 0u);
            for (size_t x = 0; x < d[y].size(); x++) {
                if (d[y][x] == '#') bits[y][x / 32] |= 1u << (x % 32);
            }
            filas[y] = bits[y].data();
        }
        m.filas = filas.data();
    }
    bool Solido(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m.ancho || y >= m.alto) return false;
        return (bits[y][x / 32] >> (x % 32)) & 1u;
    }
    Mascara m;
    std::vector<std::vector<uint32_t>> bits;
    std::vector<uint32_t*> filas;
};

class Figura : public Sprite {
public:
    Figura(Mascara* m = nullptr, int px = 0, int py = 0)
    {
        mascara = m;
        x = px;
        y = py;
    }
    Figura(int t, int v)
    {
        tipo = t;
        variante = v;
        Actualiza();
    }
    void PonVariante(int v) { variante = v; }
    void PonUltimo(int u) { ultimoFotograma = u; }
    int VerFotograma() const { return fotograma; }
    int VerUltimo() const { return ultimoFotograma; }
};

std::vector<std::string> Caja(int ancho, int alto, char c)
{
    return std::vector<std::string>(alto, std::string(ancho, c));
}

}  // namespace

TEST(Colision, BoxesThatOnlyShareAnEdgeDoNotCollideNorDoesAFigureWithItselfOrNobody)
{
    MascaraHecha llena(Caja(40, 20, '#'));
    Figura a(&llena.m, 100, 100), b(&llena.m, 140, 100);
    EXPECT_EQ(a.VerX(true), 140);
    EXPECT_EQ(a.VerY(true), 120);
    const int lugares[][3] = {{140, 100, 0}, {139, 100, 1}, {60, 100, 0}, {61, 100, 1},
                              {100, 120, 0}, {100, 119, 1}, {100, 80, 0}, {100, 81, 1}};
    for (const auto& l : lugares) {
        b.SetX(l[0]);
        b.SetY(l[1]);
        EXPECT_EQ(a.Colision(&b, false), l[2] == 1) << l[0] << "," << l[1];
        EXPECT_EQ(b.Colision(&a, true), l[2] == 1) << l[0] << "," << l[1];
    }
    EXPECT_FALSE(a.Colision(&a, false));
    EXPECT_FALSE(a.Colision(&a, true));
    EXPECT_FALSE(a.Colision(nullptr, true));
}

TEST(Colision, BoxesOverlappingOnlyWhereBothAreTransparentDoNotTouchPixelWise)
{
    MascaraHecha ele({"####", "#...", "#...", "#..."}), jota({"...#", "...#", "...#", "####"});
    Figura a(&ele.m, 0, 0), b(&jota.m, 2, 2);
    EXPECT_TRUE(a.Colision(&b, false));
    EXPECT_FALSE(a.Colision(&b, true));
    b.SetX(0);
    b.SetY(0);  // now the right column of one crosses the top row of the other
    EXPECT_TRUE(a.Colision(&b, true));
}

TEST(Colision, WideFiguresAlignByWholeWordsThenBits)
{
    // One pixel at column c of a 130-wide figure against one pixel of a small
    // figure placed on that column, or one beside it (shifts 0 included).
    for (int c : {0, 1, 31, 32, 33, 63, 64, 65, 100, 127, 129}) {
        std::vector<std::string> ancha = Caja(130, 3, '.'), chica = Caja(20, 3, '.');
        ancha[1][c] = '#';
        chica[1][5] = '#';
        MascaraHecha ma(ancha), mb(chica);
        Figura a(&ma.m, 1000, 500), b(&mb.m, 0, 500);
        for (int d = -1; d <= 1; d++) {
            b.SetX(1000 + c - 5 + d);
            EXPECT_EQ(a.ColisionPP(&b), d == 0) << c << " " << d;
            EXPECT_EQ(b.ColisionPP(&a), d == 0) << c << " " << d;
        }
    }
}

TEST(Colision, ThePixelTestAgreesWithComparingEveryPixel)
{
    std::srand(77);
    for (int caso = 0; caso < 300; caso++) {
        const int wa = 1 + std::rand() % 140, ha = 1 + std::rand() % 12;
        const int wb = 1 + std::rand() % 140, hb = 1 + std::rand() % 12;
        const int densidad = 2 + std::rand() % 40;
        std::vector<std::string> da = Caja(wa, ha, '.'), db = Caja(wb, hb, '.');
        for (auto* d : {&da, &db}) {
            for (auto& fila : *d) {
                for (auto& p : fila) p = std::rand() % densidad == 0 ? '#' : '.';
            }
        }
        MascaraHecha ma(da), mb(db);
        Figura a(&ma.m, 300, 200);
        const int bx = 301 - wb + std::rand() % (wa + wb - 1);
        Figura b(&mb.m, bx, 201 - hb + std::rand() % (ha + hb - 1));
        bool esperado = false;
        for (int y = 0; y < ha; y++) {
            for (int x = 0; x < wa; x++) {
                esperado |= ma.Solido(x, y) && mb.Solido(x + 300 - b.VerX(), y + 200 - b.VerY());
            }
        }
        ASSERT_EQ(a.Colision(&b, true), esperado) << "case " << caso;
        ASSERT_EQ(b.Colision(&a, true), esperado) << "case " << caso;
    }
}

class FiguraEnHoja : public ::testing::Test {
protected:
    void SetUp() override
    {
        Configuracion ajustes;  // test programs share one display: a window each
        if (!ajustes.VerWindowed()) ajustes.ToggleWindowed();
        ASSERT_TRUE(Entorno::ArrancaTodo());
    }
    void TearDown() override { Entorno::Para(); }
};

TEST_F(FiguraEnHoja, FramesChangeEveryKeyFrameDrawsAndStandStillWhenNotAnimated)
{
    Figura camion(1, 0), heroe(6, 3), pino(11, 1);
    EXPECT_EQ(camion.VerUltimo(), 3);
    EXPECT_EQ(heroe.VerUltimo(), 1);
    EXPECT_EQ(pino.VerUltimo(), 0);
    EXPECT_EQ(camion.VerLongX() * 1000 + camion.VerLongY(), 112048);
    camion.SetTipo(5);  // changes no picture by itself
    EXPECT_EQ(camion.VerMascara(), M->Mask(1, 0, 0));
    camion.SetTipo(1);

    std::vector<int> cambios;  // kf 20: the first change at the 20th draw
    for (int n = 1; n <= 85; n++) {
        const int antes = camion.VerFotograma();
        camion.Dibuja(true);
        if (camion.VerFotograma() != antes) cambios.push_back(n);
        EXPECT_EQ(camion.VerMascara(), M->Mask(1, 0, camion.VerFotograma()));
    }
    EXPECT_EQ(cambios, (std::vector<int>{20, 40, 60, 80}));
    EXPECT_EQ(camion.VerFotograma(), 0);
    for (int n = 0; n < 50; n++) camion.Dibuja(false);
    EXPECT_EQ(camion.VerFotograma(), 0);

    camion.SetKF(1);
    std::vector<int> fotogramas;
    for (int n = 0; n < 5; n++) {
        camion.Dibuja(true);
        fotogramas.push_back(camion.VerFotograma());
    }
    EXPECT_EQ(fotogramas, (std::vector<int>{1, 2, 3, 0, 1}));

    heroe.PonVariante(1);  // a new facing shows at the next animated draw...
    heroe.Dibuja(true);
    EXPECT_EQ(heroe.VerMascara(), M->Mask(6, 1, 0));
    heroe.PonUltimo(0);  // ...unless the figure stands still
    heroe.PonVariante(0);
    for (int n = 0; n < 45; n++) heroe.Dibuja(true);
    EXPECT_EQ(heroe.VerFotograma(), 0);
    EXPECT_EQ(heroe.VerMascara(), M->Mask(6, 1, 0));
}

TEST_F(FiguraEnHoja, DrawingPutsThePictureAtItsCornerAndErasingRestoresTheBackground)
{
    rectfill(M->VerHoja(0), 0, 192, 31, 223, 0x0F0F);  // motorbike, frame 0: solid
    M->Init();
    clear_to_color(H->VerFondo(), 0x1234);
    H->DrawFondoBuffer(0, 0, 640, 480, 0, 0);
    BITMAP* b = H->VerBuffer();
    Figura moto(5, 0);
    moto.SetX(-10);
    moto.SetY(470);  // partly off screen
    moto.Dibuja(false);
    EXPECT_EQ(getpixel(b, 200 - 10, 200 + 470), 0x0F0F);
    EXPECT_EQ(getpixel(b, 200 + 21, 200 + 479), 0x0F0F);
    EXPECT_EQ(getpixel(b, 200 + 22, 200 + 470), 0x1234);
    moto.Borra();
    for (int x = 0; x < 22; x++) {
        for (int y = 470; y < 480; y++) ASSERT_EQ(getpixel(b, 200 + x, 200 + y), 0x1234);
    }
}
