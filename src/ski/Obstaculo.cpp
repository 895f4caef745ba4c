#include "Obstaculo.h"

#include "Constantes.h"
#include "Globales.h"
#include "Hardware.h"
#include "TablaPistas.h"

namespace {

const int KFObstaculo = 20;  // a gate shows each of its flag frames for 20 draws

}  // namespace

Obstaculo::Obstaculo(int x, int y, int clase)
{
    switch (clase) {
    case ClaseBanderaAncha: tipo = TipoBandera; variante = 1; break;
    case ClaseBanderaEstrecha: tipo = TipoBandera; variante = 0; break;
    case ClaseMetaAncha: tipo = TipoMeta; variante = 1; break;
    case ClaseMetaEstrecha: tipo = TipoMeta; variante = 0; break;
    case ClasePinoDos: tipo = TipoPino; variante = 1; break;
    case ClaseMonton: tipo = TipoMonton; variante = 0; break;
    case ClasePino: tipo = TipoPino; variante = 0; break;
    default: tipo = clase; variante = 0; break;  // the table holds no other kind
    }
    this->x = x;
    this->y = y;
    SetKF(KFObstaculo);
    Actualiza();
    siguiente = nullptr;
    pasado = false;
}

Obstaculo::~Obstaculo()
{
}

Obstaculo* Obstaculo::VerSiguiente()
{
    return siguiente;
}

void Obstaculo::GrabarSiguiente(Obstaculo* o)
{
    siguiente = o;
}

void Obstaculo::Pasa()
{
    pasado = true;
}

bool Obstaculo::VerPasado()
{
    return pasado;
}

// Draws at the screen row of the course position; anything below the bottom
// of the screen is skipped, anything above it is clipped by the guard band.
void Obstaculo::rDibuja(int desplazamiento, int margen)
{
    const int yPista = y;
    y = yPista - desplazamiento + H->TextHeight() + margen;
    if (y <= Hardware::AltoPantalla) Dibuja(true);
    y = yPista;
}

void Obstaculo::rBorra(int desplazamiento, int margen)
{
    const int yPista = y;
    y = yPista - desplazamiento + H->TextHeight() + margen;
    if (y <= Hardware::AltoPantalla) Borra();
    y = yPista;
}
