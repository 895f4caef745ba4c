// The sprite sheets of both graphic sets: every figure painted into its
// fixed area of the sheet, on pure magenta.
#include "Constantes.h"
#include "Figuras.h"
#include "Imagenes.h"

namespace {

const int AnchoHoja = 448;
const int AltoHoja = 1043;

// Top rows of the six right-going vehicles; the left-going ones lie 224 rows lower.
const int filaVehiculo[TotalVehiculos] = {0, 48, 96, 128, 160, 192};
const int BajadaIzquierda = 224;

}  // namespace

Lienzo DibujaHoja(int set)
{
    Lienzo hoja(AnchoHoja, AltoHoja, ColorTransparente);

    for (int tipo = 0; tipo < TotalVehiculos; tipo++)
        for (int f = 0; f < FotogramasVehiculo; f++) {
            Figura v = FiguraVehiculo(tipo, f, set);
            v.Pinta(hoja, v.VerAncho() * f, filaVehiculo[tipo], set);
            v.Espejo().Pinta(hoja, v.VerAncho() * f, filaVehiculo[tipo] + BajadaIzquierda, set);
        }

    for (int facing = 0; facing < 4; facing++)
        for (int f = 0; f < FotogramasZumbelo; f++)
            FiguraHeroe(facing, f, set).Pinta(hoja, AnchoZumbelo * f, 448 + AltoZumbelo * facing, set);
    for (int f = 0; f < FotogramasZumbelo; f++)
        FiguraEsquis(f, set).Pinta(hoja, 64 + AnchoSki * f, 448, set);

    FiguraEsquiador(0, set).Pinta(hoja, 0, 576, set);
    for (int rumbo = 1; rumbo <= 4; rumbo++)
        FiguraEsquiador(rumbo, set).Pinta(hoja, 0, 620 + AltoEsquiador * (rumbo - 1), set);

    for (int f = 0; f < FotogramasBand; f++) {
        FiguraBandera(0, f, set).Pinta(hoja, 2 * AnchoBand * f, 780, set);
        FiguraBandera(1, f, set).Pinta(hoja, 2 * AnchoBand * f + AnchoBand, 780, set);
    }

    FiguraMonton(set).Pinta(hoja, 0, 812, set);
    FiguraPino(0, AnchoPino, AltoPino, 1234, set).Pinta(hoja, 0, 822, set);
    FiguraPino(1, AnchoPino, AltoPino, 5678, set).Pinta(hoja, AnchoPino, 822, set);

    for (int f = 0; f < FotogramasChoque; f++)
        FiguraChoque(f, set).Pinta(hoja, AnchoChoque * f, 886, set);

    FiguraPoste(set).Pinta(hoja, 0, 931, set);
    FiguraPancarta(set).Pinta(hoja, 0, 995, set);
    return hoja;
}
