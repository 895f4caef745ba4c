// Mountain ranges for the title and credits pictures: a ridge made of peaks,
// each lit on its left face and shaded on its right, with snow down to a
// ragged snow line.
#ifndef CORDILLERA_H
#define CORDILLERA_H

#include <cstdint>
#include <vector>

#include "Dibujo.h"
#include "Lienzo.h"

struct Pico {
    double x, y;        // the summit
    double pendiente;   // fall of the flanks in rows per column
};

// The colours of one range; distant ranges use paler ones.
struct ColoresMonte {
    Color nieveLuz, nieveSombra, rocaLuz, rocaSombra;
};

class Cordillera {
public:
    Cordillera(const std::vector<Pico>& picos, double base, double nieve, uint32_t semilla);

    // The top row of the range at column x (rows above it are sky).
    double Cresta(double x) const;

    // Paints the range from its ridge down to row `hasta`.
    void Pinta(Lienzo& l, const ColoresMonte& colores, int hasta) const;

private:
    // The peak that forms the ridge at column x.
    int PicoEn(double x) const;

    std::vector<Pico> picos;
    double base;     // the ridge never falls below this row
    double nieve;    // depth of the snow below each summit, in rows
    uint32_t semilla;
};

// A night or day sky: a dithered vertical blend through several colours.
void Cielo(Lienzo& l, const std::vector<Color>& colores, int y0, int y1);

#endif
