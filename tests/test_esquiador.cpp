// The skier: turning, the idle drift, the screen limits, the course position,
// and the collision pass over gates, trees, snow heaps and the finish.
#include <gtest/gtest.h>

#include <allegro.h>
#include <cstring>

#include "Constantes.h"
#include "Datos.h"
#include "Entorno.h"
#include "Esquiador.h"
#include "Globales.h"
#include "Hardware.h"
#include "Obstaculo.h"
#include "TablaPistas.h"

class PruebaEsquiador {
public:
    // Screen position, heading and course row; the pass reads the course row.
    static void Pon(Esquiador& e, int x, int y, int rumbo, int yPista, int inactivo = 0)
    {
        e.x = x, e.y = y, e.variante = rumbo, e.yPista = yPista, e.inactivo = inactivo;
        e.Actualiza();
    }
    // The course row the pass reads, and the ticks since the last key.
    static int YPista(const Esquiador& e) { return e.yPista; }
    static int Inactivo(const Esquiador& e) { return e.inactivo; }
};

namespace {

class ConEsquiador : public ::testing::Test {
protected:
    void SetUp() override
    {
        Entorno::SonidoEnArchivo("/dev/null");  // a sound card, so samples really play
        ASSERT_TRUE(Entorno::ArrancaTodo());
        H->SetFont(FuenteJuego, PaletaJuego);
        T = H->TextHeight();
        Nivel = Puntos = 0;
        e = new Esquiador;
        datos = load_datafile(ArchivoDatos);  // the samples the pass should play
    }
    void TearDown() override
    {
        delete e;
        unload_datafile(datos);
        Entorno::Para();
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
    int T = 0;
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

TEST_F(ConEsquiador, TreesCrashUntilLeftBehindAndHeapsDeflectBySideAndHeading)
{
    Obstaculo pino(200, 100, ClasePino), atras(200, 100, ClasePinoDos), rozado(200, 100, ClasePino);  // 48 x 64
    for (int n = 0; n < 2; n++) EXPECT_EQ(Pasa(205, 110, 0, {&pino}), ChoquePino) << "a tree ahead is tested on every pass";
    EXPECT_EQ(Pasa(205, 165, 0, {&atras}), ChoqueNada);
    EXPECT_TRUE(atras.VerPasado());
    EXPECT_EQ(Pasa(205, 110, 0, {&atras}), ChoqueNada) << "a tree left behind is never tested again";
    int huecos = 0, choques = 0;  // boxes overlapping where the pictures do not touch
    for (int x = 170; x < 200; x++) {
        PruebaEsquiador::Pon(*e, x, 57, 0, 57);
        if (e->Colision(&rozado, false) && !e->Colision(&rozado, true)) {
            huecos++;
            choques += Pasa(x, 57, 0, {&rozado}) != 0;
        }
    }
    EXPECT_GT(huecos, 0);
    EXPECT_EQ(choques, 0);
    // heap at x, heading, skier x -> hit; straight down compares right edges halved
    const int I = ChoqueIzquierda, D = ChoqueDerecha;
    const int casos[][4] = {{200, 3, 203, I}, {200, 4, 203, I}, {200, 1, 203, D}, {200, 2, 203, D},
                            {200, 0, 216, D}, {200, 0, 215, I}, {201, 0, 216, D}, {201, 0, 214, I}};
    for (const auto& c : casos) {
        Obstaculo monton(c[0], 100, ClaseMonton);
        EXPECT_EQ(Pasa(c[2], 106 - (c[1] == 0 ? 44 : 40), c[1], {&monton}), c[3]) << "heading " << c[1] << ", " << c[2];
        EXPECT_TRUE(Suena(DatEsqui));
        EXPECT_FALSE(monton.VerPasado());
    }
}

TEST_F(ConEsquiador, AFinishPostCrashesTheLineIsCrossedOnceAndThePassStopsEarly)
{
    Obstaculo meta(200, 100, ClaseMetaEstrecha), ancha(200, 100, ClaseMetaAncha);  // posts from row 148 at 200-224 and 275-299
    EXPECT_EQ(Pasa(205, 150, 0, {&meta}), ChoquePoste) << "on the post, though centred";
    EXPECT_EQ(Pasa(270, 150, 0, {&meta}), ChoquePoste);
    EXPECT_EQ(Pasa(205, 60, 0, {&ancha}), ChoqueNada) << "the banner is not solid";
    EXPECT_EQ(Pasa(234, 125, 0, {&meta}), ChoqueNada);
    EXPECT_EQ(Pasa(234, 126, 0, {&meta}), ChoqueMeta) << "48 rows deeper than a gate's line";
    EXPECT_EQ(Pasa(234, 126, 0, {&meta}), ChoqueNada) << "crossed once";
    // The first hit in list order wins; an obstacle out of view ends the walk.
    Obstaculo pino(200, 100, ClasePino), monton(200, 140, ClaseMonton), arriba(500, 0, ClasePino), abajo(500, 480 - T, ClasePino),
        dentro(500, 479 - T, ClasePino);
    EXPECT_EQ(Pasa(200, 105, 1, {&monton, &pino}), ChoqueDerecha);
    EXPECT_EQ(Pasa(200, 105, 1, {&pino, &monton}), ChoquePino);
    EXPECT_EQ(Pasa(200, 105, 1, {&arriba, &pino}, 64), ChoqueNada) << "bottom edge at the scroll line";
    EXPECT_EQ(Pasa(200, 105, 1, {&arriba, &pino}, 63), ChoquePino);
    EXPECT_EQ(Pasa(200, 105, 1, {&abajo, &pino}), ChoqueNada) << "top at the last row in view";
    EXPECT_EQ(Pasa(200, 105, 1, {&dentro, &pino}), ChoquePino);
    EXPECT_EQ(Pasa(200, -1000, 1, {&pino}), ChoqueNada) << "hidden by the lead-in";
}
