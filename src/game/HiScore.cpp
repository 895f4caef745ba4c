#include "HiScore.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "Archivo.h"

namespace {

const char* const Fichero = "scores.his";
const char Marca = 'R';
const int Rangos = 10;
const int LargoNombre = 10;            // slot size: 9 characters and the terminator
const int LargoPuntos = 4;
const int LargoRegistro = LargoNombre + LargoPuntos;
const int LargoArchivo = 1 + Rangos * LargoRegistro;  // 141

const char* const NombresIniciales[Rangos] = {
    "Ventisca", "Nieves", "Telesquis", "Anselmo", "Copos SL",
    "Maribel", "Glaciar", "Rosendo", "Escarcha", "Trineos",
};

bool RangoValido(int rank) { return rank >= 0 && rank < Rangos; }

// Scores are stored as signed 32-bit little-endian values.
int32_t LeeEntero(const unsigned char* p)
{
    const uint32_t u = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                       uint32_t(p[3]) << 24;
    int32_t v;
    std::memcpy(&v, &u, sizeof v);
    return v;
}

void EscribeEntero(unsigned char* p, int32_t v)
{
    uint32_t u;
    std::memcpy(&u, &v, sizeof u);
    p[0] = u & 0xFF;
    p[1] = (u >> 8) & 0xFF;
    p[2] = (u >> 16) & 0xFF;
    p[3] = (u >> 24) & 0xFF;
}

struct Registro {
    char nombre[LargoNombre];
    int32_t puntos;
};

// The whole records of a table read from the file, in rank order; their
// count (0 when the file does not begin with the marker). A name never runs
// past its slot.
int Registros(const unsigned char* datos, size_t largo, Registro* registros)
{
    if (largo < 1 || datos[0] != static_cast<unsigned char>(Marca)) return 0;
    int n = 0;
    while (n < Rangos && 1 + static_cast<size_t>(n + 1) * LargoRegistro <= largo) {
        const unsigned char* registro = datos + 1 + static_cast<size_t>(n) * LargoRegistro;
        std::memcpy(registros[n].nombre, registro, LargoNombre);
        registros[n].nombre[LargoNombre - 1] = '\0';
        registros[n].puntos = LeeEntero(registro + LargoNombre);
        n++;
    }
    return n;
}

// Whether an entry is among the records not yet taken; it takes the first
// equal one.
bool Empareja(const char* nombre, int32_t puntos, const Registro* registros, int n, bool* tomado)
{
    for (int k = 0; k < n; k++) {
        if (!tomado[k] && registros[k].puntos == puntos && std::strcmp(registros[k].nombre, nombre) == 0) {
            tomado[k] = true;
            return true;
        }
    }
    return false;
}

}  // namespace

HiScore::HiScore() : marca(0), i(0), visto(), largoVisto(0)
{
    for (i = 0; i < Rangos; i++) puntos[i] = (Rangos - i) * 100;
    for (i = 0; i < Rangos; i++) GrabaNombre(NombresIniciales[i], i);

    unsigned char datos[LargoArchivo];
    size_t largo = 0;
    Archivo archivo(Fichero);
    const int estado = archivo.Lee(datos, sizeof datos, largo);
    if (estado == Archivo::Leido && largo > 0) marca = static_cast<char>(datos[0]);
    // A record cut short by the end of the file keeps its default, and so do
    // the ones after it. What follows a name's end is cleared, so the next
    // save writes no stale bytes from the file.
    Registro registros[Rangos];
    const int enteros = Registros(datos, largo, registros);
    for (i = 0; i < enteros; i++) {
        GrabaNombre(registros[i].nombre, i);
        puntos[i] = registros[i].puntos;
    }
    if (estado == Archivo::Leido) {
        std::memcpy(visto, datos, largo);
        largoVisto = largo;
    }
    // A missing file, or one that is not a table, gets the default table;
    // something there that cannot be read is left alone.
    if (estado != Archivo::Inservible && marca != Marca) Save();
}

HiScore::~HiScore()
{
}

int HiScore::LeePuntos(int rank)
{
    return RangoValido(rank) ? puntos[rank] : 0;
}

const char* HiScore::LeeNombre(int rank)
{
    return RangoValido(rank) ? nombres[rank] : "";
}

void HiScore::GrabaPuntos(int score, int rank)
{
    if (RangoValido(rank)) puntos[rank] = score;
}

void HiScore::GrabaNombre(const char* name, int rank)
{
    if (!RangoValido(rank)) return;
    // At most 9 characters and the terminator; the rest of the slot is cleared
    // so the file holds no stale bytes.
    std::memset(nombres[rank], 0, LargoNombre);
    if (name != nullptr) std::snprintf(nombres[rank], LargoNombre, "%.*s", LargoNombre - 1, name);
}

int HiScore::Save()
{
    marca = Marca;
    Archivo archivo(Fichero);
    // Another copy of the game saving in the same directory waits here, so
    // that neither writes over what the other has just added. Without the
    // lock (a directory that cannot be opened) the save goes on alone.
    archivo.Bloquea();
    unsigned char datos[LargoArchivo];
    size_t largo = 0;
    const int estado = archivo.Lee(datos, sizeof datos, largo);
    // A table that cannot be read cannot be merged, so it is not replaced.
    if (estado == Archivo::Inservible) return 1;
    if (estado == Archivo::Leido) Mezcla(datos, largo);
    // What was there is known from now on.
    if (estado == Archivo::Leido) std::memcpy(visto, datos, largo);
    largoVisto = estado == Archivo::Leido ? largo : 0;

    datos[0] = static_cast<unsigned char>(marca);
    for (i = 0; i < Rangos; i++) {
        unsigned char* registro = datos + 1 + static_cast<size_t>(i) * LargoRegistro;
        std::memcpy(registro, nombres[i], LargoNombre);
        EscribeEntero(registro + LargoNombre, puntos[i]);
    }
    if (archivo.Graba(datos, sizeof datos) != 0) return 1;
    std::memcpy(visto, datos, sizeof datos);
    largoVisto = sizeof datos;
    return 0;
}

// The entries of the table on disk that this copy has not seen (another copy
// saved them) join the table in memory: the ten best of both, none twice.
// Saved before this copy's own new entries, they rank before those of an
// equal score, as an older entry does.
void HiScore::Mezcla(const unsigned char* datos, size_t largo)
{
    Registro disco[Rangos], vistos[Rangos];
    const int n = Registros(datos, largo, disco);
    const int m = Registros(visto, largoVisto, vistos);
    // This copy's own entries: those in memory that it has not seen on disk.
    bool propio[Rangos];
    bool usado[Rangos] = {false};
    for (int r = 0; r < Rangos; r++) propio[r] = !Empareja(nombres[r], puntos[r], vistos, m, usado);
    bool emparejado[Rangos] = {false};
    for (int k = 0; k < n; k++) {
        if (Empareja(disco[k].nombre, disco[k].puntos, vistos, m, emparejado)) continue;
        int p = 0;
        while (p < Rangos && (puntos[p] > disco[k].puntos || (puntos[p] == disco[k].puntos && !propio[p]))) p++;
        if (p == Rangos) continue;
        for (int r = Rangos - 1; r > p; r--) {
            std::memcpy(nombres[r], nombres[r - 1], LargoNombre);
            puntos[r] = puntos[r - 1];
            propio[r] = propio[r - 1];
        }
        GrabaNombre(disco[k].nombre, p);
        puntos[p] = disco[k].puntos;
        propio[p] = false;
    }
}
