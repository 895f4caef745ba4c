// The sprite sheet: the 85 figure pictures cut from the sheet of the current
// graphic set, each as a bitmap, a compiled sprite and a collision mask.
#ifndef SPRMANAGER_H
#define SPRMANAGER_H

#include <allegro.h>
#include "Mascara.h"

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
    // For tests and the gallery: the picture of an entry (1..85).
    BITMAP* Imagen(int entrada);

private:
    DATAFILE* datos;
    BITMAP* imagenes[Entradas];
    COMPILED_SPRITE* sprites[Entradas];
    Mascara* mascaras[Entradas];
    int i, j, k, fila;  // scratch counters used while building
    int bitsPorPalabra;
    int colorMascara;
    int hoja;
};

#endif
