// The display layer as a player sees it: key and gamepad actions, the keys
// kept between runs, and the screen's scale and mode.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cstdlib>

#include "Arranque.h"
#include "Configuracion.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "Jugador.h"

namespace {

// The library's X11 window driver passing for its full-screen one when the
// autodetection chooses: asked for full screen, the game is given a window,
// or, refusing every mode, none, so the game falls back on the safe mode.
GFX_DRIVER* ventanaX11 = nullptr;
GFX_DRIVER disfrazada;
_DRIVER_INFO* entradaCompleta = nullptr;
void* completa = nullptr;
bool rehusa = false;

BITMAP* AbreVentana(int w, int h, int vw, int vh, int bpp)
{
    if (rehusa) return nullptr;
    BITMAP* b = ventanaX11->init(w, h, vw, vh, bpp);
    disfrazada = *ventanaX11;  // what it opened, a window, as the library reads it afterwards
    return b;
}

void Disfraza(int etapa)
{
    if (etapa != EtapaAjustes) return;  // the library started, no screen opened yet
    for (_DRIVER_INFO* d = system_driver->gfx_drivers(); d->driver != nullptr; d++) {
        if (d->id == GFX_XWINDOWS) ventanaX11 = static_cast<GFX_DRIVER*>(d->driver);
        if (d->id == GFX_XWINDOWS_FULLSCREEN) entradaCompleta = d;
    }
    if (ventanaX11 == nullptr || entradaCompleta == nullptr) return;
    disfrazada = *ventanaX11;
    disfrazada.windowed = FALSE;
    disfrazada.init = AbreVentana;
    completa = entradaCompleta->driver;
    entradaCompleta->driver = &disfrazada;
}

class Pantalla : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Entorno::ArrancaPantalla());
        H->ClearKeyBuf();
    }
    void TearDown() override { Entorno::Para(); }
};

}  // namespace

TEST_F(Pantalla, KeysGiveTheirActionsOneAtATimeAndTheLastWholeSetIsKeptForTheNextStart)
{
    const int teclas[6] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_ENTER, KEY_ESC};
    for (int a = 0; a < 6; a++) Entorno::PulsaTecla(teclas[a]);
    for (int a = 0; a < 6; a++) EXPECT_EQ(H->Tecla(), a);
    EXPECT_EQ(H->Tecla(), -1);
    Entorno::PulsaTecla(KEY_A, 'a');
    EXPECT_EQ(H->Tecla(), -1);
    EXPECT_FALSE(keypressed()) << "an unbound key is consumed";
    Entorno::PulsaTecla(KEY_B, 'b');
    EXPECT_EQ(H->VerTecla(), KEY_B << 8 | 'b');

    // W for up: the up arrow gives nothing now. Unbinding pause leaves Esc idle,
    // and a key without scancode never matches the unbound action.
    H->GrabarTecla(0, KEY_W << 8 | 'w');
    H->GrabarTecla(5, 0);
    Entorno::PulsaTecla(KEY_UP);
    Entorno::PulsaTecla(KEY_W, 'w');
    Entorno::PulsaTecla(KEY_ESC, 27);
    simulate_ukeypress('x', 0);
    for (int accion : {-1, 0, -1, -1}) EXPECT_EQ(H->Tecla(), accion);
    H->GrabarTecla(6, KEY_Q << 8);  // no such action
    H->GrabarTecla(-1, KEY_Q << 8);
    const int esperadas[6] = {KEY_W, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_ENTER, 0};
    for (int a = 0; a < 6; a++) EXPECT_EQ(H->VerTecla(a), esperadas[a]) << a;
    // W for up was saved with the five others; the set without a pause key was not.
    Entorno::Para();
    ASSERT_TRUE(Entorno::ArrancaPantalla());
    const int guardadas[6] = {KEY_W, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_ENTER, KEY_ESC};
    for (int a = 0; a < 6; a++) EXPECT_EQ(H->VerTecla(a), guardadas[a]) << a;
}

