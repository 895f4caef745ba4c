#include "Entorno.h"

#include <allegro.h>
#include <cstdio>
#include <unistd.h>

#include "Arranque.h"
#include "Globales.h"
#include "Hardware.h"

namespace Entorno {

bool ArrancaPantalla()
{
    // Tests play in a window: several test processes share one X display,
    // and only one of them could hold it full screen.
    if (std::FILE* f = std::fopen("zumbelo.cfg", "rb")) {
        std::fclose(f);
    } else if (std::FILE* g = std::fopen("zumbelo.cfg", "wb")) {
        const unsigned char ventana[5] = {0, 1, 0, 1, 0};
        std::fwrite(ventana, 1, sizeof ventana, g);
        std::fclose(g);
    }
    // A busy shared X server now and then refuses a window: try a few times
    // before calling it a failure of the game.
    for (int intento = 0; intento < 3; intento++) {
        Retorno = 0;
        ResMenu = 0;
        if (::ArrancaPantalla()) break;
        Apaga();
        usleep(300000);
    }
    if (H == nullptr) return false;
    // Keep running when another test's window takes the focus.
    set_display_switch_mode(SWITCH_BACKGROUND);
    return true;
}

bool ArrancaTodo()
{
    if (!ArrancaPantalla()) return false;
    ArrancaObjetos();
    return true;
}

void Para()
{
    Apaga();
}

void Muestra()
{
    H->VuelcaBuffer();
    H->Rest(0);  // a frame put off until the next refresh goes through now
}

int Pantalla(int x, int y)
{
    return getpixel(screen, H->VerOrigenX() + x * H->VerEscala(), H->VerOrigenY() + y * H->VerEscala());
}

void MuestraFondo()
{
    H->DrawFondoBuffer(0, 0, Hardware::AnchoPantalla, Hardware::AltoPantalla, 0, 0);
    Muestra();
}

void PulsaTecla(int scancode, int ascii)
{
    simulate_keypress((scancode << 8) | (ascii & 0xFF));
}

const char* DirectorioJuego()
{
    return ZUMBELO_RUN_DIR;
}

}  // namespace Entorno
