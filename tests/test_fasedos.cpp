// The ski phase: crashes against trees and finish posts, crossing the finish,
// the money bonus, leaving from the pause overlay, the end of the run, the
// status line, and nothing left behind by a run.
#include <gtest/gtest.h>

#include <allegro.h>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "Entorno.h"
#include "Esquiador.h"
#include "FaseDos.h"
#include "Globales.h"
#include "Hardware.h"
#include "HiScore.h"
#include "Mensajes.h"
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
        e.x = x;
        e.y = y;
        e.variante = rumbo;
        e.yPista = yPista;
        e.Actualiza();
    }
};

namespace {

using Reloj = std::chrono::steady_clock;

class ConFaseDos : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Entorno::ArrancaTodo());
        H->SetFont("DFFontGame_DATA", "DFFontGame_PAL");
        T = H->TextHeight();
        Dinero = 40;
        Puntos = Nivel = 0;
        Vidas = 3;
        ProximaVida = 1000;
        f = new FaseDos(6);  // steps of 7 pixels at 28 a second
        f->Inicia();
    }
    void TearDown() override
    {
        delete f;
        EXPECT_EQ(Obstaculo::VerVivos(), 0);
        EXPECT_EQ(Esquiador::VerVivos(), 0);
        CiclosTempF2 = 0;
        rest(100);
        EXPECT_EQ(CiclosTempF2, 0u) << "the tick was removed";
        Entorno::Para();
    }
    // Puts the skier at x, on the row 196 of the screen, with his course row.
    void Pon(int x, int rumbo, int yPista, int hasta)
    {
        PruebaFaseDos::Desplaza(*f, hasta);
        PruebaEsquiador::Pon(*f->VerEsquiador(), x, 196, rumbo, yPista);
    }
    Esquiador& Skier() { return *f->VerEsquiador(); }
    FaseDos* f = nullptr;
    int T = 0;
};

}  // namespace

TEST_F(ConFaseDos, ATreeCrashCostsALifeAndRestartsTheSkierAtTheTopBelowANewLeadIn)
{
    Pon(80, 0, 60, 0);  // straight into the tree at (80, 80) of the first course
    const Reloj::time_point antes = Reloj::now();
    PruebaFaseDos::Paso(*f);
    const double espera = std::chrono::duration<double>(Reloj::now() - antes).count();
    EXPECT_EQ(Vidas, 2);
    EXPECT_EQ(PruebaFaseDos::Resultado(*f), 0);
    EXPECT_TRUE(espera > 2.2 && espera < 3.5) << espera << " s: 500 / 7 ticks at 28 a second";
    EXPECT_EQ(Skier().VerY(), T);
    EXPECT_EQ(Skier().VerTipo(), 8);
    EXPECT_EQ(f->VerPista()->VerMargen(), 400);
    const int despl = f->VerPista()->VerDesplazamiento();
    PruebaFaseDos::Paso(*f);
    EXPECT_EQ(f->VerPista()->VerMargen(), 393);
    EXPECT_EQ(f->VerPista()->VerDesplazamiento(), despl);
}

TEST_F(ConFaseDos, TheLastLifeEndsTheRunWithMinusOneAndAPostCrashWithLivesLeftWithOne)
{
    Vidas = 1;
    Pon(80, 0, 60, 0);
    PruebaFaseDos::Paso(*f);
    EXPECT_EQ(Vidas, 0);
    EXPECT_EQ(PruebaFaseDos::Resultado(*f), -1);

    f->Inicia();
    Vidas = 2;
    Pon(280, 0, 2750, 2400);  // the left post of the finish at (280, 2700)
    PruebaFaseDos::Paso(*f);
    EXPECT_EQ(Vidas, 1);
    EXPECT_EQ(PruebaFaseDos::Resultado(*f), 1);
}

TEST_F(ConFaseDos, CrossingTheFinishPays100OnceAndTheHitSteersTheNextStepInsteadOfAKey)
{
    Pon(330, 1, 2725, 2400);  // traversing between the posts of the finish
    for (Obstaculo* o = f->VerPista()->VerPrimero(); o != nullptr; o = o->VerSiguiente())
        if (o->VerTipo() != 15) o->Pasa();
    PruebaFaseDos::Paso(*f);
    EXPECT_EQ(Puntos, 100);
    EXPECT_EQ(PruebaFaseDos::Choque(*f), 1);
    int azules = 0;  // message 8 on blue at row 50
    for (int y = 50; y < 50 + T; y++)
        for (int x = 0; x < 640; x++)
            azules += getpixel(H->VerBuffer(), x + Hardware::Margen, y + Hardware::Margen) == H->VerColor(1);
    EXPECT_GT(azules, 200);

    Entorno::PulsaTecla(KEY_LEFT);
    PruebaFaseDos::Paso(*f);
    EXPECT_EQ(Skier().VerVariante(), 0);
    EXPECT_TRUE(keypressed()) << "the key waits for the next step";
    PruebaFaseDos::Paso(*f);
    EXPECT_EQ(Skier().VerVariante(), 3);
    EXPECT_EQ(Puntos, 100);
}

