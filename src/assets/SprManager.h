// The sprite sheet: the 85 figure pictures cut from the sheet of the current
// graphic set, each as a bitmap, a compiled sprite and a collision mask.
#ifndef SPRMANAGER_H
#define SPRMANAGER_H

#include "Mascara.h"

// The library's types, reached only through pointers.
struct BITMAP;
struct DATAFILE;

class SprManager {
public:
    static const int Entradas = 85;

    SprManager();
    ~SprManager();

    void Init();
    void* Sprite(int tipo, int variante, int frame);
    Mascara* Mask(int tipo, int variante, int frame);

    // The entry (1..85) that the three numbers select, or 0 for a tipo the sheet does not have.
    static int Entrada(int tipo, int variante, int frame);
    // The compiled sprite and the mask of an entry (1..85), null outside.
    void* SpriteEntrada(int entrada);
    Mascara* MaskEntrada(int entrada);
    // Counts the builds of the sheet; a figure holding a compiled sprite of
    // an older build fetches the current one before drawing.
    unsigned VerGeneracion();

private:
    DATAFILE* datos;
    BITMAP* imagenes[Entradas];
    void* sprites[Entradas];  // compiled sprites
    Mascara* mascaras[Entradas];
    int i, j, k, fila;  // scratch counters used while building
    int bitsPorPalabra;
    int colorMascara;
    int hoja;
    unsigned generacion;  // builds so far
};

#endif
