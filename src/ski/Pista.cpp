#include "Pista.h"

#include "Constantes.h"
#include "Globales.h"
#include "Hardware.h"
#include "Obstaculo.h"
#include "TablaPistas.h"

namespace {
const int MargenInicial = 200;  // lead-in gap above the course at the start of a run
}  // namespace

Pista::Pista()
    : primero(nullptr), indice(nullptr), cursor(nullptr), ultimo(nullptr),
      numObstaculos{43, 76, 85, 191}, longitudes{3000, 5000, 6000, 8100}, inicio(0),
      desplazamiento(0), longitud(0), margen(0), numPista(0), contador(0)
{
}

Pista::~Pista()
{
}

void Pista::Init()
{
    // A course built only as a backdrop was never taken down: release it first.
    if (primero != nullptr) DeInit();

    // Level 0 plays course 0; later levels cycle through courses 1, 2, 3.
    numPista = Nivel;
    if (numPista < 0) numPista = 0;  // levels never fall below 0; keep the table index safe
    if (numPista > NivelMax) numPista = 1 + (numPista - 1) % NivelMax;

    inicio = 0;
    for (contador = 0; contador < numPista; contador++)
        inicio += ValoresPorObstaculo * numObstaculos[contador];
    longitud = longitudes[numPista];

    for (contador = 0; contador < numObstaculos[numPista]; contador++) {
        const int16_t* registro = &TablaPistas[inicio + ValoresPorObstaculo * contador];
        cursor = new Obstaculo(registro[0], registro[1], registro[2]);
        if (primero == nullptr)
            primero = cursor;
        else
            ultimo->GrabarSiguiente(cursor);
        ultimo = cursor;
    }

    desplazamiento = 0;
    margen = MargenInicial;
    indice = primero;
}

void Pista::DeInit()
{
    cursor = primero;
    while (cursor != nullptr) {
        Obstaculo* siguiente = cursor->VerSiguiente();
        delete cursor;
        cursor = siguiente;
    }
    primero = nullptr;
    indice = nullptr;
    ultimo = nullptr;
}

bool Pista::Avanza(int paso, int& despl, int& marg)
{
    despl = desplazamiento;

    // The lead-in: the course moves down into view while the scroll waits.
    // The step that uses up the margin does not scroll.
    if (margen != 0) {
        margen -= paso;
        if (margen < 0) margen = 0;
        marg = margen;
        return false;
    }

    if (desplazamiento >= H->TextHeight() + longitud - Hardware::AltoPantalla) return true;

    desplazamiento += paso;
    while (indice != nullptr && indice->VerSiguiente() != nullptr &&
           indice->VerY(true) < desplazamiento)
        indice = indice->VerSiguiente();
    return false;
}

void Pista::Dibuja()
{
    for (cursor = indice; cursor != nullptr; cursor = cursor->VerSiguiente())
        cursor->rDibuja(desplazamiento, margen);
}

void Pista::Borra()
{
    for (cursor = indice; cursor != nullptr; cursor = cursor->VerSiguiente())
        cursor->rBorra(desplazamiento, margen);
}

void Pista::SetMargin(int m)
{
    margen = m;
}

Obstaculo* Pista::Indice()
{
    return indice;
}
