// The sprite sheets of both graphic sets: every figure painted into its
// fixed area of the sheet, on pure magenta.
#include "Constantes.h"
#include "Datos.h"
#include "Figuras.h"
#include "Imagenes.h"

Lienzo DibujaHoja(int set)
{
    Lienzo hoja(AnchoHoja, AltoHoja, ColorTransparente);

    for (int tipo = 0; tipo < TotalVehiculos; tipo++)
        for (int f = 0; f < FotogramasVehiculo; f++) {
            Figura v = FiguraVehiculo(tipo, f, set);
            v.Pinta(hoja, v.VerAncho() * f, FilaVehiculo[tipo], set);
            v.Espejo().Pinta(hoja, v.VerAncho() * f, FilaVehiculo[tipo] + BajadaIzquierda, set);
        }

    for (int facing = 0; facing < 4; facing++)
        for (int f = 0; f < FotogramasZumbelo; f++)
            FiguraHeroe(facing, f, set).Pinta(hoja, AnchoZumbelo * f, FilaZumbelo + AltoZumbelo * facing, set);
    for (int f = 0; f < FotogramasZumbelo; f++)
        FiguraEsquis(f, set).Pinta(hoja, XSki + AnchoSki * f, FilaZumbelo, set);

    FiguraEsquiador(0, set).Pinta(hoja, 0, FilaEsquiador, set);
    for (int rumbo = 1; rumbo <= 4; rumbo++)
        FiguraEsquiador(rumbo, set).Pinta(hoja, 0, FilaEsquiadorGiro + AltoEsquiador * (rumbo - 1), set);

    for (int f = 0; f < FotogramasBand; f++) {
        FiguraBandera(0, f, set).Pinta(hoja, 2 * AnchoBand * f, FilaBanderas, set);
        FiguraBandera(1, f, set).Pinta(hoja, 2 * AnchoBand * f + AnchoBand, FilaBanderas, set);
    }

    FiguraMonton(set).Pinta(hoja, 0, FilaMonton, set);
    FiguraPino(0, AnchoPino, AltoPino, 1234, set).Pinta(hoja, 0, FilaPinos, set);
    FiguraPino(1, AnchoPino, AltoPino, 5678, set).Pinta(hoja, AnchoPino, FilaPinos, set);

    for (int f = 0; f < FotogramasChoque; f++)
        FiguraChoque(f, set).Pinta(hoja, AnchoChoque * f, FilaChoque, set);

    FiguraPoste(set).Pinta(hoja, 0, FilaPoste, set);
    FiguraPancarta(set).Pinta(hoja, 0, FilaPancarta, set);
    return hoja;
}
