// The slope: the course's lead-in, scroll and index; the skier's turns and
// his collision pass over gates and the finish; and the phase's crashes,
// finish, bonus, pause and end of the run.
#include <gtest/gtest.h>

#include <allegro.h>
#include <malloc.h>
#include <chrono>
#include <cstring>
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
#include "TablaPistas.h"

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
    // Screen position, heading, course row and ticks since the last key.
    static void Pon(Esquiador& e, int x, int y, int rumbo, int yPista, int inactivo = 0)
    {
        e.x = x, e.y = y, e.variante = rumbo, e.yPista = yPista, e.inactivo = inactivo;
        e.Actualiza();
    }
    // The ticks since the last key, and the course row.
    static int Inactivo(const Esquiador& e) { return e.inactivo; }
    static int YPista(const Esquiador& e) { return e.yPista; }
};

namespace {

using Reloj = std::chrono::steady_clock;
using P = PruebaFaseDos;

// The game started with a sound card, so samples really play.
class Nieve : public ::testing::Test {
protected:
    void SetUp() override
    {
        Entorno::SonidoEnArchivo("/dev/null");
        ASSERT_TRUE(Entorno::ArrancaTodo());
        H->SetFont(FuenteJuego, PaletaJuego);
        T = H->TextHeight();
        Dinero = 40, Puntos = Nivel = 0, Vidas = 3, ProximaVida = 1000;
    }
    void TearDown() override { Entorno::Para(); }
    int T = 0;
};

class ConEsquiador : public Nieve {
protected:
    void SetUp() override
    {
        Nieve::SetUp();
        e = new Esquiador;
        datos = load_datafile(ArchivoDatos);  // the samples the pass should play
    }
    void TearDown() override
    {
        delete e;
        unload_datafile(datos);
        Nieve::TearDown();
    }
    // True when a voice plays the sample of datafile object n; stops every voice.
    bool Suena(int n)
    {
        const SAMPLE* ref = static_cast<SAMPLE*>(datos[n].dat);
        bool suena = false;
        for (int v = 0; v < 256; v++) {
            SAMPLE* s = voice_check(v);
            if (s == nullptr) continue;
            suena = suena || (s->len == ref->len && std::memcmp(s->data, ref->data, ref->len * ref->bits / 8) == 0);
            stop_sample(s);
        }
        return suena;
    }
    // Places the skier on the course at (x, yPista), links the obstacles in the order given and runs the pass.
    int Pasa(int x, int yPista, int rumbo, std::initializer_list<Obstaculo*> l, int despl = 0)
    {
        for (auto o = l.begin(); o != l.end(); ++o) (*o)->GrabarSiguiente(o + 1 != l.end() ? o[1] : nullptr);
        PruebaEsquiador::Pon(*e, x, 150, rumbo, yPista);
        const int r = e->Choque(*l.begin(), despl);
        EXPECT_EQ(e->VerY(), 150) << "the screen row comes back after the pass";
        return r;
    }
    Esquiador* e = nullptr;
    DATAFILE* datos = nullptr;
};

class ConFaseDos : public Nieve {
protected:
    void SetUp() override
    {
        Nieve::SetUp();
        f = new FaseDos(6);  // steps of 7 pixels at 28 a second
        f->Inicia();
    }
    void TearDown() override
    {
        delete f;
        EXPECT_FALSE(Entorno::Reloj(Ret2)) << "the phase's tick is removed";
        Nieve::TearDown();
    }
    // Puts the skier at x, on the row 196 of the screen, with his course row.
    void Pon(int x, int rumbo, int yPista, int hasta)
    {
        P::Desplaza(*f, hasta);
        PruebaEsquiador::Pon(Skier(), x, 196, rumbo, yPista);
    }
    Esquiador& Skier() { return *f->VerEsquiador(); }
    FaseDos* f = nullptr;
};

}  // namespace

TEST_F(ConEsquiador, EachPressTurnsOneStepDownPointsStraightDownAndHoldingHeightDriftsBack)
{
    EXPECT_TRUE(e->VerX() == 320 && e->VerY() == T && e->VerVariante() == 0 && e->VerTipo() == TipoEsquiador);
    const int giro[5][2] = {{3, 1}, {0, 2}, {1, 2}, {4, 0}, {4, 3}};  // after left, after right
    for (int rumbo = 0; rumbo < 5; rumbo++) {
        for (int accion = 0; accion <= 5; accion++) {
            PruebaEsquiador::Pon(*e, 300, 100, rumbo, 0, 15);
            e->Avanza(accion, 1, 0, false, 0);
            const int esperado = accion == 1 ? 0 : accion == 2 || accion == 3 ? giro[rumbo][accion - 2] : rumbo;
            EXPECT_EQ(e->VerVariante(), esperado) << "heading " << rumbo << " action " << accion;
            EXPECT_EQ(PruebaEsquiador::Inactivo(*e), 0);
        }
        PruebaEsquiador::Pon(*e, 300, 200, rumbo, 0);
        for (int i = 0; i < 20; i++) e->Avanza(-1, 1, 0, false, 0);
        EXPECT_EQ(e->VerVariante(), rumbo) << "20 ticks without a key";
        e->Avanza(-1, 1, 0, false, 0);
        const bool sube = rumbo == 2 || rumbo == 4;
        EXPECT_EQ(e->VerVariante() * 100 + PruebaEsquiador::Inactivo(*e), sube ? (rumbo - 1) * 100 : rumbo * 100 + 21) << "tick 21";
    }
}

