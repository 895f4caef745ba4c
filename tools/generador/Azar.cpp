// Fixed-seed random numbers for the pictures.
#include "Azar.h"

Azar::Azar(uint32_t semilla) : estado(semilla ? semilla : 0x9E3779B9u) {}

uint32_t Azar::Siguiente()
{
    estado ^= estado << 13;
    estado ^= estado >> 17;
    estado ^= estado << 5;
    return estado;
}

int Azar::Entre(int desde, int hasta)
{
    if (hasta <= desde)
        return desde;
    return desde + static_cast<int>(Siguiente() % static_cast<uint32_t>(hasta - desde + 1));
}

double Azar::Real() { return (Siguiente() >> 8) / 16777216.0; }
