// A 16-bit (RGB 5-6-5) picture in memory: what the generator draws every
// bitmap of datos.dat into before the datafile writer stores it.
#ifndef LIENZO_H
#define LIENZO_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Datos.h"

// Pure magenta: the transparent colour of the sprite sheets.
const uint16_t ColorTransparente = ColorMascara;

// Packs 8-bit red, green and blue into one 5-6-5 pixel, as makecol does at 16 bits.
inline uint16_t Rgb(int r, int g, int b)
{
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

// The 8-bit channels of a 5-6-5 pixel, widened by repeating the top bits,
// as the library widens them.
inline int RojoDe(uint16_t c) { return (((c >> 11) & 31) << 3) | (((c >> 11) & 31) >> 2); }
inline int VerdeDe(uint16_t c) { return (((c >> 5) & 63) << 2) | (((c >> 5) & 63) >> 4); }
inline int AzulDe(uint16_t c) { return ((c & 31) << 3) | ((c & 31) >> 2); }

struct Lienzo {
    int ancho;
    int alto;
    std::vector<uint16_t> pixeles;  // row by row, top row first

    Lienzo(int w, int h, uint16_t fondo = 0) : ancho(w), alto(h), pixeles(static_cast<size_t>(w) * h, fondo) {}

    bool Dentro(int x, int y) const { return x >= 0 && y >= 0 && x < ancho && y < alto; }
    uint16_t Lee(int x, int y) const { return Dentro(x, y) ? pixeles[static_cast<size_t>(y) * ancho + x] : ColorTransparente; }
    void Pon(int x, int y, uint16_t c) { if (Dentro(x, y)) pixeles[static_cast<size_t>(y) * ancho + x] = c; }

    // Fills a box, clipped to the picture.
    void Rellena(int x, int y, int w, int h, uint16_t c);

    // Copies a w x h area of `origen` at (ox, oy) to (x, y); with `conMascara`
    // the transparent pixels of the area leave this picture as it was.
    void Copia(const Lienzo& origen, int ox, int oy, int w, int h, int x, int y, bool conMascara = false);

    // Copies the whole of `origen` stretched to w x h at (x, y), nearest pixel.
    void CopiaEstirada(const Lienzo& origen, int x, int y, int w, int h);

    // The picture flipped left to right.
    Lienzo Espejo() const;

    // Writes the picture as a binary PPM (8-bit RGB); false when the file cannot be written.
    bool GuardaPPM(const char* ruta) const;
};

#endif
