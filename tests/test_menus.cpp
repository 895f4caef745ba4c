// The title screen's menu, the settings menu with the key definition, the
// hall of fame and the credits, driven by keys in the real key buffer and by
// a gamepad as the library keeps one.
#include <gtest/gtest.h>

#include <allegro.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "Configuracion.h"
#include "Constantes.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "InyectorTeclas.h"
#include "Menus.h"
#include "Sonido.h"
#include "SprManager.h"
#include "Zumbelo.h"

namespace {

typedef InyectorTeclas::Teclas Teclas;
const int Paso = 400;       // ms after a move between options
const int Eleccion = 1500;  // ms after a choice: the walk-off and the action

// n presses of a key, the first after the pause given.
Teclas Pulsa(int n, int scancode, int ascii = 0, int primera = Paso)
{
    Teclas v(n, InyectorTeclas::Tecla(scancode, ascii, Paso));
    v[0].esperaMs = primera;
    return v;
}
Teclas Baja(int n, int primera = Paso) { return Pulsa(n, KEY_DOWN, 0, primera); }
Teclas Elige(int primera = Paso) { return Pulsa(1, KEY_ENTER, 13, primera); }
Teclas Mira(std::function<void()> mira) { return {{0, 0, Eleccion, mira}}; }  // a look, no press

// The gamepad: a stick or pad pushed, or a button, held for a good while and
// let go, the press after the pause given.
const int Sostenida = 300;  // ms a press is held
Teclas Mando(std::function<void()> pulsa, std::function<void()> suelta, int primera = Paso)
{
    return {{0, 0, primera, std::move(pulsa)}, {0, 0, Sostenida, std::move(suelta)}};
}
Teclas Palanca(int palanca, int x, int y, int primera = Paso)
{
    return Mando([=] { Entorno::Empuja(palanca, x, y); }, [=] { Entorno::Empuja(palanca, 0, 0); }, primera);
}
Teclas Boton(int b, int primera = Paso)
{
    return Mando([=] { Entorno::Boton(b, true); }, [=] { Entorno::Boton(b, false); }, primera);
}

// The settings file as it is on disk now; 99s when it is missing or short.
std::vector<int> FicheroCfg()
{
    unsigned char b[5];
    std::FILE* f = std::fopen("zumbelo.cfg", "rb");
    const size_t leidos = f != nullptr ? std::fread(b, 1, sizeof b, f) : 0;
    if (f != nullptr) std::fclose(f);
    return leidos == sizeof b ? std::vector<int>(b, b + 5) : std::vector<int>(5, 99);
}

bool RelojEnMarcha()
{
    const uint32_t antes = CiclosTempMenu;
    rest(60);
    return CiclosTempMenu != antes;
}

// Rows y0..y1 of the visible 640 x 480 of a bitmap whose screen starts at (margen, margen).
// The rows y0 to y1 of the picture the player sees: the work bitmap, or
// the background shown in its place.
std::vector<int> Vista(int y0 = 0, int y1 = 480)
{
    Entorno::Muestra();
    std::vector<int> v;
    for (int y = y0; y < y1; y++) {
        for (int x = 0; x < 640; x++) v.push_back(Entorno::Pantalla(x, y));
    }
    return v;
}
std::vector<int> VistaFondo(int y0 = 0, int y1 = 480)
{
    Entorno::MuestraFondo();
    return Vista(y0, y1);
}

}  // namespace

