// The road: the hero on foot, the traffic, and the phase's
// rules one step at a time, steered by keys or a gamepad, and a whole phase
// run on its timer.
#include <gtest/gtest.h>

#include <allegro.h>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "Constantes.h"
#include "Datos.h"
#include "Entorno.h"
#include "FaseUno.h"
#include "Globales.h"
#include "Hardware.h"
#include "Jugador.h"
#include "Mascara.h"
#include "Sprite.h"
#include "Trafico.h"
#include "Vehiculo.h"
#include "Zumbelo.h"

class PruebaFaseUno {
public:
    static void Paso(FaseUno& f) { f.Paso(); }
    static int Resultado(FaseUno& f) { return f.resultado; }
    static uint32_t Ciclos(FaseUno& f) { return f.ciclos; }
};

class PruebaVehiculo {
public:
    // A vehicle of a kind and direction as the road makes them, put at x, y.
    static Vehiculo* Nuevo(int tipo, int variante, int x, int y, Vehiculo* delante = nullptr)
    {
        Vehiculo* v = new Vehiculo(nullptr, 2);
        while (v->tipo != tipo || v->variante != variante) {
            delete v;
            v = new Vehiculo(nullptr, 2);
        }
        v->x = x, v->y = y;
        if (delante != nullptr) { delante->siguiente = v; v->anterior = delante; }
        return v;
    }
    // The same with its bottom-right corner on (x, y).
    static Vehiculo* Esquina(int tipo, int x, int y, Vehiculo* delante = nullptr)
    {
        Vehiculo* v = Nuevo(tipo, 1, 0, 0, delante);
        v->x = x - v->VerLongX(), v->y = y - v->VerLongY();
        return v;
    }
    static int Esquiva(Vehiculo* v) { return v->esquiva; }
};

class PruebaTrafico {
public:
    static Vehiculo* Agrega(Trafico& t, int tipo, int variante, int x, int y)
    {
        Vehiculo* v = PruebaVehiculo::Nuevo(tipo, variante, x, y, t.ultimo);
        if (t.primero == nullptr) t.primero = v;
        t.ultimo = v, ++t.total;
        return v;
    }
};

namespace {

using P = PruebaFaseUno;

// A mask drawn as rows of '#' (solid) and '.' (clear), on a figure of its own.
struct MascaraHecha {
    explicit MascaraHecha(const std::vector<std::string>& d) : bits(d.size()), filas(d.size())
    {
        const int ancho = static_cast<int>(d[0].size());
        m = Mascara{ancho, static_cast<int>(d.size()), 1, (ancho + 31) / 32, nullptr};
        for (size_t y = 0; y < d.size(); y++) {
            bits[y].assign(m.palabras, 0u);
            for (int x = 0; x < ancho; x++) bits[y][x / 32] |= uint32_t(d[y][x] == '#') << (x % 32);
            filas[y] = bits[y].data();
        }
        m.filas = filas.data();
    }
    bool Solido(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m.ancho && y < m.alto && ((bits[y][x / 32] >> (x % 32)) & 1u);
    }
    Mascara m;
    std::vector<std::vector<uint32_t>> bits;
    std::vector<uint32_t*> filas;
};

class Figura : public Sprite {
public:
    Figura(Mascara* m, int px, int py) { mascara = m; x = px; y = py; }
};

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
    // Starts a walk and goes on until an edge stops him.
    static void Anda(Zumbelo& z, int accion)
    {
        z.ActualizaMov(accion);
        for (int n = 0; n < 1000 && (z.VerVelX() != 0 || z.VerVelY() != 0); ++n) z.Mueve();
    }

    int alto = 0;
};

}  // namespace

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

