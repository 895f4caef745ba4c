// The title screen's menu, the settings menu with the key definition and
// the pause overlay, driven by a player at the real key buffer
// and at a gamepad as the library keeps one; each press comes when the
// screen looks for a key.
#include <gtest/gtest.h>

#include <allegro.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Configuracion.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "Jugador.h"
#include "Menus.h"
#include "Pause.h"
#include "Sonido.h"
#include "Zumbelo.h"

using Entorno::Bytes;

class PruebaMenus : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::remove("zumbelo.cfg");
        Entorno::SonidoEnArchivo("/dev/null");  // the music plays without a sound card
        ASSERT_TRUE(Entorno::ArrancaTodo());
    }
    void TearDown() override
    {
        remove_int(RetM);
        Entorno::Para();
    }

    // The main menu's screen and timer, for the pieces run on their own.
    static void Pantallazo()
    {
        Menu->Prepara();
        Menu->PpalTxt();
        H->CopyFondo();
        Menu->InitTemp();
        install_int_ex(RetM, BPS_TO_TIMER(100));
    }
    // The settings menu, as the main menu calls it.
    static int MenuOpciones()
    {
        Pantallazo();
        return Menu->MenuConfig();
    }
    static int Opcion() { return Menu->opcion; }
    static int PosY(int n) { return Menu->posY[n]; }
    static Zumbelo* Figura() { return Menu->figura; }
};

TEST_F(PruebaMenus, ThePointerWalksBetweenTheSixOptionsAndDropsKeysPressedOnTheWay)
{
    Pantallazo();
    Menu->Desplaza(0, 4);  // up at the first option
    EXPECT_EQ(Opcion(), 0);
    for (int n = 1; n <= 6; n++) {
        Entorno::PulsaTecla(KEY_ENTER, 13);  // pressed while he walks
        Menu->Desplaza(1, 4);
        EXPECT_EQ(Opcion(), n < 5 ? n : 5);
        EXPECT_NEAR(Figura()->VerY(), PosY(Opcion()), 1);
        EXPECT_EQ(Figura()->VerVariante(), 1);  // facing the option
        EXPECT_EQ(keypressed() != 0, n == 6);   // down at the last option does nothing
    }
    for (int n = 4; n >= -1; n--) {
        Menu->Desplaza(0, 4);
        EXPECT_EQ(Opcion(), n > 0 ? n : 0);
        EXPECT_NEAR(Figura()->VerY(), PosY(Opcion()), 1);
    }
    // Left, right and pause move nothing; a choice walks him off and back.
    Entorno::PulsaTecla(KEY_ENTER, 13);
    for (int t : {2, 3, 5}) Menu->Desplaza(t, 4);
    EXPECT_TRUE(keypressed());
    Menu->Desplaza(4, 4);
    EXPECT_EQ(Figura()->VerX(), 100);
    EXPECT_EQ(Opcion(), 0);
}

TEST_F(PruebaMenus, TheGamepadStepsThePointerOncePerPushHoweverLongItIsHeldAndItsFirstButtonChooses)
{
    Entorno::ConMando();
    // The stick held down for two hundred steps is one step, to the language
    // line, which the first button switches; the pad then walks down to Exit.
    Jugador j;
    j.Haz([] { Entorno::Empuja(0, 0, 100); }).Haz([] { Entorno::Empuja(0, 0, 127); }, 200);
    j.Haz([] { Entorno::Empuja(0, 0, 0); }).Boton(0);
    for (int n = 0; n < 5; n++) j.Palanca(1, 0, 128);
    j.Boton(1).Boton(0);
    EXPECT_EQ(Menu->MenuPpal(), -127) << "the second button chooses nothing";
    EXPECT_EQ(Config->VerIdioma(), 1);
}