class PruebaMenus : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::remove("zumbelo.cfg");
        // Sound into a file, so that the music plays without a sound card.
        std::FILE* f = std::fopen("alsa.conf", "w");
        ASSERT_NE(f, nullptr);
        std::fputs("pcm.!default { type file; slave.pcm \"null\"; file \"/dev/null\"; format \"raw\" }\n", f);
        std::fclose(f);
        setenv("ALSA_CONFIG_PATH", "/usr/share/alsa/alsa.conf:alsa.conf", 1);
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
    static int MenuPrincipal(const Teclas& teclas)
    {
        InyectorTeclas jugador(teclas);
        return Menu->MenuPpal();
    }
    // The settings menu, as the main menu calls it.
    static int MenuOpciones(const Teclas& teclas)
    {
        Pantallazo();
        InyectorTeclas jugador(teclas);
        return Menu->MenuConfig();
    }
    static int Opcion() { return Menu->opcion; }
    static int PosY(int n) { return Menu->posY[n]; }
    static Zumbelo* Figura() { return Menu->figura; }
    static std::vector<std::string> LineasCfg()
    {
        std::vector<std::string> v;
        for (int n = 0; n < 6; n++) {
            char texto[128];
            Menu->TextoCfg(n, texto, sizeof texto);
            v.push_back(texto);
        }
        return v;
    }
    static std::string LineaRecord(const char* nombre, int puntos)
    {
        char texto[64];
        Menus::LineaRecord(texto, sizeof texto, nombre, puntos);
        return texto;
    }
    static int AlturaCredito(int k, int h, int s) { return Menus::AlturaCredito(k, h, s); }
    static int AvanzaCreditos(int s, int h) { return Menus::AvanzaCreditos(s, h); }
};

TEST_F(PruebaMenus, ThePointerWalksBetweenTheSixOptionsAndDropsKeysPressedOnTheWay)
{
    Pantallazo();
    Menu->Desplaza(0, 4);  // up at the first option
    EXPECT_EQ(Opcion(), 0);
    EXPECT_EQ(Figura()->VerY(), 230);
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
    const std::vector<int> espanol = Vista();

    // Language, settings and back, hall of fame, credits; then option 0 starts a game.
    const Teclas teclas = Baja(1) + Elige() + Baja(2, Eleccion) + Elige() + Baja(5, Eleccion) + Elige() +
                          Baja(3, Eleccion) + Elige() + Pulsa(1, KEY_X, 'x', Eleccion) +
                          Baja(4, Eleccion) + Elige() + Pulsa(1, KEY_X, 'x', Eleccion) + Elige(Eleccion);
    EXPECT_EQ(MenuPrincipal(teclas), 1);
    EXPECT_FALSE(RelojEnMarcha());
    EXPECT_EQ(Config->VerIdioma(), 1);
    EXPECT_EQ(FicheroCfg()[0], 1);

    // The menu left on screen is drawn afresh in English, title words and options.
    const std::vector<int> ingles = VistaFondo();
    EXPECT_NE(ingles, espanol);
    Menu->Prepara();
    Menu->PpalTxt();
    EXPECT_EQ(Vista(), ingles);

    EXPECT_EQ(MenuPrincipal(Baja(6) + Elige()), -127);  // Exit
    EXPECT_FALSE(RelojEnMarcha());
}

TEST_F(PruebaMenus, TheGamepadStepsThePointerOncePerPushHoweverLongItIsHeldAndItsFirstButtonChooses)
{
    Entorno::ConMando();
    // The stick held down for two seconds is one step, to the language line,
    // which the first button switches; the pad then walks down to Exit.
    Teclas teclas = Mando([] { Entorno::Empuja(0, 0, 100); }, [] {}) + Palanca(0, 0, 127, 2000) + Boton(0);
    for (int n = 0; n < 5; n++) teclas = teclas + Palanca(1, 0, 128, n == 0 ? Eleccion : Paso);
    EXPECT_EQ(MenuPrincipal(teclas + Boton(1) + Boton(0)), -127) << "the second button chooses nothing";
    EXPECT_EQ(Config->VerIdioma(), 1);
}

TEST_F(PruebaMenus, HallOfFameLinesPadTheNameToNineThenDotsAndTheScore)
{
    EXPECT_EQ(LineaRecord("Ana", 500), "Ana       . . . . . . 500");
    EXPECT_EQ(LineaRecord("Ventisca9", 1000), "Ventisca9 . . . . . . 1000");
    EXPECT_EQ(LineaRecord("", -20), "          . . . . . . -20");
}