TEST_F(Carretera, TheScreenEdgesStopHimWhateverHisStep)
{
    // From the middle he walks to each edge and stops short of it: one more
    // step would take him off the screen, or onto column 0.
    for (int paso = 2; paso <= 8; ++paso) {
        for (bool esquis : {false, true}) {
            Zumbelo w(paso);
            if (esquis) w.ConEsqui();
            w.SetY(201 + paso);
            Anda(w, 1);
            EXPECT_EQ(w.VerY(true), 462) << "step " << paso;
            Anda(w, 0);
            EXPECT_TRUE(w.VerY() > alto && w.VerY() - paso <= alto) << "step " << paso;
            Anda(w, 2);
            EXPECT_TRUE(w.VerX() > 0 && w.VerX() - paso <= 0) << "step " << paso << " stops at " << w.VerX();
            Anda(w, 3);
            EXPECT_TRUE(w.VerX(true) <= 639 && w.VerX(true) + paso > 639) << "step " << paso;
        }
    }
    // Keys towards an edge he stands on do nothing.
    Zumbelo z(3);
    for (const auto& c : {std::make_pair(462 - 32, 1), std::make_pair(alto, 0), std::make_pair(alto + 1, 0)}) {
        z.SetY(c.first);
        z.ActualizaMov(c.second);
        EXPECT_EQ(z.VerVelY(), c.first == alto + 1 ? -3 : 0) << "top edge " << c.first;
    }
}

TEST_F(Carretera, EachKindMovesItsDutyInEveryFourStepsOfTheRoadAndStaysInsideItsCarriageway)
{
    // Of every four steps of the road a vehicle alone moves its 2 pixels in
    // one when a lorry, two when a car, three when the motorbike, all four when the ambulance.
    const int deber[TotalVehiculos] = {1, 1, 2, 2, 4, 3};
    for (int tipo = 0; tipo < TotalVehiculos; ++tipo) {
        for (int sentido : {1, -1}) {
            Trafico t(2);
            Vehiculo* v = PruebaTrafico::Agrega(t, tipo, sentido, 300, sentido == 1 ? 100 : 260);
            for (int vuelta = 0; vuelta < 3; ++vuelta) {
                const int antes = v->VerX();
                for (int paso = 0; paso < 4; ++paso) t.Mueve();
                EXPECT_EQ(v->VerX() - antes, 2 * sentido * deber[tipo]) << "kind " << tipo << ", round " << vuelta;
            }
        }
    }
    // kind, direction, top edge -> top and bottom edges after one move
    const int casos[][5] = {
        {2, 1, 190, 189, 221},   // bottom edge on 222: back to 221
        {3, 1, 63, 65, 97},      // top edge above 65
        {5, -1, 225, 226, 258},  // top edge above 226
        {0, -1, 334, 332, 380},  // bottom edge below 380
    };
    for (const auto& c : casos) {
        Vehiculo* v = PruebaVehiculo::Nuevo(c[0], c[1], 300, c[2]);
        EXPECT_FALSE(v->AumentaPosicion(v, 0));
        EXPECT_EQ(v->VerY() * 1000 + v->VerY(true), c[3] * 1000 + c[4]) << "kind " << c[0];
        delete v;
    }
}

TEST_F(Carretera, InALongRunEveryVehicleStaysInItsCarriagewayAndLeaves)
{
    const int VidaMaxima = 8000;  // a lorry crosses in some 1600 steps at 2 pixels; waiting behind others adds a little
    for (int nivel : {0, 10, 20}) {
        for (int paso : {2, 8}) {
            srand(20240 + nivel + paso);
            Trafico t(paso);
            std::map<Vehiculo*, int> nacido;
            int salidos = 0;
            for (int n = 0; n < 40000; ++n) {
                if (t.Cuantos() < nivel + 18 && rand() % 100 <= nivel) t.NuevoVehiculo();
                t.Mueve();
                std::map<Vehiculo*, int> vivos;
                for (Vehiculo* v = t.VerPrimero(); v != nullptr; v = v->VerSiguiente()) {
                    vivos[v] = nacido.count(v) ? nacido[v] : n;
                    const bool derecha = v->VerVariante() == 1;
                    ASSERT_GE(v->VerY(), derecha ? 65 : 226) << "level " << nivel;
                    ASSERT_LE(v->VerY(true), derecha ? 221 : 380) << "level " << nivel;
                    ASSERT_LE(n - vivos[v], VidaMaxima) << "a vehicle of kind " << v->VerTipo() << " never leaves";
                }
                for (const auto& e : nacido) salidos += vivos.count(e.first) == 0 ? 1 : 0;
                nacido.swap(vivos);
            }
            EXPECT_GT(salidos, 20);
        }
    }
}

