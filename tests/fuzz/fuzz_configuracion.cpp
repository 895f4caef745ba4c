// Any bytes as "zumbelo.cfg" and as "zumbelo.keys": the settings come out in
// range and a save writes five valid bytes that the next start-up takes as
// they are; the keys are taken only as six usable ones, and a save writes
// seven bytes that read back to them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "Configuracion.h"
#include "Directorio.h"
#include "MapaTeclas.h"

namespace {

const char* const Archivo = "zumbelo.cfg";
const char* const ArchivoTeclas = "zumbelo.keys";

bool EnRango(Configuracion& c)
{
    return (c.VerIdioma() == 0 || c.VerIdioma() == 1) && (c.SetGraf() == 0 || c.SetGraf() == 1) &&
           c.VerSpeed() >= 0 && c.VerSpeed() <= 6;
}

// The five bytes on disk are exactly the settings of c.
bool ArchivoDe(Configuracion& c)
{
    unsigned char b[8];
    if (LeeArchivo(Archivo, b, 5) != 5) return false;
    const unsigned char esperado[5] = {
        static_cast<unsigned char>(c.VerIdioma()), static_cast<unsigned char>(c.VerSonido()),
        static_cast<unsigned char>(c.SetGraf()), static_cast<unsigned char>(c.VerWindowed()),
        static_cast<unsigned char>(c.VerSpeed())};
    return std::memcmp(b, esperado, 5) == 0;
}

// Six keys the game can be played with: each a scan code 1..126, none twice.
bool Usables(const int* t)
{
    for (int a = 0; a < MapaTeclas::Acciones; a++) {
        if (t[a] < 1 || t[a] > 126) return false;
        for (int b = 0; b < a; b++)
            if (t[b] == t[a]) return false;
    }
    return true;
}

// The keys of the input: taken whole when usable, else none and left as they were.
void CompruebaTeclas(const uint8_t* datos, size_t largo)
{
    EscribeArchivo(ArchivoTeclas, datos, largo);
    int teclas[MapaTeclas::Acciones] = {-1, -1, -1, -1, -1, -1};
    const int r = MapaTeclas::Lee(teclas);
    if (r == 0 && (largo != 7 || datos[0] != 'T' || !Usables(teclas))) std::abort();
    for (int a = 0; a < MapaTeclas::Acciones; a++) {
        if (r == 0 && teclas[a] != datos[1 + a]) std::abort();
        if (r != 0 && teclas[a] != -1) std::abort();
    }
    // The save of the keys just read, or of keys made from the input's bytes:
    // written only when usable, and then read back as they are.
    int nuevas[MapaTeclas::Acciones];
    for (int a = 0; a < MapaTeclas::Acciones; a++) nuevas[a] = largo > static_cast<size_t>(a) ? datos[a] : a + 1;
    const bool validas = Usables(nuevas);
    if ((MapaTeclas::Graba(nuevas) == 0) != validas) std::abort();
    int leidas[MapaTeclas::Acciones] = {0, 0, 0, 0, 0, 0};
    if ((MapaTeclas::Lee(leidas) == 0) != (validas || r == 0)) std::abort();
    if (validas && std::memcmp(leidas, nuevas, sizeof nuevas) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    EntraEnDirectorioPropio();
    CompruebaTeclas(datos, largo);
    EscribeArchivo(Archivo, datos, largo);
    Configuracion c;
    if (!EnRango(c)) std::abort();
    if (c.Save() != 0 || !ArchivoDe(c)) std::abort();
    c.ToggleSet();
    c.SetSpeed();
    if (!EnRango(c) || !ArchivoDe(c)) std::abort();
    Configuracion otra;
    if (!ArchivoDe(otra) || otra.VerSpeed() != c.VerSpeed() || otra.SetGraf() != c.SetGraf()) std::abort();
    return 0;
}