TEST_F(PruebaMenus, CreditsRiseOnePixelPerStepRollAgainAndEndOnAnyKey)
{
    EXPECT_EQ(AlturaCredito(1, 20, 21), 479);  // the first line just in at the bottom
    EXPECT_EQ(AlturaCredito(38, 20, 1000), 240);
    for (int h : {20, 10}) {  // one pixel a step; the roll is 40 lines and a screen long
        EXPECT_EQ(AvanzaCreditos(40 * h + 479, h), 40 * h + 480);
        EXPECT_EQ(AvanzaCreditos(40 * h + 480, h), 0);
    }

    Pantallazo();
    Entorno::PulsaTecla(KEY_SPACE, ' ');  // already waiting: ends them at once
    Menu->Creditos();
    EXPECT_FALSE(keypressed());
    std::thread jugador([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        Entorno::PulsaTecla(KEY_Q, 'q');
    });
    Menu->Creditos();
    jugador.join();
    EXPECT_FALSE(keypressed());
    // After two seconds and more the first lines stand over the lower half only.
    const std::vector<int> arriba = Vista(0, 100), abajo = Vista(240, 480);
    EXPECT_EQ(arriba, VistaFondo(0, 100));
    EXPECT_NE(abajo, VistaFondo(240, 480));
}

TEST_F(PruebaMenus, SettingsLinesNameTheCurrentValues)
{
    typedef std::vector<std::string> Lineas;
    const bool v = Config->VerWindowed();
    EXPECT_EQ(LineasCfg(), (Lineas{v ? "En ventana" : "Pantalla completa", "Sonido: On", "Definir teclado",
                                   "Set Grafico: Nuevo", "Frame skipping: 0", "Volver"}));
    Config->ToggleIdioma();
    Config->ToggleSonido();
    Config->ToggleSet();
    for (int n = 0; n < 3; n++) Config->SetSpeed();
    Config->ToggleWindowed();
    EXPECT_EQ(LineasCfg(), (Lineas{v ? "Full Screen" : "Windowed", "Sound: Off", "Define keys",
                                   "Graphic set: Original", "Frame skipping: 3", "Back to main menu"}));
}

TEST_F(PruebaMenus, SettingsLinesSwitchSoundSetAndFrameSkippingRewritingTheFileEachTime)
{
    SFX->MMenu();
    rest(100);
    ASSERT_GE(midi_pos, 0) << "no MIDI player";
    const int v = Config->VerWindowed(), s = Config->VerSpeed();
    std::vector<std::vector<int>> ficheros;
    std::vector<bool> musica;
    const Teclas mira = Mira([&] {
        musica.push_back(midi_pos >= 0);
        ficheros.push_back(FicheroCfg());
    });
    // Sound off and on, frame skipping seven times round, the graphic set three times.
    Teclas teclas = Baja(1) + Elige() + mira + Elige(0) + mira + Baja(3);
    std::vector<std::vector<int>> esperados = {{0, 0, 0, v, s}, {0, 1, 0, v, s}};
    for (int n = 1; n <= 7; n++) {
        teclas = teclas + Elige(n == 1 ? Paso : 0) + mira;
        esperados.push_back({0, 1, 0, v, (s + n) % 7});
    }
    teclas = teclas + Pulsa(1, KEY_UP) + Elige() + mira + Elige(0) + mira + Elige(0) + mira;
    esperados.insert(esperados.end(), {{0, 1, 1, v, s}, {0, 1, 0, v, s}, {0, 1, 1, v, s}});
    EXPECT_EQ(MenuOpciones(teclas + Baja(2, Eleccion) + Elige()), 0);
    ASSERT_EQ(ficheros, esperados);
    EXPECT_FALSE(musica[0]);  // the music stops with the sound
    EXPECT_TRUE(musica[1]);   // and starts again with it

    // The pointer, drawn as it stands, shows one of its two pictures of the set now in use.
    Figura()->SetX(300);
    Figura()->SetY(200);
    bool alguno = false;
    for (int f = 0; f < FotogramasZumbelo; f++) {
        void* dibujo = M->Sprite(TipoAPie, Figura()->VerVariante(), f);
        ASSERT_NE(dibujo, nullptr);
        H->cls(0);
        H->Dibuja(300, 200, dibujo);
        const std::vector<int> esperado = Vista();
        H->cls(0);
        Figura()->Dibuja(false);
        alguno = alguno || Vista() == esperado;
    }
    EXPECT_TRUE(alguno);
}

