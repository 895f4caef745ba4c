// The pause overlay, driven through the real key buffer. Each cursor walk
// runs in real time at 200 ticks a second.
#include <gtest/gtest.h>

#include <allegro.h>

#include <chrono>
#include <thread>
#include <vector>

#include "Configuracion.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "Pause.h"

namespace {

const int Arriba = KEY_UP, Abajo = KEY_DOWN, Izquierda = KEY_LEFT, Derecha = KEY_RIGHT,
          Intro = KEY_ENTER, Escape = KEY_ESC;

// Presses the keys one after another, each once the buffer is empty: a key
// pressed while the cursor walks stays unread until the walk's end empties
// the buffer, so the key after it comes once the walk is over.
class Teclista {
public:
    explicit Teclista(std::vector<int> teclas)
        : hilo([teclas]() {
              for (int t : teclas) {
                  while (keypressed()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
                  Entorno::PulsaTecla(t, t == Intro ? 13 : t == Escape ? 27 : 0);
              }
          })
    {
    }
    ~Teclista() { hilo.join(); }

private:
    std::thread hilo;
};

class Pausa : public ::testing::Test {
protected:
    void SetUp() override
    {
        Configuracion ajustes;  // test programs share one display: a window each
        if (!ajustes.VerWindowed()) ajustes.ToggleWindowed();
        ASSERT_TRUE(Entorno::ArrancaTodo());
        set_display_switch_mode(SWITCH_BACKGROUND);  // keep the timer running without the focus
        rojo = makecol(255, 0, 0);  // the frozen scene
        clear_to_color(H->VerBuffer(), rojo);
        H->CopyFondo();
    }
    void TearDown() override { Entorno::Para(); }

    int Juega(std::vector<int> teclas)
    {
        Teclista t(teclas);
        return pausa.PauseGame();
    }
    static void CercaDe(int color, int r, int g, int b)
    {
        EXPECT_NEAR(getr16(color), r, 12);
        EXPECT_NEAR(getg16(color), g, 12);
        EXPECT_NEAR(getb16(color), b, 12);
    }

    Pause pausa;
    int rojo = 0;
};

}  // namespace

TEST_F(Pausa, EnterRightAwayReturnsToTheGameAfterTheCursorWalksOff)
{
    Entorno::PulsaTecla(Intro, 13);
    const auto inicio = std::chrono::steady_clock::now();
    EXPECT_EQ(pausa.PauseGame(), 0);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - inicio);
    // From x 160, two pixels a tick until past 449: 145 steps after the one that read Enter.
    EXPECT_EQ(pausa.VerUltimaX(), 450);
    EXPECT_EQ(pausa.VerUltimaY(), 200);
    EXPECT_EQ(pausa.VerCiclos(), 146);
    EXPECT_GE(ms.count(), 9 * 15 + 700) << "the growing box, then 145 ticks at 200 a second";
}

TEST_F(Pausa, EscapeLeftAndRightDoNothing)
{
    for (int t : {Escape, Izquierda, Derecha, Escape}) Entorno::PulsaTecla(t);
    Entorno::PulsaTecla(Intro, 13);
    EXPECT_EQ(pausa.PauseGame(), 0);
    EXPECT_EQ(pausa.VerUltimaY(), 200);
    EXPECT_EQ(pausa.VerCiclos(), 4 + 146) << "one step per key, nothing else";
}

TEST_F(Pausa, DownAbandonsTheGameAndUpComesBack)
{
    // The Left after each move is read, if at all, after the walk: it does nothing.
    EXPECT_EQ(Juega({Abajo, Izquierda, Intro}), -127);
    EXPECT_EQ(pausa.VerUltimaX() * 1000 + pausa.VerUltimaY(), 450250);
    EXPECT_EQ(Juega({Abajo, Izquierda, Arriba, Izquierda, Intro}), 0);
    EXPECT_EQ(pausa.VerUltimaY(), 200);
    // Every pause starts on the first option.
    EXPECT_EQ(Juega({Intro}), 0);
}

TEST_F(Pausa, KeysPressedWhileTheCursorWalksAreThrownAway)
{
    EXPECT_EQ(Juega({Abajo, Arriba, Intro}), -127);  // Up during the walk down is lost
    EXPECT_EQ(pausa.VerUltimaY(), 250);
    EXPECT_EQ(Juega({Abajo, Abajo, Intro}), -127);  // down twice moves once
    EXPECT_EQ(pausa.VerUltimaY(), 250);
}

TEST_F(Pausa, TheFinalBoxLetsTheSceneShowThroughAndDrawingIsSolidAfterwards)
{
    const auto inicio = std::chrono::steady_clock::now();
    pausa.Rectangulo();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - inicio);
    EXPECT_GE(ms.count(), 9 * 15) << "nine steps of 15 ms";
    EXPECT_EQ(getpixel(H->VerFondo(), 320, 240), rojo) << "the box is not in the background yet";

    Entorno::PulsaTecla(Intro, 13);
    EXPECT_EQ(pausa.PauseGame(), 0);
    BITMAP* f = H->VerFondo();  // now holding the box and the texts over the scene
    EXPECT_EQ(getpixel(f, 129, 240), rojo);
    EXPECT_EQ(getpixel(f, 320, 321), rojo);
    // Blue at alpha 170 over the yellow frame's fill over red, the same where
    // the opaque growing box stood; the frame alone is yellow over red.
    const int dentro[3][2] = {{480, 300}, {150, 250}, {320, 172}};
    for (const auto& p : dentro) {
        SCOPED_TRACE(p[0]);
        CercaDe(getpixel(f, p[0], p[1]), 68, 105, 118);
    }
    CercaDe(getpixel(f, 135, 300), 205, 120, 0);
    int texto = 0;
    for (int y = 195; y < 295; y++) {
        for (int x = 195; x < 400; x++) texto += getpixel(f, x, y) != getpixel(f, 480, 300);
    }
    EXPECT_GT(texto, 100) << "the two options are written on the box";

    H->RectFill(0, 0, 10, 10, 7);
    EXPECT_EQ(getpixel(H->VerBuffer(), 205, 205), makecol(255, 255, 255)) << "solid again";
}
