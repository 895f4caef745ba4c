// The writer of datos.dat: collects the generated objects in order and
// stores them in the library's uncompressed datafile format, each with a
// NAME property. The object's position in the file is its index.
#ifndef DATAFILE_H
#define DATAFILE_H

#include <cstdint>
#include <string>
#include <vector>

#include "Fuentes.h"
#include "Lienzo.h"
#include "Midi.h"
#include "Sonidos.h"

class Datafile {
public:
    // Each Agrega... appends one object and returns its index.
    int AgregaMuestra(const char* nombre, const Muestra& m);
    int AgregaBitmap(const char* nombre, const Lienzo& l);
    int AgregaFuente(const char* nombre, const Fuente& f);
    int AgregaPaleta(const char* nombre, const Paleta& p);
    int AgregaMidi(const char* nombre, const Tema& t);

    int Cuantos() const { return static_cast<int>(objetos.size()); }

    // The whole file as bytes: packfile magic, datafile magic, count, objects.
    std::vector<uint8_t> Bytes() const;

    // Writes the file; 0 on success, 1 when it cannot be written whole.
    int Escribe(const char* ruta) const;

private:
    struct Objeto {
        uint32_t tipo;
        std::string nombre;
        std::vector<uint8_t> datos;
    };

    int Agrega(uint32_t tipo, const char* nombre, std::vector<uint8_t> datos);

    std::vector<Objeto> objetos;
};

#endif
