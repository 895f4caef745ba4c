// One-bit collision mask of a figure picture: 32 pixels per word, the lowest
// bit the leftmost pixel; a set bit is a solid pixel.
#ifndef MASCARA_H
#define MASCARA_H

#include <cstdint>

struct Mascara {
    int ancho;         // width in pixels
    int alto;          // height in pixels
    int fotogramas;    // animation frames of the figure's family
    int palabras;      // 32-bit words per row; 0 for pictures that never collide
    uint32_t** filas;  // alto rows of palabras words; null when palabras is 0
};

#endif