TEST_F(PruebaMenus, SettingsLinesSwitchSoundSetAndFrameSkippingRewritingTheFileEachTime)
{
    SFX->MMenu();
    ASSERT_GE(midi_pos, 0) << "no MIDI player";
    std::vector<Bytes> ficheros;
    std::vector<bool> musica;
    const auto mira = [&] {
        musica.push_back(midi_pos >= 0);
        ficheros.push_back(Entorno::Lee("zumbelo.cfg"));
    };
    // Sound off and on, frame skipping seven times round, the graphic set three times.
    Jugador j;
    j.Pulsa(KEY_DOWN).Pulsa(KEY_ENTER, 13).Haz(mira).Pulsa(KEY_ENTER, 13).Haz(mira).Pulsa(KEY_DOWN, 0, 3);
    std::vector<Bytes> esperados = {{0, 0, 0, 1, 0}, {0, 1, 0, 1, 0}};
    for (unsigned char n = 1; n <= 7; n++) {
        j.Pulsa(KEY_ENTER, 13).Haz(mira);
        esperados.push_back({0, 1, 0, 1, static_cast<unsigned char>(n % 7)});
    }
    j.Pulsa(KEY_UP);
    for (unsigned char set : {1, 0, 1}) {
        j.Pulsa(KEY_ENTER, 13).Haz(mira);
        esperados.push_back({0, 1, set, 1, 0});
    }
    j.Pulsa(KEY_DOWN, 0, 2).Pulsa(KEY_ENTER, 13);
    EXPECT_EQ(MenuOpciones(), 0);
    ASSERT_EQ(ficheros, esperados);
    EXPECT_FALSE(musica[0]);  // the music stops with the sound
    EXPECT_TRUE(musica[1]);   // and starts again with it
}

TEST_F(PruebaMenus, KeyDefinitionTakesAPressOfTheGamepadAsTheKeyTheActionHadAndSavesTheSix)
{
    Entorno::ConMando();
    // Up takes the down arrow; down's own key is then taken, so the pad is
    // refused for down and W is given; the other four keep theirs by the pad.
    Jugador j;
    j.Pulsa(KEY_DOWN, 0, 2).Pulsa(KEY_ENTER, 13).Pulsa(KEY_DOWN).Boton(0, 1).Pulsa(KEY_W, 'w');
    for (int a = 2; a < 6; a++) a % 2 == 0 ? j.Boton(1, 1) : j.Palanca(1, 128, 0, 1);
    j.Pulsa(KEY_W, 'w', 3).Pulsa(KEY_ENTER, 13);
    EXPECT_EQ(MenuOpciones(), 0);
    EXPECT_EQ(Entorno::Lee("zumbelo.keys"), (Bytes{'T', KEY_DOWN, KEY_W, KEY_LEFT, KEY_RIGHT, KEY_ENTER, KEY_ESC}));
}

TEST_F(PruebaMenus, AScreenSwitchThatCannotReopenEndsTheProgramAsAFailedStart)
{
    // The datafile is gone when the display starts again; with no xmessage the message goes to stderr.
    ASSERT_EQ(std::remove("datos.dat"), 0);
    setenv("PATH", "/nonexistent", 1);
    Jugador j;
    j.Pulsa(KEY_DOWN, 0, 2).Pulsa(KEY_ENTER, 13).Pulsa(KEY_ENTER, 13);
    EXPECT_EQ(Menu->MenuPpal(), -127);
    EXPECT_EQ(Retorno, 1);
    EXPECT_EQ(Entorno::Lee("zumbelo.cfg")[3], 0) << "the settings file saved, full screen asked";
    EXPECT_FALSE(Entorno::Reloj(RetM));
    Retorno = 0;
}

namespace {

const int Arriba = KEY_UP, Abajo = KEY_DOWN, Izquierda = KEY_LEFT, Derecha = KEY_RIGHT, Intro = KEY_ENTER,
          Escape = KEY_ESC;

// The pause overlay over a red scene. Each cursor walk runs in real time at
// 200 ticks a second.
long MsDesde(std::chrono::steady_clock::time_point inicio)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - inicio).count();
}

class Pausa : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Entorno::ArrancaTodo());
        H->cls(2);  // the frozen scene, red
        H->CopyFondo();
    }
    void TearDown() override { Entorno::Para(); }

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
