// The writer of datos.dat: collects the generated objects, each at the index
// the game reads it from, and stores them in the library's uncompressed
// datafile format, each with a NAME property.
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
    // Each Pon... puts one object at its index (an ObjetoDatos of Datos.h).
    void PonMuestra(int indice, const char* nombre, const Muestra& m);
    void PonBitmap(int indice, const char* nombre, const Lienzo& l);
    void PonFuente(int indice, const char* nombre, const Fuente& f);
    void PonPaleta(int indice, const char* nombre, const Paleta& p);
    void PonMidi(int indice, const char* nombre, const Tema& t);

    int Cuantos() const { return static_cast<int>(objetos.size()); }
    // The first index below Cuantos that holds no object, or -1 when none is empty.
    int Hueco() const;

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

    void Pon(int indice, uint32_t tipo, const char* nombre, std::vector<uint8_t> datos);

    std::vector<Objeto> objetos;
};

#endif
