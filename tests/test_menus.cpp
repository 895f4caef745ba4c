// The title screen's menu, the settings menu with the key definition and the
// credits, driven by a player at the real key buffer and at a gamepad as the
// library keeps one; each press comes when the menu looks for a key.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Configuracion.h"
#include "Constantes.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "Jugador.h"
#include "Menus.h"
#include "Sonido.h"
#include "SprManager.h"
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
    static unsigned Pasos() { return Menu->ciclos; }
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

TEST_F(PruebaMenus, EveryOptionDoesItsActionAndComesBackToTheFirstOption)
{
    Menu->Prepara();
    Menu->PpalTxt();
    const std::vector<int> espanol = Entorno::Vista();
    {
        // Language; settings and back; hall of fame; credits; then option 0 starts a game.
        Jugador j;
        j.Pulsa(KEY_DOWN).Pulsa(KEY_ENTER, 13);
        j.Pulsa(KEY_DOWN, 0, 2).Pulsa(KEY_ENTER, 13).Pulsa(KEY_DOWN, 0, 5).Pulsa(KEY_ENTER, 13);
        j.Pulsa(KEY_DOWN, 0, 3).Pulsa(KEY_ENTER, 13).Pulsa(KEY_X, 'x');
        j.Pulsa(KEY_DOWN, 0, 4).Pulsa(KEY_ENTER, 13).Pulsa(KEY_X, 'x').Pulsa(KEY_ENTER, 13);
        EXPECT_EQ(Menu->MenuPpal(), 1);
        EXPECT_TRUE(j.Terminado());
    }
    EXPECT_FALSE(Entorno::Reloj(RetM)) << "the menu's tick is removed when it ends";
    EXPECT_EQ(Entorno::Lee("zumbelo.cfg")[0], 1);

    // The menu left on screen is drawn afresh in English, title words and options.
    const std::vector<int> ingles = Entorno::VistaFondo();
    EXPECT_NE(ingles, espanol);
    Menu->Prepara();
    Menu->PpalTxt();
    EXPECT_EQ(Entorno::Vista(), ingles);

    Jugador j;
    j.Pulsa(KEY_DOWN, 0, 6).Pulsa(KEY_ENTER, 13);
    EXPECT_EQ(Menu->MenuPpal(), -127);  // Exit
    EXPECT_FALSE(Entorno::Reloj(RetM));
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

TEST_F(PruebaMenus, CreditsRiseOnePixelPerStepUntilAnyKey)
{
    Pantallazo();
    {
        Jugador j;
        j.Cuando([] { return Pasos() >= 250; }).Pulsa(KEY_Q, 'q');
        Menu->Creditos();
        EXPECT_FALSE(keypressed());
    }
    // After 250 steps the first lines stand over the lower half only.
    const std::vector<int> arriba = Entorno::Vista(0, 100), abajo = Entorno::Vista(240, 480);
    EXPECT_EQ(arriba, Entorno::VistaFondo(0, 100));
    EXPECT_NE(abajo, Entorno::VistaFondo(240, 480));
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

    // The pointer shows one of its pictures of the set now in use.
    Figura()->SetX(300);
    Figura()->SetY(200);
    H->cls(0);
    Figura()->Dibuja(false);
    const std::vector<int> visto = Entorno::Vista();
    bool alguno = false;
    for (int f = 0; f < FotogramasZumbelo; f++) {
        H->cls(0);
        H->Dibuja(300, 200, M->Sprite(TipoAPie, Figura()->VerVariante(), f));
        alguno = alguno || Entorno::Vista() == visto;
    }
    EXPECT_TRUE(alguno);
}

TEST_F(PruebaMenus, KeyDefinitionRefusesAKeyAlreadyBoundAndTakesAllSixInOrder)
{
    const int esperadas[6] = {KEY_W, KEY_S, KEY_A, KEY_D, KEY_SPACE, KEY_P};
    Jugador j;
    j.Pulsa(KEY_DOWN, 0, 2).Pulsa(KEY_ENTER, 13).Pulsa(KEY_W, 'w', 2);  // the second W is refused for down
    for (int a = 1; a < 6; a++) j.Pulsa(esperadas[a]);
    // The new keys take the menu out: down is S, select is Space.
    j.Pulsa(KEY_S, 's', 3).Pulsa(KEY_SPACE, ' ');
    EXPECT_EQ(MenuOpciones(), 0);
    for (int a = 0; a < 6; a++) EXPECT_EQ(H->VerTecla(a), esperadas[a]) << "action " << a;
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
