// The keys of the display object: the six actions read from the key buffer
// through the player's bindings, which last from one run to the next, raw
// keys and characters, and the waits for a key.
#include "Hardware.h"

#include <allegro.h>

#include "MapaTeclas.h"

namespace {

// Defaults of the six actions: up, down, left, right, select, pause.
const int TeclasPorDefecto[Hardware::Acciones] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_ENTER, KEY_ESC};

static_assert(MapaTeclas::Acciones == Hardware::Acciones && MapaTeclas::UltimoCodigo == KEY_MAX - 1,
              "the bindings' file keeps the six actions, each a scan code of the library's");

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
    if (!keypressed()) return SinAccion;
    const int scancode = readkey() >> 8;
    if (scancode == 0) return SinAccion;  // 0 is "unbound", never an action
    for (int a = 0; a < Acciones; a++)
        if (*Enlace(a) == scancode) return a;
    return SinAccion;
}

int Hardware::VerTecla()
{
    if (!keypressed()) return SinTecla;
    return readkey();
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
    clear_keybuf();
    // Asleep between looks at the key buffer; a closed window ends the wait.
    while (!keypressed() && !VerCierre()) Espera();
    if (keypressed()) readkey();
}

void Hardware::ClearKeyBuf()
{
    clear_keybuf();
}

bool Hardware::Esc()
{
    return key[KEY_ESC] != 0;
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
