// Fixed-seed random numbers for the pictures (xorshift): the same seed
// always gives the same numbers, so the same sources give the same pictures.
#ifndef AZAR_H
#define AZAR_H

#include <cstdint>

class Azar {
public:
    explicit Azar(uint32_t semilla);
    uint32_t Siguiente();
    int Entre(int desde, int hasta);  // both ends included
    double Real();                     // 0 <= r < 1

private:
    uint32_t estado;
};

#endif
