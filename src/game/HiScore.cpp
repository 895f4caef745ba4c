#include "HiScore.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

const char* const Fichero = "scores.his";
const char Marca = 'R';
const int Rangos = 10;
const int LargoNombre = 10;            // slot size: 9 characters and the terminator
const int LargoPuntos = 4;
const int LargoRegistro = LargoNombre + LargoPuntos;

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

}  // namespace

HiScore::HiScore() : marca(0), i(0)
{
    for (i = 0; i < Rangos; i++) puntos[i] = (Rangos - i) * 100;
    for (i = 0; i < Rangos; i++) GrabaNombre(NombresIniciales[i], i);

    std::FILE* f = std::fopen(Fichero, "rb");
    if (f != nullptr) {
        int c = std::fgetc(f);
        if (c != EOF) marca = static_cast<char>(c);
        if (marca == Marca) {
            // A record cut short by the end of the file keeps its default,
            // and so do the ones after it.
            unsigned char registro[LargoRegistro];
            for (i = 0; i < Rangos; i++) {
                if (std::fread(registro, 1, LargoRegistro, f) != size_t(LargoRegistro)) break;
                // A name never runs past its slot, and what follows its end is
                // cleared, so the next save writes no stale bytes from the file.
                char nombre[LargoNombre];
                std::memcpy(nombre, registro, LargoNombre);
                nombre[LargoNombre - 1] = '\0';
                GrabaNombre(nombre, i);
                puntos[i] = LeeEntero(registro + LargoNombre);
            }
        }
        std::fclose(f);
    }
    if (marca != Marca) Save();
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
    if (name != nullptr) std::snprintf(nombres[rank], LargoNombre, "%s", name);
}

int HiScore::Save()
{
    std::FILE* f = std::fopen(Fichero, "wb");
    marca = Marca;
    if (f == nullptr) return 1;
    unsigned char datos[1 + Rangos * LargoRegistro];
    datos[0] = static_cast<unsigned char>(marca);
    for (i = 0; i < Rangos; i++) {
        unsigned char* registro = datos + 1 + static_cast<size_t>(i) * LargoRegistro;
        std::memcpy(registro, nombres[i], LargoNombre);
        EscribeEntero(registro + LargoNombre, puntos[i]);
    }
    const bool escrito = std::fwrite(datos, 1, sizeof datos, f) == sizeof datos;
    const bool cerrado = std::fclose(f) == 0;
    return escrito && cerrado ? 0 : 1;
}
