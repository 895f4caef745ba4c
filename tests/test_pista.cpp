// The ski courses: the table, the course chosen by level, the lead-in, the
// scroll and its end, the index of the first obstacle in view, drawing at
// the bottom edge, and the release of every obstacle.
#include <gtest/gtest.h>

#include <allegro.h>
#include <vector>

#include "Constantes.h"
#include "Datos.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "Obstaculo.h"
#include "Pista.h"
#include "TablaPistas.h"

namespace {

const int Registros[4] = {43, 76, 85, 191};
const int Longitudes[4] = {3000, 5000, 6000, 8100};

// Record i of a course: x, y, kind.
const int16_t* Registro(int curso, int i)
{
    int antes = 0;
    for (int c = 0; c < curso; c++) antes += Registros[c];
    return &TablaPistas[3 * (antes + i)];
}

class ConPista : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Entorno::ArrancaTodo());
        H->SetFont(FuenteJuego, PaletaJuego);
        T = H->TextHeight();
    }
    void TearDown() override
    {
        pista.DeInit();
        Entorno::Para();
    }
    // Builds the course of a level and scrolls it until the lead-in is over and the scroll has reached hasta.
    void Prepara(int nivel, int paso, int hasta)
    {
        Nivel = nivel;
        pista.Init();
        int d, m;
        while (pista.VerMargen() != 0 || pista.VerDesplazamiento() < hasta) ASSERT_FALSE(pista.Avanza(paso, d, m));
    }
    std::vector<Obstaculo*> Lista()
    {
        std::vector<Obstaculo*> v;
        for (Obstaculo* o = pista.VerPrimero(); o != nullptr; o = o->VerSiguiente()) v.push_back(o);
        return v;
    }
    Pista pista;
    int T = 0;
};

}  // namespace

TEST(TablaDePistas, KindCountsFinishesBoundsAndTheTwoRecordsOutOfOrder)
{
    // heap 10, trees 11 and 19, wide gate 13, narrow gate 14, finish 16 or 17
    const int clases[6] = {10, 11, 19, 13, 14, 16};
    const int cuentas[4][6] = {{6, 21, 1, 13, 1, 1}, {9, 36, 2, 19, 9, 1}, {6, 39, 5, 22, 12, 1},
                               {17, 101, 11, 25, 36, 1}};
    const int metas[4][3] = {{280, 2700, 16}, {200, 4700, 16}, {280, 5700, 17}, {50, 7800, 17}};
    std::vector<std::pair<int, int>> desordenados;
    for (int c = 0; c < 4; c++) {
        int cuenta[6] = {0, 0, 0, 0, 0, 0};
        for (int i = 0; i < Registros[c]; i++) {
            const int16_t* r = Registro(c, i);
            for (int k = 0; k < 6; k++) cuenta[k] += (r[2] == 17 ? 16 : r[2]) == clases[k];
            EXPECT_TRUE(r[0] >= 0 && r[0] <= 570 && r[1] >= 0 && r[1] <= metas[c][1]) << "the finish is the lowest";
            if (i > 0 && r[1] < Registro(c, i - 1)[1]) desordenados.push_back({c, i});
        }
        EXPECT_EQ(std::vector<int>(cuenta, cuenta + 6), std::vector<int>(cuentas[c], cuentas[c] + 6)) << "course " << c;
        const int16_t* ultimo = Registro(c, Registros[c] - 1);
        EXPECT_EQ(std::vector<int>(ultimo, ultimo + 3), std::vector<int>(metas[c], metas[c] + 3));
    }
    EXPECT_EQ(3 * (43 + 76 + 85 + 191), ValoresTablaPistas);
    ASSERT_EQ(desordenados, (std::vector<std::pair<int, int>>{{1, 18}, {3, 139}}));
    EXPECT_EQ(std::vector<int>(Registro(1, 17), Registro(1, 19)), (std::vector<int>{280, 350, 14, 50, 320, 11}));
    EXPECT_EQ(std::vector<int>(Registro(3, 138), Registro(3, 140)), (std::vector<int>{100, 5050, 13, 300, 5000, 11}));
}

