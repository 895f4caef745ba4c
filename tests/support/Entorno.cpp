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

void ConMando()
{
    remove_joystick();
    install_joystick(JOY_TYPE_NONE);
    num_joysticks = 1;
    JOYSTICK_INFO& j = joy[0];
    j.flags = JOYFLAG_ANALOGUE | JOYFLAG_DIGITAL;
    j.num_sticks = 2;
    j.num_buttons = 2;
    j.stick[0].flags = JOYFLAG_ANALOGUE | JOYFLAG_SIGNED;
    j.stick[1].flags = JOYFLAG_DIGITAL | JOYFLAG_SIGNED;
    for (int p = 0; p < 2; p++) {
        j.stick[p].num_axis = 2;
        Empuja(p, 0, 0);
    }
    for (int b = 0; b < 2; b++) Boton(b, false);
}

void Empuja(int palanca, int x, int y)
{
    JOYSTICK_AXIS_INFO* eje = joy[0].stick[palanca].axis;
    const int pos[2] = {x, y};
    for (int e = 0; e < 2; e++) {
        eje[e].pos = pos[e];
        eje[e].d1 = pos[e] < 0;
        eje[e].d2 = pos[e] > 0;
    }
}

void Boton(int b, bool pulsado)
{
    joy[0].button[b].b = pulsado ? 1 : 0;
}

const char* DirectorioJuego()
{
    return ZUMBELO_RUN_DIR;
}

}  // namespace Entorno
