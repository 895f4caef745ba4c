// The pause overlay, driven through the real key buffer. Each cursor walk
// runs in real time at 200 ticks a second.
#include <gtest/gtest.h>

#include <allegro.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "Jugador.h"
#include "Pause.h"

namespace {

const int Arriba = KEY_UP, Abajo = KEY_DOWN, Izquierda = KEY_LEFT, Derecha = KEY_RIGHT, Intro = KEY_ENTER,
          Escape = KEY_ESC;

long MsDesde(std::chrono::steady_clock::time_point inicio)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - inicio).count();
}

class Pausa : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Entorno::ArrancaTodo());
        rojo = makecol(255, 0, 0);  // the frozen scene
        H->cls(2);                  // red
        H->CopyFondo();
    }
    void TearDown() override { Entorno::Para(); }

    static bool CercaDe(int c, int r, int g, int b)
    {
        return std::abs(getr16(c) - r) <= 12 && std::abs(getg16(c) - g) <= 12 && std::abs(getb16(c) - b) <= 12;
    }

    // Whether the last frame differs from the background (the box and its
    // texts) only inside the cursor's 32 x 32 picture at (450, y), where it
    // stood when the pause closed.
    static bool CursorEn(int y)
    {
        const std::vector<int> visto = Entorno::Vista(), fondo = Entorno::VistaFondo();
        int x0 = 640, y0 = 480, x1 = -1, y1 = -1;
        for (size_t i = 0; i < visto.size(); i++) {
            if (visto[i] == fondo[i]) continue;
            const int x = static_cast<int>(i % 640), fila = static_cast<int>(i / 640);
            x0 = std::min(x0, x), y0 = std::min(y0, fila), x1 = std::max(x1, x), y1 = std::max(y1, fila);
        }
        return x1 >= 0 && x0 >= 450 && x1 < 450 + 32 && y0 >= y && y1 < y + 32;
    }

    Pause pausa;
    int rojo = 0;
};

}  // namespace

TEST_F(Pausa, EnterLeavesOnTheOptionUnderTheCursorAndKeysPressedDuringTheWalkAreThrownAway)
{
    // Each key comes when the box looks for one; a key pressed together with
    // a move waits in the buffer while the cursor walks, and is thrown away.
    const struct {
        std::vector<int> teclas;
        bool juntas;  // the first two at once
        int resultado, y;
    } casos[] = {
        {{Escape, Izquierda, Derecha, Escape, Intro}, false, 0, 200},  // other keys do nothing
        {{Abajo, Izquierda, Intro}, false, -127, 250},
        {{Abajo, Izquierda, Arriba, Izquierda, Intro}, false, 0, 200},
        {{Intro}, false, 0, 200},                   // every pause starts on the first option
        {{Abajo, Arriba, Intro}, true, -127, 250},  // Up during the walk down is lost
        {{Abajo, Abajo, Intro}, false, -127, 250},  // down twice moves once
    };
    const auto inicio = std::chrono::steady_clock::now();
    for (const auto& c : casos) {
        Jugador j;
        if (c.juntas) j.Juntas({c.teclas[0], c.teclas[1]});
        for (size_t k = c.juntas ? 2 : 0; k < c.teclas.size(); k++) j.Pulsa(c.teclas[k], c.teclas[k] == Intro ? 13 : 0);
        EXPECT_EQ(pausa.PauseGame(), c.resultado) << c.teclas.size() << " keys";
        EXPECT_TRUE(j.Terminado());
        EXPECT_TRUE(CursorEn(c.y)) << c.teclas.size() << " keys";
    }
    // Each pause: the growing box, nine steps of 15 ms, then at least 145
    // ticks of the cursor walking off past x 449, two pixels a tick.
    EXPECT_GE(MsDesde(inicio), 6 * (9 * 15 + 700));
}

TEST_F(Pausa, TheFinalBoxLetsTheSceneShowThroughAndDrawingIsSolidAfterwards)
{
    pausa.Rectangulo();
    Entorno::MuestraFondo();
    EXPECT_EQ(Entorno::Pantalla(320, 240), rojo) << "the box is not in the background yet";
    Entorno::PulsaTecla(Intro, 13);
    EXPECT_EQ(pausa.PauseGame(), 0);
    Entorno::MuestraFondo();  // now holding the box and the texts over the scene
    auto f = [](int x, int y) { return Entorno::Pantalla(x, y); };
    EXPECT_EQ(f(129, 240), rojo);
    EXPECT_EQ(f(320, 321), rojo);
    // Blue at alpha 170 over the yellow frame's fill over red, the same where
    // the opaque growing box stood; the frame alone is yellow over red.
    for (const auto& p : {std::make_pair(480, 300), std::make_pair(150, 250), std::make_pair(320, 172)})
        EXPECT_TRUE(CercaDe(f(p.first, p.second), 68, 105, 118)) << p.first << "," << p.second;
    EXPECT_TRUE(CercaDe(f(135, 300), 205, 120, 0));
    int texto = 0;
    for (int y = 195; y < 295; y++) {
        for (int x = 195; x < 400; x++) texto += f(x, y) != f(480, 300);
    }
    EXPECT_GT(texto, 100) << "the two options are written on the box";
    H->RectFill(0, 0, 10, 10, 7);
    Entorno::Muestra();
    EXPECT_EQ(Entorno::Pantalla(5, 5), makecol(255, 255, 255)) << "solid again";
}
