// Box fills, copies and the PPM writer of the generator's pictures.
#include "Lienzo.h"

#include <cstdio>

void Lienzo::Rellena(int x, int y, int w, int h, uint16_t c)
{
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++)
            Pon(i, j, c);
}

void Lienzo::Copia(const Lienzo& origen, int ox, int oy, int w, int h, int x, int y, bool conMascara)
{
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) {
            if (!origen.Dentro(ox + i, oy + j))
                continue;
            uint16_t c = origen.Lee(ox + i, oy + j);
            if (conMascara && c == ColorTransparente)
                continue;
            Pon(x + i, y + j, c);
        }
}

void Lienzo::CopiaEstirada(const Lienzo& origen, int x, int y, int w, int h)
{
    if (w <= 0 || h <= 0)
        return;
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            Pon(x + i, y + j, origen.Lee(i * origen.ancho / w, j * origen.alto / h));
}

Lienzo Lienzo::Espejo() const
{
    Lienzo espejo(ancho, alto);
    for (int j = 0; j < alto; j++)
        for (int i = 0; i < ancho; i++)
            espejo.Pon(ancho - 1 - i, j, Lee(i, j));
    return espejo;
}

bool Lienzo::GuardaPPM(const char* ruta) const
{
    FILE* f = std::fopen(ruta, "wb");
    if (!f)
        return false;
    std::fprintf(f, "P6\n%d %d\n255\n", ancho, alto);
    std::vector<unsigned char> fila(static_cast<size_t>(ancho) * 3);
    for (int j = 0; j < alto; j++) {
        for (int i = 0; i < ancho; i++) {
            uint16_t c = Lee(i, j);
            fila[static_cast<size_t>(i) * 3] = static_cast<unsigned char>(RojoDe(c));
            fila[static_cast<size_t>(i) * 3 + 1] = static_cast<unsigned char>(VerdeDe(c));
            fila[static_cast<size_t>(i) * 3 + 2] = static_cast<unsigned char>(AzulDe(c));
        }
        std::fwrite(fila.data(), 1, fila.size(), f);
    }
    return std::fclose(f) == 0;
}
