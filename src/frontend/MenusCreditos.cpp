// The credits: the credit lines roll up over their picture, round and round,
// until any key is pressed.
#include "Menus.h"

#include "Datos.h"
#include "Globales.h"
#include "Hardware.h"
#include "Mensajes.h"

namespace {

const int PrimeraLinea = MsgPrimerCredito;  // the title line of the roll
const int UltimaLinea = MsgUltimoCredito;   // the maker's web address
const int AltoPantalla = Hardware::AltoPantalla;

}  // namespace

int Menus::AlturaCredito(int k, int h, int s)
{
    return AltoPantalla + h * k - s;
}

int Menus::AvanzaCreditos(int s, int h)
{
    s++;
    // Once the last line is two lines past the top the roll starts again, empty.
    if (s > (UltimaLinea - PrimeraLinea + 3) * h + AltoPantalla) s = 0;
    return s;
}

void Menus::Creditos()
{
    H->SetFondo(DatFondoCreditos);
    H->DrawFondoBuffer(0, 0, Hardware::AnchoPantalla, Hardware::AltoPantalla, 0, 0);
    H->SetFont(FuenteCreditos, PaletaCreditos);
    H->Fundido(1);
    InitTemp();

    const int h = H->TextHeight();
    int s = 0;
    while (H->VerTecla() == Hardware::SinTecla && !H->VerCierre()) {
        if (ciclos >= CiclosTempMenu) {
            H->Espera();
            continue;
        }

        H->DrawFondoBuffer(0, 0, Hardware::AnchoPantalla, Hardware::AltoPantalla, 0, 0);
        for (i = PrimeraLinea; i <= UltimaLinea; i++) {
            const int k = i - PrimeraLinea + 1;
            const int y = AlturaCredito(k, h, s);
            // Only lines that have come up from the bottom and not yet left at the top.
            if (h * k < s && y + h > 0) H->TextOutCentre(SMS->Leer(i), y, -1, -1);
        }
        s = AvanzaCreditos(s, h);
        H->VuelcaBuffer();
        ciclos++;
    }
}
