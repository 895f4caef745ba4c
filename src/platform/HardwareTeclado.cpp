// The keys of the display object: the six actions read from the key buffer
// through the player's bindings, which last from one run to the next, and
// from the first gamepad; raw keys and characters, and the waits for a key.
#include "Hardware.h"

#include <allegro.h>

#include <algorithm>
#include <cstdlib>

#include "MapaTeclas.h"

namespace {

// Defaults of the six actions: up, down, left, right, select, pause.
const int TeclasPorDefecto[Hardware::Acciones] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_ENTER, KEY_ESC};

static_assert(MapaTeclas::Acciones == Hardware::Acciones && MapaTeclas::UltimoCodigo == KEY_MAX - 1,
              "the bindings' file keeps the six actions, each a scan code of the library's");

// The gamepad's stick or direction pad. An analogue axis runs from -128 to
// 128: a direction is pressed past half way and let go within a quarter, so
// a stick resting near the middle gives nothing, and one trembling at the
// line gives one press, not many.
const int Empuje = 64;
const int Holgura = 32;
const int Extremo = 128;  // where a digital direction stands

// The first two buttons: select and pause.
const int AccionBoton[] = {Hardware::AccionSeleccionar, Hardware::AccionPausa};
static_assert(sizeof AccionBoton / sizeof AccionBoton[0] == Hardware::BotonesMando, "an action for each button");

// Where an axis of a stick stands, -128 to 128: an analogue one as the
// library reads it, a digital one at its ends.
int Posicion(const JOYSTICK_STICK_INFO& palanca, int eje)
{
    const JOYSTICK_AXIS_INFO& e = palanca.axis[eje];
    if ((palanca.flags & JOYFLAG_ANALOGUE) != 0) return e.pos;
    if (e.d1 != 0) return -Extremo;
    return e.d2 != 0 ? Extremo : 0;
}

// The direction a stick of two axes is pushed, as an action; SinAccion for
// none, or for a one-axis throttle. The direction held before goes on until
// it is let go; a slant counts as its stronger axis.
int Direccion(const JOYSTICK_STICK_INFO& palanca, int anterior)
{
    if (palanca.num_axis < 2 || (palanca.flags & JOYFLAG_UNSIGNED) != 0) return Hardware::SinAccion;
    const int x = Posicion(palanca, 0);
    const int y = Posicion(palanca, 1);
    if ((anterior == Hardware::AccionArriba && y < -Holgura) || (anterior == Hardware::AccionAbajo && y > Holgura) ||
        (anterior == Hardware::AccionIzquierda && x < -Holgura) || (anterior == Hardware::AccionDerecha && x > Holgura))
        return anterior;
    if (std::abs(x) <= Empuje && std::abs(y) <= Empuje) return Hardware::SinAccion;
    if (std::abs(y) >= std::abs(x)) return y < 0 ? Hardware::AccionArriba : Hardware::AccionAbajo;
    return x < 0 ? Hardware::AccionIzquierda : Hardware::AccionDerecha;
}

}  // namespace

int* Hardware::Enlace(int action)
{
    switch (action) {
    case AccionArriba: return &teclaArriba;
    case AccionAbajo: return &teclaAbajo;
    case AccionIzquierda: return &teclaIzquierda;
    case AccionDerecha: return &teclaDerecha;
    case AccionSeleccionar: return &teclaSeleccionar;
    case AccionPausa: return &teclaPausa;
    default: return nullptr;
    }
}

int Hardware::Tecla()
{
    // A key first; with none waiting, or one bound to nothing, the gamepad.
    if (keypressed()) {
        const int scancode = readkey() >> 8;
        // 0 is "unbound", never an action.
        for (int a = 0; a < Acciones && scancode != 0; a++)
            if (*Enlace(a) == scancode) return a;
    }
    return Mando();
}

int Hardware::VerTecla()
{
    if (keypressed()) return readkey();
    return Mando() != SinAccion ? PulsacionMando : SinTecla;
}

int Hardware::VerTecla(int action)
{
    const int* enlace = Enlace(action);
    return enlace != nullptr ? *enlace : 0;
}

void Hardware::GrabarTecla(int action, int raw)
{
    int* enlace = Enlace(action);
    if (enlace == nullptr) return;
    *enlace = raw >> 8;
    // Saved once the six can play the game again, every action bound and no
    // key twice: in a key definition, when the last key is given.
    int teclas[Acciones];
    for (int a = 0; a < Acciones; a++) teclas[a] = *Enlace(a);
    if (MapaTeclas::Validas(teclas)) MapaTeclas::Graba(teclas);
}

void Hardware::EsperaTecla()
{
    ClearKeyBuf();
    // Asleep between looks at the keys and the gamepad; a closed window ends the wait.
    while (!keypressed() && Mando() == SinAccion && !VerCierre()) Espera();
    if (keypressed()) readkey();
}

void Hardware::ClearKeyBuf()
{
    clear_keybuf();
    // What the gamepad holds now is dropped as a waiting key is: held on, it gives nothing.
    OlvidaMando();
}

int Hardware::LeeCaracter()
{
    if (!keypressed()) return SinTecla;
    // readkey would give '^' for a character beyond the 8-bit range.
    int scancode = 0;
    return ureadkey(&scancode);
}

void Hardware::CargaTeclas()
{
    int teclas[Acciones];
    for (int a = 0; a < Acciones; a++) teclas[a] = TeclasPorDefecto[a];
    MapaTeclas::Lee(teclas);  // the player's own, when a whole usable set is stored
    for (int a = 0; a < Acciones; a++) *Enlace(a) = teclas[a];
}

// ---------------------------------------------------------------- gamepad

void Hardware::SondeaMando(int& direccion, bool botones[BotonesMando])
{
    direccion = SinAccion;
    for (int b = 0; b < BotonesMando; b++) botones[b] = false;
    if (!arrancada || poll_joystick() != 0 || num_joysticks < 1) return;
    // The first gamepad. Its stick 0 is its stick, or its direction pad when
    // it has no stick; on one with both the pad is its last stick, since the
    // system numbers a pad's axes after every stick's.
    const JOYSTICK_INFO& j = joy[0];
    const int palancas = std::min(j.num_sticks, MAX_JOYSTICK_STICKS);
    if (palancas > 0) direccion = Direccion(j.stick[0], direccionVista);
    if (direccion == SinAccion && palancas > 1) direccion = Direccion(j.stick[palancas - 1], direccionVista);
    for (int b = 0; b < BotonesMando && b < j.num_buttons; b++) botones[b] = j.button[b].b != 0;
}

int Hardware::Mando()
{
    int direccion = SinAccion;
    bool botones[BotonesMando];
    SondeaMando(direccion, botones);
    // One new press a call, as one key a call: a press that comes with it
    // waits for the next call.
    if (direccion != direccionVista) {
        direccionVista = direccion;
        if (direccion != SinAccion) return direccion;
    }
    for (int b = 0; b < BotonesMando; b++) {
        if (botones[b] == botonVisto[b]) continue;
        botonVisto[b] = botones[b];
        if (botones[b]) return AccionBoton[b];
    }
    return SinAccion;
}

void Hardware::OlvidaMando()
{
    int direccion = SinAccion;
    bool botones[BotonesMando];
    SondeaMando(direccion, botones);
    direccionVista = direccion;
    for (int b = 0; b < BotonesMando; b++) botonVisto[b] = botones[b];
}
