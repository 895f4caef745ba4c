// One game's flow: its starting values, the order of the phases, the level,
// the game-over screen and the high-score check. The phases are scripted:
// each run returns the result the test asks for.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Configuracion.h"
#include "Entorno.h"
#include "FaseUno.h"
#include "Globales.h"
#include "Hardware.h"
#include "HiScore.h"
#include "InyectorTeclas.h"
#include "Partida.h"

namespace {

// What the scripted phases return, in order, and what they saw.
std::vector<int> guion;
size_t siguiente = 0;
std::vector<std::string> registro;
std::vector<int> nivelesCarretera;
int puntosAlAbandonar = -1;
InyectorTeclas* jugador = nullptr;

int Siguiente()
{
    return siguiente < guion.size() ? guion[siguiente++] : -127;
}

int CarreteraGuionada(FaseUno*, int estado)
{
    registro.push_back("carretera " + std::to_string(estado));
    nivelesCarretera.push_back(Nivel);
    return Siguiente();
}

int PistaGuionada(FaseDos*)
{
    registro.push_back("pista");
    const int r = Siguiente();
    if (r == -127 && puntosAlAbandonar >= 0) {
        // The player gives up with a good score and will type his name.
        Puntos = puntosAlAbandonar;
        jugador = InyectorTeclas::TrasVaciado(InyectorTeclas::Texto("Tenaz\r"));
    }
    return r;
}

}  // namespace

class PruebaPartida : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Each case starts from the default table and settings.
        std::remove("scores.his");
        std::remove("zumbelo.cfg");
        ASSERT_TRUE(Entorno::ArrancaTodo());
        guion.clear();
        siguiente = 0;
        registro.clear();
        nivelesCarretera.clear();
        puntosAlAbandonar = -1;
    }
    void TearDown() override
    {
        delete Game;
        Game = nullptr;
        Entorno::Para();
    }

    // A game whose phases return the results given, in order.
    static Partida* Guionada(std::vector<int> resultados)
    {
        guion = resultados;
        H->cls(0);
        Game = new Partida;
        Game->juegaUno = CarreteraGuionada;
        Game->juegaDos = PistaGuionada;
        return Game;
    }

    static int Puesto(Partida* p) { return p->Puesto(); }
    static FaseUno* Carretera(Partida* p) { return p->faseUno; }

    // The game-over banner: its left end, two spaces of red, at row 200 of the screen kept
    // as the background for the fade.
    static bool BandaRoja()
    {
        const int rojo = makecol16(255, 0, 0);
        int fila = 0;
        for (int x = 0; x < 640; x++) {
            if (getpixel(H->VerFondo(), x, 202) == rojo) fila++;
        }
        return fila > 20;
    }
};

TEST_F(PruebaPartida, ANewGameStartsFromScratchWhateverTheLastOneLeft)
{
    Dinero = -10;
    Puntos = 98765;
    Vidas = 0;
    Nivel = 9;
    ProximaVida = 99000;
    Config->SetSpeed();
    Config->SetSpeed();
    Config->SetSpeed();
    const int s = Config->VerSpeed();

    Game = new Partida;
    EXPECT_EQ(Dinero, 40);
    EXPECT_EQ(Puntos, 0);
    EXPECT_EQ(Vidas, 3);
    EXPECT_EQ(Nivel, 0);
    EXPECT_EQ(ProximaVida, 1000);
    // The frame-skipping setting as it stands when the game is made.
    EXPECT_EQ(Carretera(Game)->VerPaso(), s + 2);
}

TEST_F(PruebaPartida, OutOfMoneyOnTheRoadSkipsTheSlopeAndShowsTheGameOverScreen)
{
    Guionada({-1})->Play();
    EXPECT_EQ(registro, (std::vector<std::string>{"carretera 0"}));
    EXPECT_EQ(Nivel, 0);
    EXPECT_TRUE(BandaRoja());
}

TEST_F(PruebaPartida, CompletedRunsRaiseTheLevelAndSendTheHeroBackWithHisSkis)
{
    Guionada({1, 1, 1, 1, -127})->Play();
    EXPECT_EQ(registro, (std::vector<std::string>{"carretera 0", "pista", "carretera 1", "pista",
                                                  "carretera 1"}));
    // Two completed runs: level 2 at the third road phase.
    EXPECT_EQ(nivelesCarretera, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Nivel, 2);
    // Given up on the road: no game-over screen.
    EXPECT_FALSE(BandaRoja());
}

TEST_F(PruebaPartida, BrokenSkisKeepTheLevelAndSendTheHeroBackOnFoot)
{
    Guionada({1, -1, 1, 1, -1})->Play();
    EXPECT_EQ(registro, (std::vector<std::string>{"carretera 0", "pista", "carretera -1", "pista",
                                                  "carretera 1"}));
    EXPECT_EQ(nivelesCarretera, (std::vector<int>{0, 0, 1}));
    EXPECT_TRUE(BandaRoja());
}

TEST_F(PruebaPartida, GivingUpOnTheSlopeEndsTheGameWithoutTheGameOverScreen)
{
    Guionada({1, -127})->Play();
    EXPECT_EQ(registro, (std::vector<std::string>{"carretera 0", "pista"}));
    EXPECT_EQ(Nivel, 0);
    EXPECT_FALSE(BandaRoja());
}

TEST_F(PruebaPartida, AGameGivenUpStillEntersTheHallOfFame)
{
    puntosAlAbandonar = 950;  // between the default 1000 and 900
    Guionada({1, -127})->Play();
    delete jugador;
    jugador = nullptr;
    EXPECT_STREQ(Record->LeeNombre(1), "Tenaz");
    EXPECT_EQ(Record->LeePuntos(1), 950);
    EXPECT_EQ(Record->LeePuntos(0), 1000);
    EXPECT_EQ(Record->LeePuntos(2), 900);
}

TEST_F(PruebaPartida, AScoreRanksBelowEqualScoresAndAboveLowerOnes)
{
    // The default table: 1000, 900, ..., 100.
    Game = new Partida;
    const struct {
        int puntos;
        int puesto;
    } casos[] = {{1001, 0}, {1000, 1}, {999, 1}, {901, 1}, {900, 2}, {101, 9}, {100, 10}, {0, 10}};
    for (const auto& c : casos) {
        Puntos = c.puntos;
        EXPECT_EQ(Puesto(Game), c.puesto) << "score " << c.puntos;
    }
    // A score of 0 enters only above a negative entry.
    Record->GrabaPuntos(-5, 9);
    Puntos = 0;
    EXPECT_EQ(Puesto(Game), 9);
}
