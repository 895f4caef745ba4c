// Any bytes as "zumbelo.cfg": the settings come out in range and a save
// writes five valid bytes that the next start-up takes as they are.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "Configuracion.h"
#include "Directorio.h"

namespace {

const char* const Archivo = "zumbelo.cfg";

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    EntraEnDirectorioPropio();
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
