// The hero on foot: walking within the screen, his facings, being run over
// pixel by pixel; and the ambulance's crossing.
#include <gtest/gtest.h>

#include "Ambulancia.h"
#include "Datos.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "Vehiculo.h"
#include "Zumbelo.h"

class PruebaVehiculo {
public:
    // A vehicle of a kind with its bottom-right corner on (x, y), behind the one given.
    static Vehiculo* Nuevo(int tipo, int x, int y, Vehiculo* delante = nullptr)
    {
        Vehiculo* v = new Vehiculo(nullptr, 2);
        v->tipo = tipo;
        v->Actualiza();
        v->x = x - v->VerLongX(), v->y = y - v->VerLongY();
        if (delante != nullptr) delante->siguiente = v;
        return v;
    }
};

namespace {

class Heroe : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Entorno::ArrancaTodo());
        H->SetFont(FuenteJuego, PaletaJuego);
        alto = H->TextHeight();
    }
    void TearDown() override { Entorno::Para(); }

    // Starts a walk and goes on until an edge stops him.
    static void Anda(Zumbelo& z, int accion)
    {
        z.ActualizaMov(accion);
        for (int n = 0; n < 1000 && (z.VerVelX() != 0 || z.VerVelY() != 0); ++n) z.Mueve();
    }

    int alto = 0;
};

}  // namespace

TEST_F(Heroe, TheScreenEdgesStopHimWhateverHisStep)
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

TEST_F(Heroe, AKeyTurnsHimAtOnceAndHeWalksOnWithoutOne)
{
    Zumbelo z(2);
    z.SetY(200);
    // key -> step, facing
    for (const auto& p : {std::vector<int>{0, 0, -2, 2}, {3, 2, 0, 1}, {1, 0, 2, 3}, {2, -2, 0, 0}}) {
        z.ActualizaMov(p[0]);
        EXPECT_EQ(z.VerVariante(), p[3]);
        const int x = z.VerX(), y = z.VerY();
        for (int i = 0; i < 3; ++i) z.Mueve();
        EXPECT_EQ(z.VerX() * 1000 + z.VerY(), (x + 3 * p[1]) * 1000 + y + 3 * p[2]) << "key " << p[0];
    }
    // Select, pause and no key leave him walking as he was; stopped, he keeps his facing.
    for (int accion : {4, 5, -1}) {
        z.ActualizaMov(accion);
        EXPECT_EQ(z.VerVelX() * 10 + z.VerVariante(), -20);
    }
    Anda(z, 1);
    z.ActualizaMov(-1);
    EXPECT_EQ(z.VerVariante(), 3);
}

TEST_F(Heroe, OnlySolidPixelsRunHimOver)
{
    Zumbelo z(2);
    z.SetX(300);
    z.SetY(200);
    EXPECT_FALSE(z.Atropello(nullptr));
    // A vehicle whose corner overlaps his box only where both pictures are empty.
    Vehiculo* rozando = nullptr;
    for (int k = 1; k <= 8 && rozando == nullptr; ++k) {
        for (int tipo = 0; tipo < 6 && rozando == nullptr; ++tipo) {
            rozando = PruebaVehiculo::Nuevo(tipo, 300 + k, 200 + k);
            if (!z.Colision(rozando, false) || z.Colision(rozando, true)) { delete rozando; rozando = nullptr; }
        }
    }
    ASSERT_NE(rozando, nullptr) << "no picture has an empty corner";
    EXPECT_FALSE(z.Atropello(rozando));
    Vehiculo* moto = PruebaVehiculo::Nuevo(5, 332, 232, rozando);  // a second one right on top of him
    EXPECT_TRUE(z.Atropello(rozando));
    delete moto;
    delete rozando;
}

TEST_F(Heroe, TheAmbulanceHasCrossedOnlyOncePastColumn640)
{
    for (int paso : {1, 2, 8}) {
        Ambulancia a(paso);
        EXPECT_EQ(a.VerX() * 1000 + a.VerY(), -150 * 1000 + 448);
        a.SetX(640 - paso);
        EXPECT_FALSE(a.Avanza()) << "on 640";
        EXPECT_TRUE(a.Avanza()) << "on " << 640 + paso;
    }
}
