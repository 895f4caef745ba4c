#include "Entorno.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "Arranque.h"
#include "Globales.h"
#include "Hardware.h"

namespace Entorno {

bool ArrancaPantalla()
{
    // Tests play in a window: several test processes share one X display,
    // and only one of them could hold it full screen.
    if (access("zumbelo.cfg", F_OK) != 0) Escribe("zumbelo.cfg", {0, 1, 0, 1, 0});
    // A busy shared X server now and then refuses a window: start again from
    // the library a few times before calling it a failure of the game.
    for (int intento = 0; intento < 5; intento++) {
        Retorno = 0;
        ResMenu = 0;
        if (::ArrancaPantalla()) break;
        Apaga();
    }
    if (H == nullptr) return false;
    // Keep running when another test's window takes the focus. This also
    // drops the game's focus callback, so no phase pauses for another test's
    // window and the test programs can share one X display.
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

std::vector<int> Vista(int y0, int y1)
{
    Muestra();
    std::vector<int> v;
    for (int y = y0; y < y1; y++) {
        for (int x = 0; x < Hardware::AnchoPantalla; x++) v.push_back(Pantalla(x, y));
    }
    return v;
}

std::vector<int> VistaFondo(int y0, int y1)
{
    H->DrawFondoBuffer(0, 0, Hardware::AnchoPantalla, Hardware::AltoPantalla, 0, 0);
    return Vista(y0, y1);
}

bool Reloj(void (*tick)())
{
    for (int t = 0; t < MAX_TIMERS; t++)
        if (_timer_queue[t].proc == tick) return true;
    return false;
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

bool ArrancaBiblioteca()
{
    if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) return false;
    set_color_depth(16);
    return set_gfx_mode(GFX_AUTODETECT_WINDOWED, Hardware::AnchoPantalla, Hardware::AltoPantalla, 0, 0) == 0;
}

void ParaBiblioteca()
{
    allegro_exit();
}

void SonidoEnArchivo(const char* salida)
{
    char dir[512];
    if (getcwd(dir, sizeof dir) == nullptr) return;
    const std::string conf = std::string(dir) + "/alsa.conf";
    const std::string destino = salida[0] == '/' ? salida : std::string(dir) + "/" + salida;
    if (std::FILE* f = std::fopen(conf.c_str(), "w")) {
        std::fprintf(f, "pcm.!default { type file; slave.pcm \"null\"; file \"%s\"; format \"raw\" }\n", destino.c_str());
        std::fclose(f);
    }
    setenv("ALSA_CONFIG_PATH", ("/usr/share/alsa/alsa.conf:" + conf).c_str(), 1);
    setenv("ALLEGRO", dir, 1);
}

Bytes Lee(const char* nombre)
{
    Bytes b;
    std::FILE* f = std::fopen(nombre, "rb");
    for (int c; f != nullptr && (c = std::fgetc(f)) != EOF;) b.push_back(static_cast<unsigned char>(c));
    if (f != nullptr) std::fclose(f);
    return b;
}

void Escribe(const char* nombre, const Bytes& b)
{
    std::remove(nombre);
    std::FILE* f = std::fopen(nombre, "wb");
    if (f == nullptr) return;
    if (!b.empty()) std::fwrite(b.data(), 1, b.size(), f);
    std::fclose(f);
}

}  // namespace Entorno
