// Where each object of datos.dat lies among its bytes, for the tests that
// damage the file or paint over its sprite sheets. Numbers in the file are
// big-endian; an object is its properties, then its type, sizes and contents.
#ifndef DATOSOBJETOS_H
#define DATOSOBJETOS_H

#include <cstdint>
#include <vector>

#include "Datos.h"
#include "Entorno.h"

namespace DatosObjetos {

inline uint32_t M32(const Entorno::Bytes& b, size_t o)
{
    return (uint32_t(b[o]) << 24) | (uint32_t(b[o + 1]) << 16) | (uint32_t(b[o + 2]) << 8) | b[o + 3];
}

inline void PonM32(Entorno::Bytes& b, size_t o, uint32_t v)
{
    for (int i = 0; i < 4; i++) b[o + i] = static_cast<unsigned char>(v >> (24 - 8 * i));
}

// Where an object starts (its first property), its type field, its contents.
struct Sitio {
    size_t inicio, tipo, contenido, tam;
};

// Every object of a good file, in order.
inline std::vector<Sitio> Sitios(const Entorno::Bytes& b)
{
    std::vector<Sitio> s;
    size_t o = 12;
    for (uint32_t i = 0; i < M32(b, 8); i++) {
        Sitio x{o, 0, 0, 0};
        while (M32(b, o) == MagicoPropiedad) o += 12 + M32(b, o + 8);
        x.tipo = o;
        x.tam = M32(b, o + 4);
        x.contenido = o + CabeceraObjeto;
        o = x.contenido + x.tam;
        s.push_back(x);
    }
    return s;
}

}  // namespace DatosObjetos

#endif