TEST_F(ConEsquiador, AGateIsScoredOnceThroughItsMiddleOrPenalisedOnceWithItsSound)
{
    Obstaculo g1(200, 100, 14), g2(200, 100, 14), g3(200, 100, 14), g4(200, 100, 14), g5(200, 100, 14);  // 84 x 32
    EXPECT_EQ(Pasa(226, 77, 0, {&g1}), ChoqueNada);  // the middle row has not reached the top yet
    EXPECT_EQ(Puntos, 0);
    for (int fila : {78, 90, 200}) EXPECT_EQ(Pasa(226, fila, 0, {&g1}), ChoqueNada) << "a gate never stops the skier";
    EXPECT_EQ(Puntos, 10) << "scored once and never missed afterwards";
    Pasa(183, 90, 0, {&g2});  // middle column just outside on the left
    Pasa(269, 90, 0, {&g3});  // and on the right
    Pasa(268, 90, 0, {&g4});
    EXPECT_TRUE(!g2.VerPasado() && !g3.VerPasado() && g4.VerPasado());
    EXPECT_FALSE(Suena(DatAhh));
    Pasa(226, 200, 0, {&g5});  // centred, but never touched: missed
    EXPECT_EQ(Puntos, 10);
    EXPECT_TRUE(Suena(DatAhh));
    Nivel = 2;  // the fee grows with the level
    Puntos = 100;
    Obstaculo ancha(200, 100, ClaseBanderaAncha);  // bottom edge 132
    for (const auto& c : {std::make_pair(132, 100), std::make_pair(133, 70), std::make_pair(160, 70)}) {
        Pasa(400, c.first, 0, {&ancha});  // not yet wholly above the skier at 132; penalised once
        EXPECT_EQ(Puntos, c.second) << c.first;
        EXPECT_EQ(Suena(DatAhh), c.first == 133) << c.first;
    }
}

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

TEST_F(Nieve, TheLevelChoosesTheCourseAndASecondInitStartsAfresh)
{
    const int curso[9] = {0, 1, 2, 3, 1, 2, 3, 1, 2};  // course 0 only once per game
    Pista pista;
    for (int nivel = 0; nivel < 9; nivel++) {
        Nivel = nivel;
        pista.Init();  // without DeInit, as the game-over backdrop does
        EXPECT_EQ(pista.VerNumPista(), curso[nivel]) << "level " << nivel;
        EXPECT_EQ(pista.VerDesplazamiento() * 1000 + pista.VerMargen(), 200);
    }
    pista.DeInit();
    EXPECT_EQ(pista.VerPrimero(), nullptr);
}

TEST_F(ConEsquiador, TheSkierKeepsToTheScreenAndTracksHisCourseRow)
{
    // x, y, heading, end of course -> x, y, heading, velY, course row after one step of 3 from course row 500
    const int casos[][9] = {
        {2, 100, 3, 0, 1, 103, 0, 3, 506},  // left side: straight down
        {1, 100, 4, 0, 1, 103, 0, 3, 506},
        {595, 100, 1, 0, 639 - 42, 103, 0, 3, 506},  // right side, by the traverse's width
        {300, 190, 0, 0, 300, 193, 0, 3, 506},
        {300, 194, 0, 0, 300, 196, 0, 0, 503},  // bottom edge held at row 240
        {300, 196, 0, 1, 300, 202, 0, 6, 506},  // unless the course has ended
        {300, 150, 2, 1, 303, 156, 1, 6, 506},  // at the end a skier holding his height descends
        {300, T + 1, 2, 0, 303, T, 1, 0, 503},  // the top turns one holding his height to a traverse
        {300, T + 1, 4, 0, 297, T, 3, 0, 503},
        {300, 100, 2, 0, 303, 97, 2, -3, 500},  // holding his height on the slope
    };
    for (const auto& c : casos) {
        PruebaEsquiador::Pon(*e, c[0], c[1], c[2], 500);
        e->Avanza(-1, 3, 0, c[3] == 1, 0);
        EXPECT_EQ(std::vector<int>({e->VerX(), e->VerY(), e->VerVariante(), e->VerVelY(), PruebaEsquiador::YPista(*e)}),
                  std::vector<int>(c + 4, c + 9))
            << "from " << c[0] << "," << c[1] << " heading " << c[2];
    }
    for (int y : {50, 120}) {  // in a lead-in he is off the course until his bottom edge passes the margin row
        PruebaEsquiador::Pon(*e, 300, y, 0, 500);
        e->Avanza(-1, 3, 300, false, 150);
        EXPECT_EQ(PruebaEsquiador::YPista(*e), y == 50 ? -1000 : 123 - 150 - T + 300);
    }
}
