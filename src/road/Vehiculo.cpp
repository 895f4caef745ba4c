#include "Vehiculo.h"

#include <cstdlib>

#include "Constantes.h"
#include "Globales.h"
#include "Hardware.h"
#include "Sonido.h"

// Limits of the two carriageways: top edges and bottom edges (one past the last row).
static const int TechoArriba = 65;
static const int SueloArriba = 221;
static const int TechoAbajo = 226;
static const int SueloAbajo = 380;

// Where new vehicles wait off the screen, by direction of travel.
static const int SalidaDerecha = -150;
static const int SalidaIzquierda = 790;

Vehiculo::Vehiculo(Vehiculo* anterior, int paso)
{
    siguiente = nullptr;
    this->anterior = anterior;

    // Kinds 0 to 4 come two times in eleven, the motorbike once.
    tipo = rand() % (2 * TotalVehiculos - 1);
    if (tipo >= TotalVehiculos) tipo -= TotalVehiculos;

    // Duty: moves made in every four steps.
    switch (tipo) {
    case TipoCamion1:
    case TipoCamion2: velX = 1; break;
    case TipoCoche1:
    case TipoCoche2: velX = 2; break;
    case TipoAmbulancia: velX = 4; break;
    default: velX = 3; break;  // the motorbike
    }

    velY = 0;
    esquiva = 0;

    if (rand() % 2 == 1) {
        variante = 1;
        x = SalidaDerecha;
    } else {
        variante = -1;
        x = SalidaIzquierda;
    }
    Actualiza();

    y = rand() % (155 - VerLongY()) + 62;
    if (variante == -1) y += 164;
    // Vehicles spawn from row 65 so none starts above its carriageway: a lorry
    // put back from there would count as blocked for good and never leave.
    if (y < TechoArriba) y = TechoArriba;

    espera = ColisionY(this);
    libres = 0;
    this->paso = paso;
}

Vehiculo::~Vehiculo()
{
}

bool Vehiculo::AumentaPosicion(Vehiculo* ultimo, int fase)
{
    if (velX - fase <= 0) return false;

    x += variante * paso;

    // Lorries never look ahead; their sideways move stays as it was.
    if (tipo != TipoCamion1 && tipo != TipoCamion2) velY = ColisionX(ultimo);

    if (velY != 0) {
        libres = 0;
        esquiva = velY;
    } else {
        ++libres;
        if (libres > 4) esquiva = 0;
    }

    // A blocked vehicle does not advance.
    if (velY != 0) x -= variante * paso;

    velY = esquiva;

    // One step in four it edges sideways, within its carriageway.
    if (fase == 0) {
        y += velY;
        if (ColisionY(ultimo)) {
            esquiva = -esquiva;
            y -= 2 * velY;
        }
        if (VerY() <= TechoArriba - 1) {
            y = TechoArriba;
            velY = 1;
            esquiva = 1;
        }
        if (VerY(true) > SueloAbajo) {
            y = SueloAbajo - VerLongY();
            velY = -velY;
            esquiva = -esquiva;
        }
        if (VerY(true) > SueloArriba && variante == 1) {
            y = SueloArriba - VerLongY();
            velY = -velY;
            esquiva = -esquiva;
        }
        if (VerY() <= TechoAbajo - 1 && variante == -1) {
            y = TechoAbajo;
            velY = -velY;
            esquiva = -esquiva;
        }
    }

    const bool fuera = (variante == 1 && VerX() > Hardware::AnchoPantalla) || (variante == -1 && VerX(true) < 0);
    if (fuera) {
        if (SFX->VerAmb() == 1) SFX->SAmb(true);
        return true;
    }
    if (tipo == TipoAmbulancia) SFX->SAmb(false);
    return false;
}

int Vehiculo::ColisionX(Vehiculo* desde)
{
    for (Vehiculo* v = desde; v != nullptr; v = v->anterior) {
        if (v == this || !Colision(v, false)) continue;
        if (esquiva != 0) return esquiva;
        return (VerY(true) / 2 > v->VerY(true) / 2) ? 1 : -1;
    }
    return 0;
}

bool Vehiculo::ColisionY(Vehiculo* desde)
{
    for (Vehiculo* v = desde; v != nullptr; v = v->anterior)
        if (v != this && Colision(v, false)) return true;
    return false;
}

Vehiculo* Vehiculo::VerSiguiente()
{
    return siguiente;
}

void Vehiculo::GrabarSiguiente(Vehiculo* v)
{
    siguiente = v;
}

Vehiculo* Vehiculo::VerAnterior()
{
    return anterior;
}

void Vehiculo::GrabarAnterior(Vehiculo* v)
{
    anterior = v;
}

bool Vehiculo::MiraEspera()
{
    return espera;
}
