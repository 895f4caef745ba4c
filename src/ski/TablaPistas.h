// The constant table the ski courses are built from: the four courses back
// to back, three values per obstacle (x, y, kind).
#ifndef TABLAPISTAS_H
#define TABLAPISTAS_H

#include <cstdint>

const int ValoresPorObstaculo = 3;
const int ValoresTablaPistas = 1185;

extern const int16_t TablaPistas[ValoresTablaPistas];

#endif