TEST_F(Pantalla, AGamepadGivesOneActionPerPressOfItsStickItsPadOrItsTwoButtons)
{
    Entorno::ConMando();
    // The stick: past half way is a press, once however long it is held; it
    // is let go only within a quarter, so trembling at the line is no new press.
    const struct { int x, y, accion; } palanca[] = {
        {0, -60, -1}, {50, 0, -1}, {0, -100, 0}, {0, -128, -1}, {0, -40, -1}, {0, -90, -1}, {0, 0, -1},
        {0, 100, 1}, {0, 20, -1}, {0, 70, 1}, {100, 70, -1}, {0, 0, -1}, {100, 70, 3}, {-20, 0, -1},
        {-65, 10, 2}, {-65, 10, -1}};
    for (const auto& p : palanca) {
        Entorno::Empuja(0, p.x, p.y);
        EXPECT_EQ(H->Tecla(), p.accion) << "stick at " << p.x << "," << p.y;
    }
    Entorno::Empuja(0, 0, 0);
    EXPECT_EQ(H->Tecla(), -1);
    // Presses that come together give their actions one call after another,
    // a waiting key first: the pad, the first button selects, the second pauses.
    Entorno::Boton(0, true);
    Entorno::Boton(1, true);
    Entorno::Empuja(1, -128, 0);
    Entorno::PulsaTecla(KEY_UP);
    for (int accion : {0, 2, 4, 5, -1}) EXPECT_EQ(H->Tecla(), accion);
    // Dropped as waiting keys are: held on, nothing; pressed again, the action.
    Entorno::Boton(1, false);
    Entorno::Boton(1, true);
    H->ClearKeyBuf();
    EXPECT_EQ(H->Tecla(), -1);
    Entorno::Boton(1, false);
    EXPECT_EQ(H->VerTecla(), Hardware::SinTecla);
    Entorno::Boton(1, true);
    EXPECT_EQ(H->VerTecla(), Hardware::PulsacionMando) << "a raw read tells a press of the gamepad";
}

TEST_F(Pantalla, EsperaTeclaIgnoresKeysAndButtonsPressedBeforeTheCallAndEndsOnEither)
{
    {
        Jugador j;  // B when the wait looks for a key
        j.Pulsa(KEY_B, 'b');
        Entorno::PulsaTecla(KEY_A, 'a');
        H->EsperaTecla();
        EXPECT_TRUE(j.Terminado() && !keypressed()) << "the later key was the one taken";
    }
    Entorno::ConMando();
    Entorno::Boton(0, true);
    Jugador j;  // the second button at the wait's second look
    j.Haz([] { Entorno::Boton(1, true); }, 2);
    H->EsperaTecla();
    EXPECT_TRUE(j.Terminado()) << "the button held before the call ended the wait";
}

TEST(ModoPantalla, TheStoredScreenModeFollowsTheModeTheDriverGaveTheSafeModesToo)
{
    setenv("PATH", "/nonexistent", 1);  // the safe mode's notice goes to stderr, not to a box
    for (bool r : {false, true}) {
        rehusa = r;
        Entorno::Escribe("zumbelo.cfg", {0, 1, 0, 0, 0});  // full screen asked
        const bool abierta = ArrancaPantalla(Disfraza);
        ASSERT_NE(entradaCompleta, nullptr) << "no X11 drivers";
        entradaCompleta->driver = completa;  // as it was, before the screen is opened again
        ASSERT_TRUE(abierta) << "refused: " << r;
        EXPECT_TRUE(Config->VerWindowed()) << "refused: " << r;
        EXPECT_EQ(Entorno::Lee("zumbelo.cfg"), (Entorno::Bytes{0, 1, 0, 1, 0})) << "refused: " << r;
        Entorno::Para();
    }
}

TEST(Escala, TheLargestWholeScaleWithinNinetyPercentOfTheDesktopForAWindowAndAllOfItFullScreen)
{
    const struct { int w, h, ventana, completa; } casos[] = {
        {640, 480, 1, 1},    {800, 600, 1, 1},    {1366, 768, 1, 1},   {1280, 1024, 1, 2},
        {1920, 1080, 2, 2},  {2560, 1440, 2, 3},  {3840, 2160, 4, 4},  {320, 200, 1, 1},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Hardware::EscalaVentana(c.w, c.h), c.ventana) << c.w << "x" << c.h;
        EXPECT_EQ(Hardware::EscalaCompleta(c.w, c.h), c.completa) << c.w << "x" << c.h;
    }
}
