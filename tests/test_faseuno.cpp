// The road phase's rules one step at a time, steered by keys or a gamepad,
// and a whole phase run on its timer.
#include <gtest/gtest.h>

#include <allegro.h>
#include <climits>
#include <string>
#include <vector>

#include "Constantes.h"
#include "Datos.h"
#include "Entorno.h"
#include "FaseUno.h"
#include "Globales.h"
#include "Hardware.h"
#include "HiScore.h"
#include "Jugador.h"
#include "Reglas.h"
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
        H->SetFont(FuenteJuego, PaletaJuego);
        alto = H->TextHeight();
        Dinero = 40, Puntos = 0, Vidas = 3, ProximaVida = 1000;
        Nivel = -1;  // no vehicle is ever tried: the road holds only what a test puts there
        H->SetFondo(DatCarretera0);
        H->DrawFondoBuffer(0, 0, 640, 480, 0, 0);
    }
    void TearDown() override { Entorno::Para(); }

    // The hero standing still where a test wants him.
    static Zumbelo* Coloca(FaseUno& f, int x, int y, bool esquis)
    {
        Zumbelo* z = f.VerHeroe();
        esquis ? z->ConEsqui() : z->SinEsqui();
        z->SetX(x);
        z->SetY(y);
        z->SetVelX(0);
        z->SetVelY(0);
        return z;
    }

    int alto = 0;
};

}  // namespace

TEST_F(Carretera, WalkingUpOrDownOverTheRoadScoresFivePointsEveryFortyPixels)
{
    for (int velocidad : {1, 7}) {  // five points every 40 pixels whatever the step
        FaseUno f(velocidad);
        Coloca(f, 300, 200, false)->SetVelY(f.VerPaso());
        for (int i = 1; i < 40 / f.VerPaso(); ++i) f.AjustaPuntos();
        EXPECT_EQ(Puntos, 0);
        f.AjustaPuntos();
        EXPECT_EQ(Puntos, 5) << "step " << f.VerPaso();
        Puntos = 0;
    }
    // Only over the road, and only walking up or down, counts: top edge, velX, velY -> counted
    FaseUno f(1);
    const int casos[][4] = {{33, 0, 2, 0}, {34, 0, 2, 1}, {380, 0, -2, 0}, {379, 0, -2, 1}, {200, 2, 0, 0}};
    for (const auto& c : casos) {
        Zumbelo* z = Coloca(f, 300, c[0], false);
        z->SetVelX(c[1]);
        z->SetVelY(c[2]);
        P::Andados(f) = 3;
        f.AjustaPuntos();
        EXPECT_EQ(P::Andados(f), 3 + c[3]) << "top edge " << c[0];
    }
}

TEST_F(Carretera, TheShopSellsSkisAtItsDoorForTenDollarsAndTheGoalIsTheTopReachedWithThem)
{
    FaseUno f(1);
    const int casos[][3] = {{280, 40, 0}, {281, 10, 1}, {309, 40, 1}, {310, 40, 0}, {295, 9, 0}};  // x, $ -> buys
    for (const auto& c : casos) {
        Zumbelo* z = Coloca(f, c[0], 462 - 32, false);
        Dinero = c[1];
        Vidas = 0;
        P::Paso(f);
        EXPECT_EQ(z->VerTipo(), c[2] ? TipoConEsquis : TipoAPie) << "x " << c[0] << ", $" << c[1];
        EXPECT_EQ(Dinero * 10 + Vidas, c[2] ? (c[1] - 10) * 10 + 3 : c[1] * 10);
    }
    f.VerHeroe()->ActualizaMov(0);
    EXPECT_EQ(f.VerHeroe()->VerVelY(), -2) << "turned away, he can still walk off";
    const int metas[][3] = {{alto + 7, 1, 1}, {alto + 8, 1, 0}, {alto + 1, 0, 0}};  // top edge, skis -> result
    for (const auto& c : metas) {
        FaseUno g(1);
        Coloca(g, 300, c[0], c[1] == 1);
        P::Paso(g);
        EXPECT_EQ(P::Resultado(g), c[2]) << "top edge " << c[0];
    }
}

