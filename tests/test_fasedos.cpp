// The ski phase: crashes, the finish, the money bonus, leaving from the pause
// overlay, the end of the run, the status line, and nothing left behind.
#include <gtest/gtest.h>

#include <allegro.h>
#include <malloc.h>
#include <chrono>
#include <vector>

#include "Constantes.h"
#include "Datos.h"
#include "Entorno.h"
#include "Esquiador.h"
#include "FaseDos.h"
#include "Globales.h"
#include "Hardware.h"
#include "Jugador.h"
#include "Obstaculo.h"
#include "Pista.h"

class PruebaFaseDos {
public:
    static void Paso(FaseDos& f) { f.Paso(); }
    static int Resultado(FaseDos& f) { return f.resultado; }
    static int Choque(FaseDos& f) { return f.choque; }
    // Scrolls the course without drawing past the lead-in up to hasta (or its end).
    static void Desplaza(FaseDos& f, int hasta)
    {
        while ((f.pista->VerMargen() != 0 || f.pista->VerDesplazamiento() < hasta) && !f.fin)
            f.fin = f.pista->Avanza(f.paso, f.desplazamiento, f.margen);
    }
};

class PruebaEsquiador {
public:
    static void Pon(Esquiador& e, int x, int y, int rumbo, int yPista)
    {
        e.x = x, e.y = y, e.variante = rumbo, e.yPista = yPista;
        e.Actualiza();
    }
};

namespace {

using Reloj = std::chrono::steady_clock;
using P = PruebaFaseDos;

class ConFaseDos : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Entorno::ArrancaTodo());
        H->SetFont(FuenteJuego, PaletaJuego);
        T = H->TextHeight();
        Dinero = 40, Puntos = Nivel = 0, Vidas = 3, ProximaVida = 1000;
        f = new FaseDos(6);  // steps of 7 pixels at 28 a second
        f->Inicia();
    }
    void TearDown() override
    {
        delete f;
        EXPECT_FALSE(Entorno::Reloj(Ret2)) << "the phase's tick is removed";
        Entorno::Para();
    }
    // Puts the skier at x, on the row 196 of the screen, with his course row.
    void Pon(int x, int rumbo, int yPista, int hasta)
    {
        P::Desplaza(*f, hasta);
        PruebaEsquiador::Pon(Skier(), x, 196, rumbo, yPista);
    }
    Esquiador& Skier() { return *f->VerEsquiador(); }
    FaseDos* f = nullptr;
    int T = 0;
};

}  // namespace

TEST_F(ConFaseDos, ACrashCostsALifeAndRestartsBelowANewLeadInUntilTheLastLifeEndsTheRun)
{
    Pon(80, 0, 60, 0);  // straight into the tree at (80, 80) of the first course
    const Reloj::time_point antes = Reloj::now();
    P::Paso(*f);
    const double espera = std::chrono::duration<double>(Reloj::now() - antes).count();
    EXPECT_EQ(Vidas * 10 + P::Resultado(*f), 20);
    EXPECT_GT(espera, 2.2) << "the tumble: 500 / 7 ticks at 28 a second";
    EXPECT_EQ(Skier().VerY() * 100 + Skier().VerTipo(), T * 100 + TipoEsquiador);
    EXPECT_EQ(f->VerPista()->VerMargen(), 400);
    const int despl = f->VerPista()->VerDesplazamiento();
    P::Paso(*f);
    EXPECT_EQ(f->VerPista()->VerMargen(), 393);
    EXPECT_EQ(f->VerPista()->VerDesplazamiento(), despl);
    Vidas = 1;
    Pon(80, 0, 60, 0);
    P::Paso(*f);
    EXPECT_EQ(Vidas * 10 + P::Resultado(*f), -1);
}

TEST_F(ConFaseDos, AFinishPostCrashWithLivesLeftEndsTheRunWithOneAndASecondStartReplacesTheFirst)
{
    // As the game-over backdrop does, again and again: each start releases
    // the skier and the course of the one before.
    const struct mallinfo2 antes = mallinfo2();
    for (int n = 0; n < 20; n++) f->Inicia();
    const struct mallinfo2 despues = mallinfo2();
    EXPECT_LT(long(despues.uordblks) - long(antes.uordblks), 20000);
    int obstaculos = 0;
    for (Obstaculo* o = f->VerPista()->VerPrimero(); o != nullptr; o = o->VerSiguiente()) obstaculos++;
    EXPECT_EQ(obstaculos, 43);
    Vidas = 2;
    Pon(280, 0, 2750, 2400);  // the left post of the finish at (280, 2700)
    P::Paso(*f);
    EXPECT_EQ(Vidas * 10 + P::Resultado(*f), 11);
}

TEST_F(ConFaseDos, CrossingTheFinishPays100OnceAndTheHitSteersTheNextStepInsteadOfAKey)
{
    Pon(330, 1, 2725, 2400);  // traversing between the posts of the finish
    for (Obstaculo* o = f->VerPista()->VerPrimero(); o != nullptr; o = o->VerSiguiente())
        if (o->VerTipo() != TipoMeta) o->Pasa();
    P::Paso(*f);
    EXPECT_EQ(Puntos, 100);
    EXPECT_EQ(P::Choque(*f), ChoqueMeta);
    Entorno::PulsaTecla(KEY_LEFT);
    P::Paso(*f);
    EXPECT_EQ(Skier().VerVariante(), 0);
    EXPECT_TRUE(keypressed()) << "the key waits for the next step";
    P::Paso(*f);
    EXPECT_EQ(Skier().VerVariante(), 3);
    EXPECT_EQ(Puntos, 100);
}

TEST_F(ConFaseDos, EveryThousandPointsPayTenDollarsOneBonusPerStep)
{
    // scores set before each step (during the lead-in nothing is touched) -> money
    const int casos[][2] = {{999, 40}, {1000, 50}, {1000, 50}, {3500, 60}, {3500, 70}, {3500, 70}, {3900, 70}};
    for (const auto& c : casos) {
        Puntos = c[0];
        P::Paso(*f);
        EXPECT_EQ(Dinero, c[1]) << "at " << c[0] << " points";
    }
    EXPECT_EQ(ProximaVida, 4000);
}

TEST_F(ConFaseDos, TheRunEndsOnceTheSkierRunsPastRow415AfterTheEndOfTheCourse)
{
    Pon(560, 0, 2600, 100000);
    PruebaEsquiador::Pon(Skier(), 560, 191, 0, 2600);
    int pasos = 0;
    for (; P::Resultado(*f) == 0 && pasos < 100; pasos++) {
        EXPECT_LE(Skier().VerY(), 415);
        P::Paso(*f);
    }
    EXPECT_EQ(P::Resultado(*f), 1);
    EXPECT_EQ(pasos, 17) << "191 + 14 * 16 = 415 is not yet past";
}

TEST_F(ConFaseDos, LeavingFromThePauseOverlayEndsTheRunWithMinus127AndTakesTheCourseDown)
{
    Jugador j;  // the pause key, then down to the second option and Enter, each when the box looks for it
    j.Pulsa(KEY_ESC, 27).Pulsa(KEY_DOWN).Pulsa(KEY_ENTER, 13);
    EXPECT_EQ(f->Ciclo(), -127);
    EXPECT_TRUE(j.Terminado());
    EXPECT_EQ(f->VerEsquiador(), nullptr);
    EXPECT_EQ(f->VerPista()->VerPrimero(), nullptr) << "the course is taken down";
}
