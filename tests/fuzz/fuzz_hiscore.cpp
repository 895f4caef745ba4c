// Any bytes as "scores.his": every name ends within its slot and a save
// writes a 141-byte table with zero-filled names that reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "Directorio.h"
#include "HiScore.h"

namespace {

const char* const Archivo = "scores.his";
const int Rangos = 10;
const int LargoRegistro = 14;
const int LargoTabla = 1 + Rangos * LargoRegistro;

// Terminated within ten bytes, whatever the file held.
bool NombresCerrados(HiScore& t)
{
    for (int r = 0; r < Rangos; r++)
        if (std::memchr(t.LeeNombre(r), '\0', 10) == nullptr) return false;
    return true;
}

// The table on disk: the marker, each name with only zeros after its end,
// and each record equal to what t holds.
bool TablaDe(HiScore& t)
{
    unsigned char b[LargoTabla + 1];
    if (LeeArchivo(Archivo, b, LargoTabla) != size_t(LargoTabla) || b[0] != 'R') return false;
    for (int r = 0; r < Rangos; r++) {
        const unsigned char* reg = b + 1 + r * LargoRegistro;
        unsigned char esperado[LargoRegistro] = {0};
        std::memcpy(esperado, t.LeeNombre(r), std::strlen(t.LeeNombre(r)));
        const uint32_t u = static_cast<uint32_t>(t.LeePuntos(r));
        for (int k = 0; k < 4; k++) esperado[10 + k] = (u >> (8 * k)) & 0xFF;
        if (std::memcmp(reg, esperado, LargoRegistro) != 0) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    EntraEnDirectorioPropio();
    EscribeArchivo(Archivo, datos, largo);
    HiScore t;
    if (!NombresCerrados(t)) std::abort();
    // Ranks outside the table read as nothing and take nothing.
    if (t.LeePuntos(-1) != 0 || t.LeePuntos(Rangos) != 0 || t.LeeNombre(Rangos)[0] != '\0') std::abort();
    if (t.Save() != 0 || !TablaDe(t)) std::abort();
    HiScore otra;
    if (!NombresCerrados(otra) || !TablaDe(otra)) std::abort();
    return 0;
}
