// A small PNG writer for the generator's pictures that leave the datafile
// (the desktop icons): 8-bit RGBA, pure magenta written fully transparent.
#ifndef PNG_H
#define PNG_H

#include <cstdint>
#include <vector>

#include "Lienzo.h"

// The whole PNG file of a picture, compressed with zlib; the same picture
// always gives the same bytes.
std::vector<uint8_t> CodificaPNG(const Lienzo& l);

// Writes it; false when the file cannot be written.
bool GuardaPNG(const Lienzo& l, const char* ruta);

#endif
