#include "MapaTeclas.h"

#include <cstddef>

#include "Archivo.h"

namespace {

const char* const ArchivoTeclas = "zumbelo.keys";
const unsigned char Marca = 'T';
const size_t LargoArchivo = 1 + MapaTeclas::Acciones;  // 7

}  // namespace

int MapaTeclas::Lee(int teclas[Acciones])
{
    // One byte more than the file may hold, so a longer file shows.
    unsigned char b[LargoArchivo + 1];
    size_t leidos = 0;
    Archivo archivo(ArchivoTeclas);
    if (archivo.Lee(b, sizeof b, leidos) != Archivo::Leido) return 1;
    if (leidos != LargoArchivo || b[0] != Marca) return 1;
    int leidas[Acciones];
    for (int a = 0; a < Acciones; a++) leidas[a] = b[1 + a];
    if (!Validas(leidas)) return 1;
    for (int a = 0; a < Acciones; a++) teclas[a] = leidas[a];
    return 0;
}

int MapaTeclas::Graba(const int teclas[Acciones])
{
    if (!Validas(teclas)) return 1;
    unsigned char b[LargoArchivo];
    b[0] = Marca;
    for (int a = 0; a < Acciones; a++) b[1 + a] = static_cast<unsigned char>(teclas[a]);
    // The whole file or nothing: a failed save leaves the last one in place.
    Archivo archivo(ArchivoTeclas);
    return archivo.Graba(b, LargoArchivo);
}

bool MapaTeclas::Validas(const int teclas[Acciones])
{
    for (int a = 0; a < Acciones; a++) {
        if (teclas[a] < PrimerCodigo || teclas[a] > UltimoCodigo) return false;
        for (int b = 0; b < a; b++)
            if (teclas[b] == teclas[a]) return false;
    }
    return true;
}
