// The traffic: duties, swerving, carriageway limits, leaving the road, the
// list kept in order of creation, and a long run in which no vehicle stays.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "Constantes.h"
#include "Entorno.h"
#include "Trafico.h"

// Places vehicles and builds lists by hand.
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

class Trafico_ : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Entorno::ArrancaTodo()); }
    void TearDown() override { Entorno::Para(); }
};

// The list read forwards and backwards describes the same chain of Cuantos() vehicles.
void CompruebaLista(Trafico& t)
{
    int n = 0;
    Vehiculo* antes = nullptr;
    for (Vehiculo* v = t.VerPrimero(); v != nullptr; antes = v, v = v->VerSiguiente(), ++n)
        EXPECT_EQ(v->VerAnterior(), antes);
    EXPECT_EQ(antes, t.VerUltimo());
    EXPECT_EQ(n, t.Cuantos());
}

}  // namespace

TEST_F(Trafico_, EachKindMovesItsDutyInEveryFourStepsOfTheRoadAndStaysInsideItsCarriageway)
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

TEST_F(Trafico_, ABlockedCarStandsAndSlidesByTheHalvesOfTheBottomEdgesTurningAtItsLimit)
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

TEST_F(Trafico_, LeavingVehiclesAreUnlinkedWhereverTheyAreInTheList)
{
    // Rightward cars far apart; the one on 640 leaves at the first move (phase 0).
    for (int sale = 0; sale < 3; ++sale) {
        Trafico t(2);
        Vehiculo* v[3];
        for (int i = 0; i < 3; ++i) v[i] = PruebaTrafico::Agrega(t, TipoCoche1, 1, i == sale ? 640 : 150 * i, 100);
        EXPECT_EQ(t.Mueve(), sale == 0 ? v[1] : v[0]);
        EXPECT_EQ(t.Cuantos(), 2);
        CompruebaLista(t);
        for (int i = 0; i < 3; ++i)  // when the head leaves, the others wait for the next step
            EXPECT_TRUE(i == sale || v[i]->VerX() == 150 * i + (sale == 0 ? 0 : 2)) << "leaving " << sale;
    }
    // A leftward one leaves once its right edge is below 0; the last one empties the list.
    Trafico t(2);
    Vehiculo* moto = PruebaTrafico::Agrega(t, TipoMoto, -1, -28, 300);
    for (int derecha : {2, 0}) {
        EXPECT_EQ(t.Mueve(), moto);
        EXPECT_EQ(moto->VerX(true), derecha);
    }
    EXPECT_EQ(t.Mueve(), nullptr);
    CompruebaLista(t);
    EXPECT_EQ(t.Mueve(), nullptr);
    EXPECT_EQ(t.VerFase(), 2) << "an empty road keeps its phase";
}

TEST_F(Trafico_, ANewVehicleOnTopOfAnotherIsDiscardedButOneTouchingIsAdded)
{
    srand(1234);  // where the next vehicle of a fixed seed will be made
    Vehiculo* prueba = new Vehiculo(nullptr, 2);
    const int x = prueba->VerX(), y = prueba->VerY(), ancho = prueba->VerLongX();
    delete prueba;
    // a 32 x 32 motorbike at x, y -> added
    const int bloques[][3] = {{x + ancho, y, 1}, {x + ancho - 1, y, 0}, {x - 32, y, 1},
                              {x - 31, y, 0},    {x, y - 32, 1},         {x, y - 31, 0}};
    for (const auto& b : bloques) {
        Trafico t(2);
        PruebaTrafico::Agrega(t, TipoMoto, 1, b[0], b[1]);
        srand(1234);
        t.NuevoVehiculo();
        EXPECT_EQ(t.Cuantos(), 1 + b[2]) << "block at " << b[0] << "," << b[1];
        CompruebaLista(t);
    }
}

TEST_F(Trafico_, InALongRunEveryVehicleStaysInItsCarriagewayAndLeaves)
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
