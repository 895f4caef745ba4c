// The figure base: animation, box and pixel collisions.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Constantes.h"
#include "Entorno.h"
#include "Globales.h"
#include "SprManager.h"
#include "Sprite.h"

namespace {

// A mask drawn as rows of text: '#' solid, anything else transparent.
struct MascaraHecha {
    explicit MascaraHecha(const std::vector<std::string>& d) : bits(d.size()), filas(d.size())
    {
        const int ancho = static_cast<int>(d[0].size());
        m = Mascara{ancho, static_cast<int>(d.size()), 1, (ancho + 31) / 32, nullptr};
        for (size_t y = 0; y < d.size(); y++) {
            bits[y].assign(m.palabras, 0u);
            for (int x = 0; x < ancho; x++) bits[y][x / 32] |= uint32_t(d[y][x] == '#') << (x % 32);
            filas[y] = bits[y].data();
        }
        m.filas = filas.data();
    }
    bool Solido(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m.ancho && y < m.alto && ((bits[y][x / 32] >> (x % 32)) & 1u);
    }
    Mascara m;
    std::vector<std::vector<uint32_t>> bits;
    std::vector<uint32_t*> filas;
};

class Figura : public Sprite {
public:
    Figura(Mascara* m, int px, int py) { mascara = m; x = px; y = py; }
    Figura(int t, int v) { tipo = t; variante = v; Actualiza(); }
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
    const int lugares[][3] = {{140, 100, 0}, {139, 100, 1}, {60, 100, 0}, {61, 100, 1},
                              {100, 120, 0}, {100, 119, 1}, {100, 80, 0}, {100, 81, 1}};
    for (const auto& l : lugares) {
        b.SetX(l[0]);
        b.SetY(l[1]);
        EXPECT_EQ(a.Colision(&b, false), l[2] == 1) << l[0] << "," << l[1];
        EXPECT_EQ(b.Colision(&a, true), l[2] == 1) << l[0] << "," << l[1];
    }
    EXPECT_FALSE(a.Colision(&a, false) || a.Colision(&a, true) || a.Colision(nullptr, true));
}

TEST(Colision, ThePixelTestAgreesWithComparingEveryPixelAtAlignedAndUnalignedOffsets)
{
    std::srand(77);
    int veces[2] = {0, 0};  // both answers must come up, the false ones with boxes overlapping
    // Figures up to five words wide, one in four cases a whole number of words apart.
    for (int caso = 0; caso < 300; caso++) {
        const int wa = 1 + std::rand() % 140, ha = 1 + std::rand() % 12;
        const int wb = 1 + std::rand() % 140, hb = 1 + std::rand() % 12;
        const int densidad = 2 + std::rand() % 40;
        std::vector<std::string> da = Caja(wa, ha, '.'), db = Caja(wb, hb, '.');
        for (auto* d : {&da, &db})
            for (auto& fila : *d)
                for (auto& p : fila) p = std::rand() % densidad == 0 ? '#' : '.';
        MascaraHecha ma(da), mb(db);
        Figura a(&ma.m, 300, 200);
        int dx = 1 - wb + std::rand() % (wa + wb - 1);
        if (caso % 4 == 0) dx -= dx % 32;
        Figura b(&mb.m, 300 + dx, 201 - hb + std::rand() % (ha + hb - 1));
        bool esperado = false;
        for (int y = 0; y < ha; y++) {
            for (int x = 0; x < wa; x++) esperado |= ma.Solido(x, y) && mb.Solido(x - dx, y + 200 - b.VerY());
        }
        ASSERT_TRUE(a.Colision(&b, false));
        ASSERT_EQ(a.Colision(&b, true), esperado) << "case " << caso;
        ASSERT_EQ(b.Colision(&a, true), esperado) << "case " << caso;
        veces[esperado]++;
    }
    EXPECT_GT(veces[0], 20);
    EXPECT_GT(veces[1], 20);
}

TEST(FiguraEnHoja, FramesChangeEveryKeyFrameDrawsAndStandStillWhenNotAnimated)
{
    ASSERT_TRUE(Entorno::ArrancaTodo());
    Figura camion(TipoCamion2, 0), heroe(TipoAPie, 3), pino(TipoPino, 1);
    EXPECT_EQ(camion.VerUltimo() * 100 + heroe.VerUltimo() * 10 + pino.VerUltimo(), 310);
    std::vector<int> cambios;  // kf 20: the first change at the 20th draw
    for (int n = 1; n <= 85; n++) {
        const int antes = camion.VerFotograma();
        camion.Dibuja(true);
        if (camion.VerFotograma() != antes) cambios.push_back(n);
        EXPECT_EQ(camion.VerMascara(), M->Mask(TipoCamion2, 0, camion.VerFotograma()));
    }
    EXPECT_EQ(cambios, (std::vector<int>{20, 40, 60, 80}));
    for (int n = 0; n < 50; n++) camion.Dibuja(false);
    EXPECT_EQ(camion.VerFotograma(), 0);
    camion.SetKF(1);
    std::vector<int> fotogramas;
    for (int n = 0; n < 5; n++) { camion.Dibuja(true); fotogramas.push_back(camion.VerFotograma()); }
    EXPECT_EQ(fotogramas, (std::vector<int>{1, 2, 3, 0, 1}));
    heroe.PonVariante(1);  // a new facing shows at the next animated draw...
    heroe.Dibuja(true);
    EXPECT_EQ(heroe.VerMascara(), M->Mask(TipoAPie, 1, 0));
    heroe.PonUltimo(0);  // ...unless the figure stands still
    heroe.PonVariante(0);
    for (int n = 0; n < 45; n++) heroe.Dibuja(true);
    EXPECT_EQ(heroe.VerFotograma(), 0);
    EXPECT_EQ(heroe.VerMascara(), M->Mask(TipoAPie, 1, 0));
    Entorno::Para();
}