TEST_F(PruebaMenus, KeyDefinitionRefusesAKeyAlreadyBoundAndTakesAllSixInOrder)
{
    const int esperadas[6] = {KEY_W, KEY_S, KEY_A, KEY_D, KEY_SPACE, KEY_P};
    Teclas teclas = Baja(2) + Elige() + Pulsa(2, KEY_W, 'w', Eleccion);  // the second W is refused for down
    for (int a = 1; a < 6; a++) teclas = teclas + Pulsa(1, esperadas[a], 0, 150);
    // The new keys take the menu out: down is S, select is Space.
    EXPECT_EQ(MenuOpciones(teclas + Pulsa(3, KEY_S, 's', 2000) + Pulsa(1, KEY_SPACE, ' ')), 0);
    for (int a = 0; a < 6; a++) EXPECT_EQ(H->VerTecla(a), esperadas[a]) << "action " << a;
}

TEST_F(PruebaMenus, KeyDefinitionTakesAPressOfTheGamepadAsTheKeyTheActionHadAndSavesTheSix)
{
    Entorno::ConMando();
    // Up takes the down arrow; down's own key is then taken, so the pad is
    // refused for down and W is given; the other four keep theirs by the pad.
    Teclas teclas = Baja(2) + Elige() + Pulsa(1, KEY_DOWN, 0, Eleccion) + Boton(0) + Pulsa(1, KEY_W, 'w');
    for (int a = 2; a < 6; a++) teclas = teclas + (a % 2 == 0 ? Boton(1) : Palanca(1, 128, 0));
    EXPECT_EQ(MenuOpciones(teclas + Pulsa(3, KEY_W, 'w', 2000) + Elige()), 0);
    const int esperadas[6] = {KEY_DOWN, KEY_W, KEY_LEFT, KEY_RIGHT, KEY_ENTER, KEY_ESC};
    for (int a = 0; a < 6; a++) EXPECT_EQ(H->VerTecla(a), esperadas[a]) << "action " << a;
    std::FILE* f = std::fopen("zumbelo.keys", "rb");
    ASSERT_NE(f, nullptr);
    unsigned char b[8];
    const size_t leidos = std::fread(b, 1, sizeof b, f);
    std::fclose(f);
    EXPECT_EQ(std::vector<int>(b, b + leidos), (std::vector<int>{'T', KEY_DOWN, KEY_W, KEY_LEFT, KEY_RIGHT, KEY_ENTER, KEY_ESC}));
}

TEST_F(PruebaMenus, AScreenSwitchThatCannotReopenEndsTheProgramAsAFailedStart)
{
    const int ventana = FicheroCfg()[3];
    // The datafile is gone when the display starts again; with no xmessage the message goes to stderr.
    ASSERT_EQ(std::remove("datos.dat"), 0);
    setenv("PATH", "/nonexistent", 1);
    EXPECT_EQ(MenuPrincipal(Baja(2) + Elige() + Elige(Eleccion)), -127);
    EXPECT_EQ(Retorno, 1);
    EXPECT_EQ(FicheroCfg()[3], ventana == 0 ? 1 : 0);  // the settings file saved
    EXPECT_FALSE(RelojEnMarcha());
    Retorno = 0;
}