TEST_F(ConPista, TheLevelChoosesTheCourseEachRecordBecomesAnObstacleAndNoneOutlivesItsCourse)
{
    const int curso[9] = {0, 1, 2, 3, 1, 2, 3, 1, 2};  // course 0 only once per game
    // kind 10 to 19 -> sprite type, variant, width, height
    const int figura[10][4] = {{TipoMonton, 0, 48, 10},  {TipoPino, 0, 48, 64},   {0},
                               {TipoBandera, 1, 130, 32}, {TipoBandera, 0, 84, 32}, {0},
                               {TipoMeta, 1, 150, 112},   {TipoMeta, 0, 100, 112},  {0},
                               {TipoPino, 1, 48, 64}};
    for (int nivel = 0; nivel < 9; nivel++) {
        Nivel = nivel;
        pista.Init();
        const int c = curso[nivel];
        ASSERT_EQ(pista.VerNumPista(), c) << "level " << nivel;
        EXPECT_EQ(pista.VerLongitud(), Longitudes[c]);
        std::vector<Obstaculo*> v = Lista();
        ASSERT_EQ((int)v.size(), Registros[c]);
        for (int i = 0; i < Registros[c]; i++) {
            const int16_t* r = Registro(c, i);
            const int* f = figura[r[2] - 10];
            EXPECT_EQ(std::vector<int>({v[i]->VerX(), v[i]->VerY(), v[i]->VerTipo(), v[i]->VerVariante(),
                                        v[i]->VerLongX(), v[i]->VerLongY(), v[i]->VerPasado()}),
                      std::vector<int>({r[0], r[1], f[0], f[1], f[2], f[3], 0})) << "record " << i;
        }
        pista.DeInit();
        EXPECT_EQ(pista.VerPrimero(), nullptr);
    }
    // A second Init without DeInit, as the game-over backdrop does, starts afresh.
    Prepara(3, 7, 300);
    for (Obstaculo* o : Lista()) o->Pasa();
    Nivel = 2;
    pista.Init();
    EXPECT_EQ(Lista().size(), 85u);
    EXPECT_EQ(pista.VerDesplazamiento() * 1000 + pista.VerMargen(), 200);
    EXPECT_EQ(pista.Indice(), pista.VerPrimero());
    for (Obstaculo* o : Lista()) EXPECT_FALSE(o->VerPasado());
    pista.DeInit();
    EXPECT_EQ(pista.VerPrimero(), nullptr);
}

TEST_F(ConPista, TheLeadInShrinksByTheStepThenTheScrollRunsToTheEndAndStops)
{
    Nivel = 0;
    pista.Init();
    int d = -1, m = -1;
    for (int esperado = 193;; esperado = esperado >= 7 ? esperado - 7 : 0) {  // 193, 186, ..., 4, 0
        EXPECT_FALSE(pista.Avanza(7, d, m));
        EXPECT_EQ(d * 1000 + m, esperado);
        if (esperado == 0) break;
    }
    EXPECT_EQ(pista.VerDesplazamiento(), 0) << "the step that ends the lead-in does not scroll";
    for (int i = 0; i < 3; i++) {
        m = 99;
        EXPECT_FALSE(pista.Avanza(7, d, m));
        EXPECT_EQ(d * 1000 + m, 7 * i * 1000 + 99) << "each step reports the scroll from before it";
    }
    pista.SetMargin(400);  // a crash margin starts a new lead-in at the same scroll
    EXPECT_FALSE(pista.Avanza(7, d, m));
    EXPECT_EQ(pista.VerDesplazamiento() * 1000 + m, 21393);
    for (int c = 0; c < 4; c++) {
        for (int paso : {1, 7}) {
            Prepara(c, paso, 0);
            while (!pista.Avanza(paso, d, m)) {}
            const int final = pista.VerDesplazamiento(), tope = T + Longitudes[c] - 480;
            EXPECT_TRUE(final >= tope && final - paso < tope && final % paso == 0) << final;
            Obstaculo* indice = pista.Indice();
            EXPECT_TRUE(pista.Avanza(paso, d, m));
            EXPECT_EQ(pista.VerDesplazamiento(), final);
            EXPECT_EQ(pista.Indice(), indice);
            EXPECT_GE(Lista().back()->VerY(true), final) << "the finish is never left behind";
        }
    }
}

TEST_F(ConPista, TheIndexIsTheFirstObstacleInListOrderNotAboveTheScrollLine)
{
    Prepara(2, 3, 0);
    int d, m;
    while (!pista.Avanza(3, d, m)) {
        std::vector<Obstaculo*> v = Lista();
        size_t i = 0;
        for (; v[i] != pista.Indice(); i++) ASSERT_LT(v[i]->VerY(true), pista.VerDesplazamiento());
        ASSERT_GE(v[i]->VerY(true), pista.VerDesplazamiento());
    }
    // Course 3: the tree of record 139 (bottom 5064) waits behind the gate of 138 (bottom 5082).
    Prepara(3, 1, 5070);
    EXPECT_EQ(pista.Indice(), Lista()[138]);
    Prepara(3, 1, 5083);
    EXPECT_EQ(pista.Indice(), Lista()[140]);
}

TEST_F(ConPista, ErasingAnObstacleRestoresOnlyWhatLiesOnTheScreen)
{
    // Pixels of the visible rows [y0, y1) other than colour, as shown.
    auto distintos = [](int y0, int y1, int color) {
        Entorno::Muestra();
        int n = 0;
        for (int y = y0; y < y1; y++)
            for (int x = 0; x < 640; x++) n += Entorno::Pantalla(x, y) != color;
        return n;
    };
    Obstaculo pino(300, 1000, ClasePino);
    const int blanco = makecol(255, 255, 255), rojo = makecol(255, 0, 0);
    // Screen y = course y - scroll + T + margin; below the screen nothing shows.
    H->ClrFondo(2);
    H->cls(7);
    pino.rBorra(1000 + T - 481, 0);
    pino.rBorra(1000 + T - 480, 0);
    EXPECT_EQ(distintos(0, 480, blanco), 0);
    pino.rBorra(1000 + T - 479, 0);
    EXPECT_EQ(distintos(479, 480, rojo), 640 - 48);
    EXPECT_EQ(pino.VerY(), 1000) << "the course position is kept";
}