TEST_F(Carretera, AnAccidentCostsTenDollarsAndPutsHimBackAndDebtEndsThePhase)
{
    // On foot he goes back to the top, walking on sideways; with skis he stays at the shop.
    struct Caso {
        int velocidad, x, y, esquis, velX, dinero, resultado, yFinal;
    };
    for (const Caso& c : {Caso{1, 300, 250, 0, 2, 10, 0, alto}, Caso{7, 200, 150, 1, 0, 0, -1, 428}}) {
        FaseUno f(c.velocidad);
        f.Inicia(0);
        Zumbelo* z = Coloca(f, c.x, c.y, c.esquis);
        Vehiculo* v = nullptr;  // one of his carriageway (its limits would move any other away) on top of him
        while (v == nullptr || v->VerVariante() != (c.y < 221 ? 1 : -1)) {
            f.VerTrafico()->Destruye();
            f.VerTrafico()->NuevoVehiculo();
            v = f.VerTrafico()->VerUltimo();
        }
        v->SetX(c.x + z->VerLongX() / 2 - v->VerLongX() / 2);
        v->SetY(c.y + z->VerLongY() / 2 - v->VerLongY() / 2);
        z->SetVelX(c.velX);
        Dinero = c.dinero;
        P::Paso(f);
        EXPECT_EQ(Dinero, c.dinero - 10);
        EXPECT_EQ(P::Resultado(f), c.resultado) << "no money left is not yet the end";
        EXPECT_EQ(z->VerY() * 10 + z->VerTipo(), c.yFinal * 10 + (c.esquis ? TipoConEsquis : TipoAPie));
        if (!c.esquis) {
            EXPECT_EQ(z->VerX() * 10 + z->VerVelX(), 3022) << "he goes on walking sideways";
            EXPECT_LE(CiclosTempF1, 2u) << "no catch-up after the ambulance";
        }
    }
}

TEST_F(Carretera, ThePauseKeyOrTheSecondButtonOpensTheOverlayWhoseSecondOptionAbandons)
{
    FaseUno f(1);
    f.Inicia(0);
    f.VerTrafico()->Destruye();
    Entorno::ConMando();
    Zumbelo* z = Coloca(f, 300, 100, false);
    Entorno::Empuja(0, 0, 100);  // down on the stick, held over many steps
    for (int i = 0; i < 20; ++i) P::Paso(f);
    const int y = z->VerY();
    EXPECT_GT(y, 110);
    Entorno::Empuja(0, 0, 0);
    for (int i = 0; i < 20; ++i) P::Paso(f);
    EXPECT_EQ(z->VerY(), y + 20) << "let go, he walks on as after a key";
    Entorno::Empuja(1, -128, 0);  // left on the direction pad
    P::Paso(f);
    EXPECT_EQ(z->VerVelX() * 10 + z->VerVelY(), -20);
    {
        // The second button opens the pause box; the first, pressed there, goes back to the road.
        Jugador j;
        j.Haz([] { Entorno::Boton(1, true); }).Haz([] { Entorno::Boton(0, true); });
        P::Paso(f);
        EXPECT_TRUE(j.Terminado());
    }
    EXPECT_EQ(P::Resultado(f), 0);
    EXPECT_EQ(z->VerVelX(), -2) << "back on the road, still walking";
    EXPECT_LE(CiclosTempF1, 2u) << "no catch-up after the pause";
    Jugador j;  // the pause key, then down to the second option and Enter
    j.Pulsa(KEY_ESC, 27).Pulsa(KEY_DOWN).Pulsa(KEY_ENTER, 13);
    P::Paso(f);
    EXPECT_TRUE(j.Terminado());
    EXPECT_EQ(P::Resultado(f), -127);
}

TEST_F(Carretera, TheStatusLineShowsAnyThreeNumbersInFullAndAShorterOneLeavesNoTrace)
{
    FaseUno f(1);
    for (int valor : {INT_MIN, 40}) {  // the longest numbers first: the short line next must hide them all
        Dinero = Puntos = valor;
        Record->GrabaPuntos(valor, 0);
        f.Marcadores();
        const std::vector<int> dibujada = Entorno::Vista(0, alto);
        char linea[LargoMarcador];
        EscribeMarcador(linea, sizeof linea);
        const std::string texto = linea, fin = std::to_string(valor) + " ";
        ASSERT_GE(texto.size(), fin.size());
        EXPECT_EQ(texto.substr(texto.size() - fin.size()), fin) << "the best score, last, is whole";
        H->DrawFondoBuffer(0, 0, 640, alto, 0, 0);
        H->TextOutCentre(linea, 0, -1, 7);
        EXPECT_TRUE(dibujada == Entorno::Vista(0, alto)) << linea;
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
    EXPECT_GE(P::Ciclos(f), uint32_t(428 - alto - 8)) << "one pixel per step from row 428 to the top";
    EXPECT_FALSE(Entorno::Reloj(Ret1)) << "the phase's tick is removed at its end";
}