TEST(Colision, ThePixelTestAgreesWithComparingEveryPixelAtAlignedAndUnalignedOffsets)
{
    std::srand(77);
    int veces[2] = {0, 0};  // both answers must come up, the false ones with boxes overlapping
    // Figures up to five words wide, one in four cases a whole number of words apart.
    for (int caso = 0; caso < 300; caso++) {
        const int wa = 1 + std::rand() % 140, ha = 1 + std::rand() % 12;
        const int wb = 1 + std::rand() % 140, hb = 1 + std::rand() % 12;
        const int densidad = 2 + std::rand() % 40;
        std::vector<std::string> da(ha, std::string(wa, '.')), db(hb, std::string(wb, '.'));
        for (auto* d : {&da, &db})
            for (auto& fila : *d)
                for (auto& p : fila) p = std::rand() % densidad == 0 ? '#' : '.';
        MascaraHecha ma(da), mb(db);
        Figura a(&ma.m, 300, 200);
        int dx = 1 - wb + std::rand() % (wa + wb - 1);
        if (caso % 4 == 0) dx -= dx % 32;
        Figura b(&mb.m, 300 + dx, 201 - hb + std::rand() % (ha + hb - 1));
        bool esperado = false;
        for (int y = 0; y < ha; y++) {
            for (int x = 0; x < wa; x++) esperado |= ma.Solido(x, y) && mb.Solido(x - dx, y + 200 - b.VerY());
        }
        ASSERT_TRUE(a.Colision(&b, false));
        ASSERT_EQ(a.Colision(&b, true), esperado) << "case " << caso;
        ASSERT_EQ(b.Colision(&a, true), esperado) << "case " << caso;
        veces[esperado]++;
    }
    EXPECT_GT(veces[0], 20);
    EXPECT_GT(veces[1], 20);
}

TEST_F(Carretera, OnlySolidPixelsRunHimOver)
{
    Zumbelo z(2);
    z.SetX(300);
    z.SetY(200);
    EXPECT_FALSE(z.Atropello(nullptr));
    // A vehicle whose corner overlaps his box only where both pictures are empty.
    Vehiculo* rozando = nullptr;
    for (int k = 1; k <= 8 && rozando == nullptr; ++k) {
        for (int tipo = 0; tipo < TotalVehiculos && rozando == nullptr; ++tipo) {
            rozando = PruebaVehiculo::Esquina(tipo, 300 + k, 200 + k);
            if (!z.Colision(rozando, false) || z.Colision(rozando, true)) { delete rozando; rozando = nullptr; }
        }
    }
    ASSERT_NE(rozando, nullptr) << "no picture has an empty corner";
    EXPECT_FALSE(z.Atropello(rozando));
    Vehiculo* moto = PruebaVehiculo::Esquina(5, 332, 232, rozando);  // a second one right on top of him
    EXPECT_TRUE(z.Atropello(rozando));
    delete moto;
    delete rozando;
}

TEST_F(Carretera, ABlockedCarStandsAndSlidesByTheHalvesOfTheBottomEdgesTurningAtItsLimit)
{
    // A lorry ahead with its bottom edge on 148 (half 74); the car's front touches its back.
    for (int fondo : {150, 149, 148, 130}) {
        const int desliza = fondo == 150 ? 1 : -1;
        Vehiculo* camion = PruebaVehiculo::Nuevo(0, 1, 200, 100);
        Vehiculo* coche = PruebaVehiculo::Nuevo(2, 1, 136, fondo - 32, camion);
        for (int fase : {0, 1}) {  // it slides in phase 0 only
            EXPECT_FALSE(coche->AumentaPosicion(coche, fase));
            EXPECT_EQ(coche->VerX() * 1000 + coche->VerY(true), 136000 + fondo + desliza) << fondo << " " << fase;
        }
        camion->SetY(300);  // once the way is clear it keeps sliding for four moves and straightens at the fifth
        for (int i = 1; i <= 5; ++i) {
            coche->AumentaPosicion(coche, 1);
            EXPECT_EQ(PruebaVehiculo::Esquiva(coche), i <= 4 ? desliza : 0);
        }
        EXPECT_EQ(coche->VerX(), 146);
        delete coche;
        delete camion;
    }
    // A car sliding down against the limit turns round.
    Vehiculo* camion = PruebaVehiculo::Nuevo(0, 1, 200, 150);
    Vehiculo* coche = PruebaVehiculo::Nuevo(2, 1, 136, 189, camion);
    coche->AumentaPosicion(coche, 0);
    EXPECT_EQ(coche->VerY(true), 221);
    coche->AumentaPosicion(coche, 0);
    EXPECT_EQ(coche->VerY(true), 220);
    delete coche;
    delete camion;
}
