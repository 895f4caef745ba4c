#include "Obstaculo.h"

#include "Globales.h"
#include "Hardware.h"

namespace {

// Kind codes of the course table whose picture is not simply the sprite type
// of the same number, variant 0.
const int ClaseBanderaAncha = 13;
const int ClaseBanderaEstrecha = 14;
const int ClaseMetaAncha = 16;
const int ClaseMetaEstrecha = 17;
const int ClasePinoDos = 19;

const int TipoBandera = 9;
const int TipoPino = 11;
const int TipoMeta = 15;

const int AltoPantalla = 480;
const int KFObstaculo = 20;  // a gate shows each of its flag frames for 20 draws

}  // namespace

int Obstaculo::vivos = 0;

Obstaculo::Obstaculo(int x, int y, int clase)
{
    switch (clase) {
    case ClaseBanderaAncha: tipo = TipoBandera; variante = 1; break;
    case ClaseBanderaEstrecha: tipo = TipoBandera; variante = 0; break;
    case ClaseMetaAncha: tipo = TipoMeta; variante = 1; break;
    case ClaseMetaEstrecha: tipo = TipoMeta; variante = 0; break;
    case ClasePinoDos: tipo = TipoPino; variante = 1; break;
    default: tipo = clase; variante = 0; break;  // heap (10) and tree (11)
    }
    this->x = x;
    this->y = y;
    SetKF(KFObstaculo);
    Actualiza();
    siguiente = nullptr;
    pasado = false;
    vivos++;
}

Obstaculo::~Obstaculo()
{
    vivos--;
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
    if (y <= AltoPantalla) Dibuja(true);
    y = yPista;
}

void Obstaculo::rBorra(int desplazamiento, int margen)
{
    const int yPista = y;
    y = yPista - desplazamiento + H->TextHeight() + margen;
    if (y <= AltoPantalla) Borra();
    y = yPista;
}
