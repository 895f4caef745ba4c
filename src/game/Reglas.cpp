#include "Reglas.h"

#include <cstdio>

#include "Globales.h"
#include "Hardware.h"
#include "HiScore.h"
#include "Sonido.h"

namespace {
const int ColorMarcador = 7;  // white
}

void PagaPremio()
{
    if (Puntos < ProximaVida) return;
    ProximaVida += PuntosPremio;
    Dinero += DineroPremio;
    SFX->SExtra();
}

void EscribeMarcador(char* linea, size_t largo)
{
    std::snprintf(linea, largo, "%s%i          %s%i          %s%i ", SMS->Leer(MsgDinero), static_cast<int>(Dinero),
                  SMS->Leer(MsgPuntos), static_cast<int>(Puntos), SMS->Leer(MsgRecord), Record->LeePuntos(0));
}

void DibujaMarcador()
{
    char linea[LargoMarcador];
    EscribeMarcador(linea, sizeof linea);
    // The band is repainted first, so a line that got shorter leaves no trace of the longer one.
    H->DrawFondoBuffer(0, 0, Hardware::AnchoPantalla, H->TextHeight(), 0, 0);
    H->TextOutCentre(linea, 0, -1, ColorMarcador);
}
