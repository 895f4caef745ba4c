#include "Jugador.h"

#include <allegro.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "Entorno.h"

namespace {

Jugador* activo = nullptr;
const long long Atasco = 60000;  // ms of looks without a step: the screen is stuck

long long Ahora()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

Jugador::Jugador()
{
    activo = this;
    install_keyboard_hooks(Mira, nullptr);
}

Jugador::~Jugador()
{
    install_keyboard_hooks(nullptr, nullptr);
    activo = nullptr;
}

int Jugador::Mira()
{
    return activo != nullptr ? activo->Atiende() : FALSE;
}

int Jugador::Atiende()
{
    if (miradas++ == 0) {
        desde = Ahora();  // the first look since the last step
    } else if (Ahora() - desde > Atasco) {
        std::fprintf(stderr, "the screen looked for keys for a minute at step %zu of %zu\n", siguiente, pasos.size());
        std::abort();
    }
    if (Terminado()) return FALSE;
    const Paso& p = pasos[siguiente];
    if (miradas < p.tras || (p.listo && !p.listo())) return FALSE;
    siguiente++;
    miradas = 0;
    p.haz();
    return p.tecla ? TRUE : FALSE;
}

Jugador& Jugador::Agrega(std::function<void()> haz, int tras, bool tecla)
{
    pasos.push_back(Paso{condicion, std::move(haz), tras, tecla});
    condicion = nullptr;
    return *this;
}

Jugador& Jugador::Pulsa(int scancode, int caracter, int veces)
{
    for (int n = 0; n < veces; n++) Agrega([=] { simulate_ukeypress(caracter, scancode); }, 1, true);
    return *this;
}

Jugador& Jugador::Escribe(const char* texto)
{
    for (const char* c = texto; *c != '\0'; c++) Pulsa(KEY_SLASH, static_cast<unsigned char>(*c));
    return *this;
}

Jugador& Jugador::Juntas(std::initializer_list<int> scancodes)
{
    std::vector<int> v(scancodes);
    return Agrega([v] { for (int t : v) simulate_ukeypress(0, t); }, 1, true);
}

Jugador& Jugador::Haz(std::function<void()> accion, int tras)
{
    return Agrega(std::move(accion), tras, false);
}

Jugador& Jugador::Cuando(std::function<bool()> listo)
{
    condicion = std::move(listo);
    return *this;
}

Jugador& Jugador::Palanca(int palanca, int x, int y, int sostenida)
{
    Haz([=] { Entorno::Empuja(palanca, x, y); });
    return Haz([=] { Entorno::Empuja(palanca, 0, 0); }, sostenida);
}

Jugador& Jugador::Boton(int b, int sostenida)
{
    Haz([=] { Entorno::Boton(b, true); });
    return Haz([=] { Entorno::Boton(b, false); }, sostenida);
}
