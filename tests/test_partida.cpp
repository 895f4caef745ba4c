// One game's flow: the order of the phases, the level,
// the game-over screen, the place a score takes, and the name entry of a new
// record with what "scores.his" holds afterwards. The phases are scripted:
// each run returns the result the test asks for.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Configuracion.h"
#include "Entorno.h"
#include "FaseUno.h"
#include "Globales.h"
#include "Hardware.h"
#include "HiScore.h"
#include "Jugador.h"
#include "Partida.h"

namespace {

// What the scripted phases return, in order, and what they saw.
std::vector<int> guion;
size_t siguiente = 0;
std::string registro;
int puntosAlAbandonar = -1;  // given up on the slope with these points
bool cierraEnPista = false;  // the window is closed on the slope instead

int Siguiente() { return siguiente < guion.size() ? guion[siguiente++] : -127; }

int CarreteraGuionada(FaseUno*, int estado)
{
    registro += "road " + std::to_string(estado) + " at level " + std::to_string(Nivel) + "; ";
    return Siguiente();
}

int PistaGuionada(FaseDos*)
{
    registro += "ski; ";
    const int r = Siguiente();
    if (r == -127 && puntosAlAbandonar >= 0) {
        Puntos = puntosAlAbandonar;
        if (cierraEnPista) H->PideCierre();
    }
    return r;
}

// The table as the next start of the game reads it from "scores.his".
typedef std::vector<std::pair<std::string, int>> Tabla;
Tabla TablaEnDisco()
{
    HiScore leida;
    Tabla t;
    for (int r = 0; r < 10; r++) t.push_back({leida.LeeNombre(r), leida.LeePuntos(r)});
    return t;
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
        Game = new Partida;
    }
    void TearDown() override
    {
        delete Game;
        Game = nullptr;
        Entorno::Para();
    }

    // Plays a game whose phases return the results given, in order; a name
    // asked for is typed as "Tenaz".
    static void JuegaGuionada(const std::vector<int>& resultados, int puntos, bool cierra)
    {
        guion = resultados;
        siguiente = 0;
        registro.clear();
        puntosAlAbandonar = puntos;
        cierraEnPista = cierra;
        H->cls(0);
        delete Game;
        Game = new Partida;
        Game->juegaUno = CarreteraGuionada;
        Game->juegaDos = PistaGuionada;
        Jugador j;
        j.Escribe("Tenaz\r");
        Game->Play();
    }
    // The name entry at rank with the presses given, then the table on disk.
    static Tabla Introduce(int rank, int puntos, const std::function<void(Jugador&)>& teclas)
    {
        Jugador j;
        teclas(j);
        Puntos = puntos;
        Game->GrabaRecord(rank);
        EXPECT_TRUE(j.Terminado());
        return TablaEnDisco();
    }

    static int Puesto() { return Game->Puesto(); }
};

TEST_F(PruebaPartida, RoadAndSlopeAlternateUntilTheMoneyRunsOutOrThePlayerGivesUp)
{
    const struct {
        std::vector<int> resultados;
        const char* recorrido;
        int nivel;
        bool finDePartida;  // the game-over screen: only when the money ran out
        int puntosAlAbandonar;
        bool cierra;
    } casos[] = {
        {{-1}, "road 0 at level 0; ", 0, true, -1, false},
        // Completed runs raise the level and send him back with his skis.
        {{1, 1, 1, 1, -127}, "road 0 at level 0; ski; road 1 at level 1; ski; road 1 at level 2; ", 2, false, -1, false},
        // Broken skis keep the level and send him back on foot.
        {{1, -1, 1, 1, -1}, "road 0 at level 0; ski; road -1 at level 0; ski; road 1 at level 1; ", 1, true, -1, false},
        // Given up on the slope with 950 points, between the default 1000 and 900.
        {{1, -127}, "road 0 at level 0; ski; ", 0, false, 950, false},
        // The window closed on the slope with the best score yet: the game is
        // dropped, with no name asked and nothing stored. Last: it ends every screen.
        {{1, -127}, "road 0 at level 0; ski; ", 0, false, 5000, true},
    };
    for (const auto& c : casos) {
        JuegaGuionada(c.resultados, c.puntosAlAbandonar, c.cierra);
        EXPECT_EQ(registro, c.recorrido);
        EXPECT_EQ(Nivel, c.nivel) << c.recorrido;
        int rojos = 0;  // the game-over banner: a run of red across row 202 of the screen kept for the fade
        Entorno::MuestraFondo();
        for (int x = 0; x < 640; x++) rojos += Entorno::Pantalla(x, 202) == makecol16(255, 0, 0);
        EXPECT_EQ(rojos > 20, c.finDePartida) << c.recorrido;
    }
    // The game given up still went through the high-score check; the one
    // dropped with the closed window did not.
    EXPECT_STREQ(Record->LeeNombre(1), "Tenaz");
    const int puntos[3] = {1000, 950, 900};
    for (int r = 0; r < 3; r++) EXPECT_EQ(Record->LeePuntos(r), puntos[r]);
    EXPECT_EQ(TablaEnDisco()[0].second, 1000) << "the file holds no entry of the dropped game";
}

TEST_F(PruebaPartida, AScoreRanksBelowEqualScoresAndAboveLowerOnes)
{
    // The default table: 1000, 900, ..., 100.
    const int casos[][2] = {{1001, 0}, {1000, 1}, {999, 1}, {901, 1}, {900, 2}, {101, 9}, {100, 10}, {0, 10}};
    for (const auto& c : casos) {
        Puntos = c[0];
        EXPECT_EQ(Puesto(), c[1]) << "score " << c[0];
    }
    Record->GrabaPuntos(-5, 9);  // a score of 0 enters only above a negative entry
    Puntos = 0;
    EXPECT_EQ(Puesto(), 9);
}

TEST_F(PruebaPartida, TheNameTakesNineLettersDigitsAndSignsButNoSpacesHyphensOrStops)
{
    const struct {
        const char* tecleado;
        bool sinCaracter;  // typed after the first letter: keys without a 7-bit character
        const char* guardado;
    } casos[] = {
        {"ABCDEFGHIJ\r", false, "ABCDEFGHI"},  // the tenth letter is ignored
        {"\b\bABC\b\r", false, "AB"},          // Backspace on an empty name does nothing
        {" a-Z.9{@~_\r", false, "aZ9@_"},      // case kept; ':' to '@' and '[' to '`' go in
        {"AB\r", true, "AB"},
        {"\r", false, ""},                     // Enter on an empty name stores it empty
    };
    // Cursor keys, F1, an accented letter, the euro sign and a Cyrillic letter.
    const std::pair<int, int> sinCaracter[] = {{KEY_LEFT, 0}, {KEY_UP, 0},       {KEY_F1, 0},      {KEY_A, 0xE1},
                                               {KEY_E, 0x20AC}, {KEY_E, 0x20AC}, {KEY_D, 0x0434}};
    for (const auto& c : casos) {
        const Tabla t = Introduce(0, 5000, [&](Jugador& j) {
            j.Escribe(std::string(c.tecleado, 1).c_str());
            if (c.sinCaracter)
                for (const auto& k : sinCaracter) j.Pulsa(k.first, k.second);
            j.Escribe(c.tecleado + 1);
        });
        EXPECT_EQ(t[0], std::make_pair(std::string(c.guardado), 5000));
    }
}
