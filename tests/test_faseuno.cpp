// The road phase's rules, one step at a time: walking score and bonus, the
// shop, accidents and their fee, the goal, pausing and abandoning, the
// status line; and a whole phase run on its timer.
#include <gtest/gtest.h>

#include <allegro.h>
#include <chrono>
#include <climits>
#include <cstdio>
#include <thread>
#include <vector>

#include "Entorno.h"
#include "FaseUno.h"
#include "Globales.h"
#include "Hardware.h"
#include "HiScore.h"
#include "Mensajes.h"
#include "Trafico.h"
#include "Zumbelo.h"

class PruebaFaseUno {
public:
    static void Paso(FaseUno& f) { f.Paso(); }
    static int Resultado(FaseUno& f) { return f.resultado; }
    static int& Andados(FaseUno& f) { return f.andados; }
    static uint32_t Ciclos(FaseUno& f) { return f.ciclos; }
};

namespace {

using P = PruebaFaseUno;

class Carretera : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Entorno::ArrancaTodo());
        H->SetFont("DFFontGame_DATA", "DFFontGame_PAL");
        alto = H->TextHeight();
        Dinero = 40;
        Puntos = 0;
        Vidas = 3;
        ProximaVida = 1000;
        Nivel = -1;  // no vehicle is ever tried: the road holds only what a test puts there
        H->SetFondo(3);
        H->DrawFondoBuffer(0, 0, 640, 480, 0, 0);
    }
    void TearDown() override { Entorno::Para(); }

    // The hero standing where a test wants him.
    static Zumbelo* Coloca(FaseUno& f, int x, int y, bool esquis)
    {
        Zumbelo* z = f.VerHeroe();
        if (esquis) z->ConEsqui();
        else z->SinEsqui();
        z->SetX(x);
        z->SetY(y);
        z->SetVelX(0);
        z->SetVelY(0);
        return z;
    }

    // A road phase on its timer, the hero placed, and one vehicle of his
    // carriageway (its limits would move any other away) right on top of him.
    static Zumbelo* PreparaAccidente(FaseUno& f, int x, int y, bool esquis)
    {
        f.Inicia(0);
        Zumbelo* z = Coloca(f, x, y, esquis);
        Vehiculo* v = nullptr;
        while (v == nullptr || v->VerVariante() != (y < 221 ? 1 : -1)) {
            f.VerTrafico()->Destruye();
            f.VerTrafico()->NuevoVehiculo();
            v = f.VerTrafico()->VerUltimo();
        }
        v->SetX(x + z->VerLongX() / 2 - v->VerLongX() / 2);
        v->SetY(y + z->VerLongY() / 2 - v->VerLongY() / 2);
        return z;
    }

    // The status line's strip of the work bitmap.
    std::vector<int> Franja()
    {
        std::vector<int> px;
        for (int y = 0; y < alto; ++y)
            for (int x = 0; x < 640; ++x) px.push_back(getpixel(H->VerBuffer(), x + 200, y + 200));
        return px;
    }

    int alto = 0;
};

// Presses a key once the one before it has been read and some time has passed.
void PulsaCuandoLeido(int scancode, int ascii, int esperaMs)
{
    for (int i = 0; i < 500 && keypressed(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(esperaMs));
    Entorno::PulsaTecla(scancode, ascii);
}

}  // namespace

TEST_F(Carretera, WalkingUpOrDownOverTheRoadScoresAndTheBonusPaysOnce)
{
    for (int velocidad : {1, 7}) {
        FaseUno f(velocidad);
        Coloca(f, 300, 200, false)->SetVelY(f.VerPaso());
        Puntos = 0;
        for (int i = 1; i < 40 / f.VerPaso(); ++i) f.AjustaPuntos();
        EXPECT_EQ(Puntos, 0);
        f.AjustaPuntos();
        EXPECT_EQ(Puntos, 5) << "step " << f.VerPaso();
    }

    // Only over the road, and only walking up or down, counts.
    FaseUno f(1);
    const struct {
        int y, velX, velY, cuenta;
    } casos[] = {{33, 0, 2, 0}, {34, 0, 2, 1}, {380, 0, -2, 0}, {379, 0, -2, 1}, {200, 2, 0, 0}};
    for (const auto& c : casos) {
        Zumbelo* z = Coloca(f, 300, c.y, false);
        z->SetVelX(c.velX);
        z->SetVelY(c.velY);
        P::Andados(f) = 3;
        f.AjustaPuntos();
        EXPECT_EQ(P::Andados(f), 3 + c.cuenta) << "top edge " << c.y;
    }

    // Reaching 1000 points pays 10 dollars, once.
    Coloca(f, 300, 200, false)->SetVelY(2);
    Puntos = 995;
    P::Andados(f) = 19;
    f.AjustaPuntos();
    EXPECT_EQ(Dinero, 50);
    EXPECT_EQ(ProximaVida, 2000);
    for (int i = 0; i < 20; ++i) f.AjustaPuntos();
    EXPECT_EQ(Puntos, 1005);
    EXPECT_EQ(Dinero, 50);
}

