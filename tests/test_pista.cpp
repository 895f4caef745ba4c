// The ski courses: the course chosen by level and built from the table, the lead-in, the
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

// The first record of each course in the table: the courses lie back to
// back, each ending with its finish.
std::vector<const int16_t*> Cursos()
{
    std::vector<const int16_t*> v = {TablaPistas};
    for (int i = 0; i < ValoresTablaPistas; i += ValoresPorObstaculo) {
        const int clase = TablaPistas[i + 2];
        if (clase == ClaseMetaAncha || clase == ClaseMetaEstrecha) v.push_back(TablaPistas + i + ValoresPorObstaculo);
    }
    return v;
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

TEST_F(ConPista, TheLevelChoosesTheCourseEachRecordBecomesAnObstacleAndNoneOutlivesItsCourse)
{
    const int curso[9] = {0, 1, 2, 3, 1, 2, 3, 1, 2};  // course 0 only once per game
    const std::vector<const int16_t*> cursos = Cursos();
    ASSERT_EQ(cursos.size(), 5u) << "four courses, the last record a finish";
    for (int nivel = 0; nivel < 9; nivel++) {
        Nivel = nivel;
        pista.Init();
        const int c = curso[nivel];
        ASSERT_EQ(pista.VerNumPista(), c) << "level " << nivel;
        const std::vector<Obstaculo*> v = Lista();
        ASSERT_EQ(v.size() * ValoresPorObstaculo, size_t(cursos[c + 1] - cursos[c])) << "level " << nivel;
        for (size_t i = 0; i < v.size(); i++) {
            const int16_t* r = cursos[c] + ValoresPorObstaculo * i;
            EXPECT_TRUE(v[i]->VerX() == r[0] && v[i]->VerY() == r[1] && !v[i]->VerPasado()) << "record " << i;
        }
        EXPECT_EQ(v.back()->VerTipo(), TipoMeta);
        pista.DeInit();
        EXPECT_EQ(pista.VerPrimero(), nullptr);
    }
    // A second Init without DeInit, as the game-over backdrop does, starts afresh.
    Prepara(3, 7, 300);
    for (Obstaculo* o : Lista()) o->Pasa();
    Nivel = 2;
    pista.Init();
    EXPECT_EQ(pista.VerNumPista(), 2);
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
            const int final = pista.VerDesplazamiento(), tope = T + pista.VerLongitud() - 480;
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
