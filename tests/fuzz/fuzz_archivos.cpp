// Any bytes as "zumbelo.cfg", "zumbelo.keys" and "scores.his", in the working
// directory (the test gives it one of its own): the settings come out in
// range and a save writes five bytes the next start-up takes as they are;
// keys are taken only whole and usable, and read back once saved; every name
// of the hall of fame ends within its slot, and a saved table reads back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "Configuracion.h"
#include "HiScore.h"
#include "MapaTeclas.h"

namespace {

void Escribe(const char* nombre, const uint8_t* datos, size_t largo)
{
    FILE* f = std::fopen(nombre, "wb");
    if (f == nullptr || (largo > 0 && std::fwrite(datos, 1, largo, f) != largo) || std::fclose(f) != 0) std::abort();
}

void Comprueba(bool bien)
{
    if (!bien) std::abort();
}

void Ajustes()
{
    Configuracion c;
    Comprueba(c.VerIdioma() >= 0 && c.VerIdioma() <= 1 && c.SetGraf() >= 0 && c.SetGraf() <= 1 &&
              c.VerSpeed() >= 0 && c.VerSpeed() <= 6);
    c.SetSpeed();
    Configuracion otra;
    Comprueba(otra.VerIdioma() == c.VerIdioma() && otra.VerSonido() == c.VerSonido() && otra.SetGraf() == c.SetGraf() &&
              otra.VerWindowed() == c.VerWindowed() && otra.VerSpeed() == c.VerSpeed());
}

void Teclas(const uint8_t* datos, size_t largo)
{
    int teclas[MapaTeclas::Acciones] = {-1, -1, -1, -1, -1, -1};
    const bool tomadas = MapaTeclas::Lee(teclas) == 0;
    for (int a = 0; a < MapaTeclas::Acciones; a++)
        Comprueba(tomadas ? largo == 7 && datos[0] == 'T' && teclas[a] == datos[1 + a] : teclas[a] == -1);
    // Keys taken are usable, and so saved and read back.
    int leidas[MapaTeclas::Acciones] = {0, 0, 0, 0, 0, 0};
    Comprueba(!tomadas || (MapaTeclas::Graba(teclas) == 0 && MapaTeclas::Lee(leidas) == 0 &&
                           std::memcmp(leidas, teclas, sizeof teclas) == 0));
}

void Records()
{
    HiScore t;
    for (int r = 0; r < 10; r++) Comprueba(std::memchr(t.LeeNombre(r), '\0', 10) != nullptr);
    Comprueba(t.LeePuntos(-1) == 0 && t.LeePuntos(10) == 0 && t.LeeNombre(10)[0] == '\0');
    Comprueba(t.Save() == 0);
    HiScore otra;
    for (int r = 0; r < 10; r++)
        Comprueba(std::strcmp(otra.LeeNombre(r), t.LeeNombre(r)) == 0 && otra.LeePuntos(r) == t.LeePuntos(r));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    for (const char* nombre : {"zumbelo.cfg", "zumbelo.keys", "scores.his"}) Escribe(nombre, datos, largo);
    Ajustes();
    Teclas(datos, largo);
    Records();
    return 0;
}
