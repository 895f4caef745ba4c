// Looks over datos.dat before the library loads it: the library trusts every
// size in the file, so a cut or damaged file would make it read past its
// buffers or ask for absurd amounts of memory. The file must be the plain
// (uncompressed) datafile our generator writes, hold together chunk by chunk,
// and carry every object the game reads, of its kind, at its index or name.
// Only a regular file of sane size is read at all.
#ifndef REVISORDATOS_H
#define REVISORDATOS_H

#include <cstddef>

class RevisorDatos {
public:
    // 0 when the file holds together and has what the game needs, 1 otherwise
    // (also when it cannot be read, is not a regular file, or is larger than
    // any datafile of the game could be).
    static int Revisa(const char* ruta);
    // The same for the file's bytes in memory.
    static int Revisa(const unsigned char* bytes, size_t largo);
};

#endif
