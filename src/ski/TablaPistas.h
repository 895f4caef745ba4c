// The constant table the ski courses are built from: the four courses back
// to back, three values per obstacle (x, y, kind).
#ifndef TABLAPISTAS_H
#define TABLAPISTAS_H

#include <cstdint>

// Kinds of obstacle in the table (each record's third value).
enum ClaseObstaculo {
    ClaseMonton = 10,           // a snow heap
    ClasePino = 11,             // a slim fir
    ClaseBanderaAncha = 13,     // a wide gate
    ClaseBanderaEstrecha = 14,  // a narrow gate
    ClaseMetaAncha = 16,        // the wide finish
    ClaseMetaEstrecha = 17,     // the narrow finish
    ClasePinoDos = 19           // a broad pine
};

const int ValoresPorObstaculo = 3;
const int ValoresTablaPistas = 1185;

extern const int16_t TablaPistas[ValoresTablaPistas];

#endif