TEST_F(ConFaseDos, EveryThousandPointsPayTenDollarsOneBonusPerStep)
{
    // scores set before each step (during the lead-in nothing is touched) -> money
    const int casos[][2] = {{999, 40}, {1000, 50}, {1000, 50}, {3500, 60}, {3500, 70}, {3500, 70}, {3900, 70}};
    for (const auto& c : casos) {
        Puntos = c[0];
        PruebaFaseDos::Paso(*f);
        EXPECT_EQ(Dinero, c[1]) << "at " << c[0] << " points";
    }
    EXPECT_EQ(ProximaVida, 4000);
}

TEST_F(ConFaseDos, TheRunEndsOnceTheSkierRunsPastRow415AfterTheEndOfTheCourse)
{
    Pon(560, 0, 2600, 100000);
    PruebaEsquiador::Pon(Skier(), 560, 191, 0, 2600);
    int pasos = 0;
    for (; PruebaFaseDos::Resultado(*f) == 0 && pasos < 100; pasos++) {
        EXPECT_LE(Skier().VerY(), 415);
        PruebaFaseDos::Paso(*f);
    }
    EXPECT_EQ(PruebaFaseDos::Resultado(*f), 1);
    EXPECT_EQ(pasos, 17) << "191 + 14 * 16 = 415 is not yet past";
}

TEST_F(ConFaseDos, LeavingFromThePauseOverlayEndsTheRunAtOnceEvenOnAStepThatWouldCrash)
{
    Pon(280, 0, 2750, 2400);  // on a finish post
    Entorno::PulsaTecla(KEY_ESC, 27);
    Reloj::time_point enter;
    std::thread teclas([&enter] {
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        Entorno::PulsaTecla(KEY_DOWN);
        // The walk down ends by emptying the key buffer: confirm after it.
        std::this_thread::sleep_for(std::chrono::milliseconds(900));
        enter = Reloj::now();
        Entorno::PulsaTecla(KEY_ENTER, 13);
    });
    const int r = f->Ciclo();
    const Reloj::time_point vuelta = Reloj::now();
    teclas.join();
    EXPECT_EQ(r, -127);
    EXPECT_EQ(Vidas, 3) << "nothing more happens in an abandoned run";
    EXPECT_LT(std::chrono::duration<double>(vuelta - enter).count(), 1.6) << "no two-second rest";
    EXPECT_EQ(f->VerEsquiador(), nullptr);
    EXPECT_EQ(Obstaculo::VerVivos(), 0);
}

TEST_F(ConFaseDos, ARunStartedOnlyAsABackdropIsReleasedWithThePhase)
{
    f->Inicia();
    EXPECT_EQ(Esquiador::VerVivos(), 1) << "a second start replaces the first skier";
    EXPECT_EQ(Obstaculo::VerVivos(), 43) << "and the first course";
}

TEST_F(ConFaseDos, TheStatusLineShowsMoneyScoreAndBestWhateverTheirSizeAndLeavesNoTrace)
{
    auto franja = [this] {  // the status band of the work bitmap
        std::vector<int> v;
        for (int y = 0; y < T; y++)
            for (int x = 0; x < 640; x++) v.push_back(getpixel(H->VerBuffer(), x + Hardware::Margen, y + Hardware::Margen));
        return v;
    };
    // The longest numbers first: the short line drawn next must hide them all.
    for (int valor : {INT32_MIN, 0}) {
        Dinero = Puntos = valor;
        Record->GrabaPuntos(valor, 0);
        char esperado[256];
        std::snprintf(esperado, sizeof esperado, "%s%i          %s%i          %s%i ", SMS->Leer(0), valor,
                      SMS->Leer(1), valor, SMS->Leer(2), valor);
        f->Marcadores();
        const std::vector<int> dibujada = franja();
        H->cls(7);
        const std::vector<int> blanca = franja();
        H->TextOutCentre(esperado, 0, -1, 7);
        EXPECT_NE(franja(), blanca);
        EXPECT_EQ(dibujada, franja()) << esperado;
    }
}
