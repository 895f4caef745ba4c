// The title screen's menu, the settings menu with the key definition, the
// hall of fame and the credits, driven by keys in the real key buffer.
#include <gtest/gtest.h>

#include <allegro.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "Configuracion.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "InyectorTeclas.h"
#include "Menus.h"
#include "Sonido.h"
#include "SprManager.h"
#include "Zumbelo.h"

namespace {

typedef std::vector<InyectorTeclas::Pulsacion> Teclas;
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
Teclas Mira(std::function<void()> mira) { return {InyectorTeclas::Mira(Eleccion, mira)}; }

Teclas operator+(Teclas a, const Teclas& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Byte n of the settings file as it is on disk now.
int ByteConfig(int n)
{
    unsigned char b[5] = {9, 9, 9, 9, 9};
    std::FILE* f = std::fopen("zumbelo.cfg", "rb");
    if (f != nullptr) {
        if (std::fread(b, 1, sizeof b, f) != sizeof b) b[n] = 99;
        std::fclose(f);
    }
    return b[n];
}

bool RelojEnMarcha()
{
    const uint32_t antes = CiclosTempMenu;
    rest(60);
    return CiclosTempMenu != antes;
}

// The visible 640 x 480 of a bitmap whose screen starts at (margen, margen).
std::vector<int> Pantalla(BITMAP* b, int margen, int y0 = 0, int y1 = 480)
{
    std::vector<int> v;
    for (int y = y0; y < y1; y++) {
        for (int x = 0; x < 640; x++) v.push_back(getpixel(b, x + margen, y + margen));
    }
    return v;
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
        char dir[512];
        ASSERT_NE(getcwd(dir, sizeof dir), nullptr);
        setenv("ALSA_CONFIG_PATH", (std::string("/usr/share/alsa/alsa.conf:") + dir + "/alsa.conf").c_str(), 1);

        ASSERT_TRUE(Entorno::ArrancaTodo());
        Menu = new Menus;
    }
    void TearDown() override
    {
        remove_int(RetM);
        delete Menu;
        Menu = nullptr;
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

    static int MenuPrincipal(Teclas teclas)
    {
        InyectorTeclas* jugador = InyectorTeclas::TrasVaciado(teclas);
        const int r = Menu->MenuPpal();
        delete jugador;
        return r;
    }

    // The settings menu, as the main menu calls it.
    static int MenuOpciones(Teclas teclas)
    {
        Pantallazo();
        InyectorTeclas* jugador = InyectorTeclas::TrasVaciado(teclas);
        const int r = Menu->MenuConfig();
        delete jugador;
        return r;
    }

    static int Opcion() { return Menu->opcion; }
    static int PosY(int n) { return Menu->posY[n]; }
    static Zumbelo* Figura() { return Menu->figura; }
    static std::string LineaCfg(int n)
    {
        char texto[128];
        Menu->TextoCfg(n, texto, sizeof texto);
        return texto;
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

// ---------------------------------------------------------------- the pointer

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
        EXPECT_EQ(keypressed() != 0, n == 6);  // down at the last option does nothing
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

// ---------------------------------------------------------------- the main menu

TEST_F(PruebaMenus, StartGameAndExitEndTheMenuWithItsTimer)
{
    Entorno::PulsaTecla(KEY_ENTER, 13);
    EXPECT_EQ(Menu->MenuPpal(), 1);
    EXPECT_FALSE(RelojEnMarcha());

    EXPECT_EQ(MenuPrincipal(Baja(6) + Elige()), -127);
    EXPECT_FALSE(RelojEnMarcha());
}

TEST_F(PruebaMenus, TheLanguageOptionSwitchesEveryTextAndGoesBackToTheFirstOption)
{
    Menu->Prepara();
    Menu->PpalTxt();
    const std::vector<int> espanol = Pantalla(H->VerBuffer(), Hardware::Margen);

    // The switch, then Enter on option 0 starts a game.
    EXPECT_EQ(MenuPrincipal(Baja(1) + Elige() + Elige(Eleccion)), 1);
    EXPECT_EQ(Config->VerIdioma(), 1);
    EXPECT_EQ(ByteConfig(0), 1);

    // The menu left on screen is drawn afresh in English, title words and options.
    const std::vector<int> ingles = Pantalla(H->VerFondo(), 0);
    EXPECT_NE(ingles, espanol);
    Menu->Prepara();
    Menu->PpalTxt();
    EXPECT_EQ(Pantalla(H->VerBuffer(), Hardware::Margen), ingles);
}

TEST_F(PruebaMenus, SettingsHallOfFameAndCreditsAllComeBackToTheFirstOption)
{
    const Teclas teclas = Baja(2) + Elige() + Baja(5, Eleccion) + Elige() +  // settings, back
                          Baja(3, Eleccion) + Elige() + Pulsa(1, KEY_X, 'x', Eleccion) +  // hall of fame
                          Baja(4, Eleccion) + Elige() + Pulsa(1, KEY_X, 'x', Eleccion) +  // credits
                          Elige(Eleccion);  // option 0: a game
    EXPECT_EQ(MenuPrincipal(teclas), 1);
}

// ---------------------------------------------------------------- hall of fame and credits

TEST_F(PruebaMenus, HallOfFameLinesPadTheNameToNineThenDotsAndTheScore)
{
    EXPECT_EQ(LineaRecord("Ana", 500), "Ana       . . . . . . 500");
    EXPECT_EQ(LineaRecord("Paco", 1000), "Paco      . . . . . . 1000");
    EXPECT_EQ(LineaRecord("Ventisca9", 100), "Ventisca9 . . . . . . 100");
    EXPECT_EQ(LineaRecord("", -20), "          . . . . . . -20");
}

TEST_F(PruebaMenus, CreditLinesRiseOnePixelPerStepAndTheRollStartsAgain)
{
    const int h = 20;
    EXPECT_EQ(AlturaCredito(1, h, 0), 500);
    EXPECT_EQ(AlturaCredito(1, h, 21), 479);  // the first line just in at the bottom
    EXPECT_EQ(AlturaCredito(38, h, 1000), 240);
    EXPECT_EQ(AvanzaCreditos(1279, h), 1280);
    EXPECT_EQ(AvanzaCreditos(1280, h), 0);
    int s = 0;
    int pasos = 0;
    do {
        s = AvanzaCreditos(s, h);
        pasos++;
    } while (s != 0 && pasos < 5000);
    EXPECT_EQ(pasos, 1281);
}

TEST_F(PruebaMenus, TheCreditsRollUntilAnyKeyWhichIsUsedUp)
{
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
    EXPECT_EQ(Pantalla(H->VerBuffer(), Hardware::Margen, 0, 100), Pantalla(H->VerFondo(), 0, 0, 100));
    EXPECT_NE(Pantalla(H->VerBuffer(), Hardware::Margen, 240, 480), Pantalla(H->VerFondo(), 0, 240, 480));
}

// ---------------------------------------------------------------- the settings menu

TEST_F(PruebaMenus, SettingsLinesNameTheCurrentValues)
{
    const bool ventana = Config->VerWindowed();
    EXPECT_EQ(LineaCfg(0), ventana ? "En ventana" : "Pantalla completa");
    EXPECT_EQ(LineaCfg(1), "Sonido: On");
    EXPECT_EQ(LineaCfg(2), "Definir teclado");
    EXPECT_EQ(LineaCfg(3), "Set Grafico: Nuevo");
    EXPECT_EQ(LineaCfg(4), "Frame skipping: 0");
    EXPECT_EQ(LineaCfg(5), "Volver");

    Config->ToggleIdioma();
    Config->ToggleSonido();
    Config->ToggleSet();
    for (int n = 0; n < 3; n++) Config->SetSpeed();
    Config->ToggleWindowed();
    EXPECT_EQ(LineaCfg(0), ventana ? "Full Screen" : "Windowed");
    EXPECT_EQ(LineaCfg(1), "Sound: Off");
    EXPECT_EQ(LineaCfg(2), "Define keys");
    EXPECT_EQ(LineaCfg(3), "Graphic set: Original");
    EXPECT_EQ(LineaCfg(4), "Frame skipping: 3");
    EXPECT_EQ(LineaCfg(5), "Back to main menu");
}

TEST_F(PruebaMenus, TheSoundLineStopsTheMusicAndStartsItAgain)
{
    SFX->MMenu();
    rest(100);
    ASSERT_GE(midi_pos, 0) << "no MIDI player";

    std::vector<long> posiciones;
    std::vector<int> sonido;
    auto mira = [&] {
        posiciones.push_back(static_cast<long>(midi_pos));
        sonido.push_back(ByteConfig(1));
    };
    EXPECT_EQ(MenuOpciones(Baja(1) + Elige() + Mira(mira) + Elige(0) + Mira(mira) + Baja(4) + Elige()), 0);
    ASSERT_EQ(posiciones.size(), 2u);
    EXPECT_LT(posiciones[0], 0);
    EXPECT_EQ(sonido[0], 0);
    EXPECT_GE(posiciones[1], 0);
    EXPECT_EQ(sonido[1], 1);
}

TEST_F(PruebaMenus, FrameSkippingStepsSevenTimesBackToItsValueRewritingTheFile)
{
    const int inicial = Config->VerSpeed();
    std::vector<int> vistos;
    Teclas teclas = Baja(4);
    for (int n = 0; n < 7; n++) {
        teclas = teclas + Elige(n == 0 ? Paso : 0) + Mira([&] { vistos.push_back(ByteConfig(4)); });
    }
    EXPECT_EQ(MenuOpciones(teclas + Baja(1) + Elige()), 0);

    std::vector<int> esperados;
    for (int n = 1; n <= 7; n++) esperados.push_back((inicial + n) % 7);
    EXPECT_EQ(vistos, esperados);
    EXPECT_EQ(Config->VerSpeed(), inicial);
}

TEST_F(PruebaMenus, TheGraphicSetLineRebuildsTheSheetAndThePointerDrawsFromIt)
{
    std::vector<int> sets;
    auto mira = [&] { sets.push_back(ByteConfig(2)); };
    const Teclas otraVez = Elige(0) + Mira(mira);
    EXPECT_EQ(MenuOpciones(Baja(3) + Elige() + Mira(mira) + otraVez + otraVez + Baja(2) + Elige()), 0);
    EXPECT_EQ(sets, (std::vector<int>{1, 0, 1}));

    // The pointer, drawn as it stands, shows one of its pictures of the set now in use.
    H->ClrFondo(0);
    H->DrawFondoBuffer(0, 0, 640, 480, 0, 0);
    Figura()->SetX(300);
    Figura()->SetY(200);
    Figura()->Dibuja(false);
    int iguales = 0;
    for (int f = 0; f < 2; f++) {
        BITMAP* dibujo = M->Imagen(SprManager::Entrada(6, Figura()->VerVariante(), f));
        ASSERT_NE(dibujo, nullptr);
        bool igual = true;
        for (int y = 0; y < dibujo->h; y++) {
            for (int x = 0; x < dibujo->w; x++) {
                const int p = getpixel(dibujo, x, y);
                const int visto = getpixel(H->VerBuffer(), 300 + x + Hardware::Margen, 200 + y + Hardware::Margen);
                if (visto != (p == makecol16(255, 0, 255) ? 0 : p)) igual = false;
            }
        }
        iguales += igual;
    }
    EXPECT_GE(iguales, 1);
}

TEST_F(PruebaMenus, KeyDefinitionRefusesAKeyAlreadyBoundAndTakesAllSixInOrder)
{
    const Teclas nuevas = Pulsa(2, KEY_W, 'w', Eleccion) +  // the second W is refused for down
                          Pulsa(1, KEY_S, 's', 150) + Pulsa(1, KEY_A, 'a', 150) + Pulsa(1, KEY_D, 'd', 150) +
                          Pulsa(1, KEY_SPACE, ' ', 150) + Pulsa(1, KEY_P, 'p', 150);
    // The new keys take the menu out: down is S, select is Space.
    EXPECT_EQ(MenuOpciones(Baja(2) + Elige() + nuevas + Pulsa(3, KEY_S, 's', 2000) + Pulsa(1, KEY_SPACE, ' ')), 0);
    const int esperadas[6] = {KEY_W, KEY_S, KEY_A, KEY_D, KEY_SPACE, KEY_P};
    for (int a = 0; a < 6; a++) EXPECT_EQ(H->VerTecla(a), esperadas[a]) << "action " << a;
}

TEST_F(PruebaMenus, AScreenSwitchThatCannotReopenEndsTheProgramAsAFailedStart)
{
    const int ventana = ByteConfig(3);
    // The datafile is gone when the display starts again; the message goes
    // to the error output, as no xmessage can be found.
    ASSERT_EQ(unlink("datos.dat"), 0);
    setenv("PATH", "/nonexistent", 1);

    EXPECT_EQ(MenuPrincipal(Baja(2) + Elige() + Elige(Eleccion)), -127);
    EXPECT_EQ(Retorno, 1);
    EXPECT_EQ(ByteConfig(3), ventana == 0 ? 1 : 0);  // the settings file saved
    EXPECT_FALSE(RelojEnMarcha());
    Retorno = 0;
}
