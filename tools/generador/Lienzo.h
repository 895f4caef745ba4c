// A 16-bit (RGB 5-6-5) picture in memory: what the generator draws every
// bitmap of datos.dat into before the datafile writer stores it.
#ifndef LIENZO_H
#define LIENZO_H

#include <cstddef>
#include <cstdint>
#include <vector>

// Pure magenta: the transparent colour of the sprite sheets.
const uint16_t ColorTransparente = 0xF81F;

// Packs 8-bit red, green and blue into one 5-6-5 pixel, as makecol does at 16 bits.
inline uint16_t Rgb(int r, int g, int b)
{
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

struct Lienzo {
    int ancho;
    int alto;
    std::vector<uint16_t> pixeles;  // row by row, top row first

    Lienzo(int w, int h, uint16_t fondo = 0) : ancho(w), alto(h), pixeles(static_cast<size_t>(w) * h, fondo) {}

    bool Dentro(int x, int y) const { return x >= 0 && y >= 0 && x < ancho && y < alto; }
    uint16_t Lee(int x, int y) const { return Dentro(x, y) ? pixeles[static_cast<size_t>(y) * ancho + x] : ColorTransparente; }
    void Pon(int x, int y, uint16_t c) { if (Dentro(x, y)) pixeles[static_cast<size_t>(y) * ancho + x] = c; }
};

#endif