TEST_F(Carretera, TheShopSellsSkisAtItsDoorForTenDollars)
{
    FaseUno f(1);
    const struct {
        int x, dinero;
        bool compra;
    } casos[] = {{280, 40, false}, {281, 10, true}, {309, 40, true}, {310, 40, false}, {295, 9, false}};
    for (const auto& c : casos) {
        Zumbelo* z = Coloca(f, c.x, 462 - 32, false);
        Dinero = c.dinero;
        Vidas = 0;
        P::Paso(f);
        EXPECT_EQ(z->VerTipo(), c.compra ? 7 : 6) << "x " << c.x << ", $" << c.dinero;
        EXPECT_EQ(Dinero, c.compra ? c.dinero - 10 : c.dinero);
        EXPECT_EQ(Vidas, c.compra ? 3 : 0);
    }
    f.VerHeroe()->ActualizaMov(0);
    EXPECT_EQ(f.VerHeroe()->VerVelY(), -2) << "turned away, he can still walk off";
}

TEST_F(Carretera, AnAccidentCostsTenDollarsAndSendsAHeroOnFootBackToTheTop)
{
    FaseUno f(1);
    Zumbelo* z = PreparaAccidente(f, 300, 250, false);
    z->SetVelX(2);  // walking sideways
    Dinero = 10;
    P::Paso(f);
    EXPECT_EQ(Dinero, 0);
    EXPECT_EQ(P::Resultado(f), 0) << "no money left is not yet the end";
    EXPECT_EQ(z->VerY(), alto);
    EXPECT_EQ(z->VerX(), 302);
    EXPECT_EQ(z->VerVelX(), 2) << "he goes on walking sideways";
    EXPECT_LE(CiclosTempF1, 2u) << "no catch-up after the ambulance";
}

TEST_F(Carretera, AnAccidentWithSkisLeavesHimAtTheShopAndDebtEndsThePhase)
{
    FaseUno f(7);
    Zumbelo* z = PreparaAccidente(f, 200, 150, true);
    Dinero = 0;
    P::Paso(f);
    EXPECT_EQ(Dinero, -10);
    EXPECT_EQ(P::Resultado(f), -1);
    EXPECT_EQ(z->VerY(), 428);
    EXPECT_EQ(z->VerTipo(), 7);
}

TEST_F(Carretera, TheGoalIsTheTopOfTheScreenReachedWithSkis)
{
    const struct {
        int y;
        bool esquis;
        int resultado;
    } casos[] = {{alto + 7, true, 1}, {alto + 8, true, 0}, {alto + 1, false, 0}};
    for (const auto& c : casos) {
        FaseUno f(1);
        Coloca(f, 300, c.y, c.esquis);
        P::Paso(f);
        EXPECT_EQ(P::Resultado(f), c.resultado) << "top edge " << c.y;
    }
}

TEST_F(Carretera, ThePauseKeyOpensTheOverlayWhoseSecondOptionAbandons)
{
    FaseUno f(1);
    f.Inicia(0);
    f.VerHeroe()->ActualizaMov(3);

    Entorno::PulsaTecla(KEY_ESC, 27);
    Entorno::PulsaTecla(KEY_ENTER, 13);
    P::Paso(f);
    EXPECT_EQ(P::Resultado(f), 0);
    EXPECT_EQ(f.VerHeroe()->VerVelX(), 2) << "back on the road, still walking";
    EXPECT_LE(CiclosTempF1, 2u) << "no catch-up after the pause";

    Entorno::PulsaTecla(KEY_ESC, 27);
    std::thread jugador([] {
        PulsaCuandoLeido(KEY_DOWN, 0, 300);
        PulsaCuandoLeido(KEY_ENTER, 13, 800);  // once the cursor has walked down
    });
    P::Paso(f);
    jugador.join();
    EXPECT_EQ(P::Resultado(f), -127);
}

TEST_F(Carretera, TheStatusLineShowsAnyThreeNumbersInFullAndAShorterOneLeavesNoTrace)
{
    FaseUno f(1);
    // The longest numbers first: the short line drawn next must hide them all.
    for (int valor : {INT_MIN, 40}) {
        Dinero = Puntos = valor;
        Record->GrabaPuntos(valor, 0);
        f.Marcadores();
        const std::vector<int> dibujada = Franja();

        char linea[512];
        snprintf(linea, sizeof linea, "%s%i          %s%i          %s%i ", SMS->Leer(0), valor,
                 SMS->Leer(1), valor, SMS->Leer(2), valor);
        H->DrawFondoBuffer(0, 0, 640, alto, 0, 0);
        H->TextOutCentre(linea, 0, -1, 7);
        EXPECT_TRUE(dibujada == Franja()) << linea;
    }
}

TEST_F(Carretera, AWholePhaseCarriesTheSkisFromTheShopToTheTop)
{
    FaseUno f(1);
    f.Inicia(1);
    EXPECT_EQ(f.VerHeroe()->VerY(), 428);
    f.VerTrafico()->Destruye();
    Entorno::PulsaTecla(KEY_UP, 0);
    EXPECT_EQ(f.Ciclo(), 1);
    // One pixel per step from row 428 to the top.
    EXPECT_GE(P::Ciclos(f), uint32_t(428 - alto - 8));

    const uint32_t t = CiclosTempF1;
    rest(50);
    EXPECT_EQ(CiclosTempF1, t) << "the phase's timer is removed at its end";
}
