// The game's fonts and their palettes, rendered at build time from the
// DejaVu typefaces: every printable ASCII character from 32 to 126.
#ifndef FUENTES_H
#define FUENTES_H

#include <cstdint>
#include <vector>

// One character: a picture of palette indices (0 transparent) or, in a
// mono font, of 0/1 pixels.
struct Glifo {
    int ancho;
    int alto;
    std::vector<uint8_t> pixeles;  // row by row, top row first
};

struct Fuente {
    bool mono = false;
    int primero = 32;             // character of the first glyph
    std::vector<Glifo> glifos;    // one per character, in order, all of one height
};

// 256 colours with 6-bit components (0 to 63), as the library stores them.
struct Paleta {
    uint8_t rgb[256][3];
};

struct FuenteColor {
    Fuente fuente;
    Paleta paleta;
};

// Each returns 0 when the font was made, 1 when its typeface could not be read.
int HazFuenteJuego(FuenteColor& f);     // status line and banners
int HazFuenteMenu(FuenteColor& f);      // menu options and pause box
int HazFuenteNieve(FuenteColor& f);     // the snowy title words
int HazFuenteMin(FuenteColor& f);       // small version text of the record screen
int HazFuenteCreditos(FuenteColor& f);  // the credits roll
int HazFuenteVersion(Fuente& f);        // small mono font of the title screen's version text

#endif
