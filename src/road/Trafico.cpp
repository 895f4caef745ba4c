#include "Trafico.h"

Trafico::Trafico(int paso)
{
    total = 0;
    fase = -1;
    this->paso = paso;
    primero = nullptr;
    ultimo = nullptr;
    actual = nullptr;
    auxiliar = nullptr;
    borrado = nullptr;
}

Trafico::~Trafico()
{
    Destruye();
}

void Trafico::NuevoVehiculo()
{
    actual = new Vehiculo(ultimo, paso);
    if (actual->MiraEspera()) {
        // Created on top of another vehicle: it never reaches the road.
        delete actual;
        actual = nullptr;
        return;
    }
    ++total;
    if (total == 1)
        primero = actual;
    else
        ultimo->GrabarSiguiente(actual);
    ultimo = actual;
}

Vehiculo* Trafico::Mueve()
{
    if (total == 0) return nullptr;

    ++fase;
    if (fase > 3) fase = 0;

    // Oldest first: each vehicle sees the ones before it already moved.
    actual = primero;
    while (actual != nullptr) {
        if (!actual->AumentaPosicion(ultimo, fase)) {
            actual = actual->VerSiguiente();
            continue;
        }

        --total;
        borrado = actual;
        if (total == 0) {
            delete borrado;
            primero = nullptr;
            ultimo = nullptr;
            return nullptr;
        }
        if (borrado == primero) {
            // The ones behind the leaving head wait for the next step.
            primero = borrado->VerSiguiente();
            primero->GrabarAnterior(nullptr);
            delete borrado;
            return primero;
        }
        if (borrado == ultimo) {
            ultimo = borrado->VerAnterior();
            ultimo->GrabarSiguiente(nullptr);
            delete borrado;
            return primero;
        }
        auxiliar = borrado->VerAnterior();
        actual = borrado->VerSiguiente();
        auxiliar->GrabarSiguiente(actual);
        // cppcheck-suppress nullPointerRedundantCheck ; neither head nor tail, so it has a next one
        actual->GrabarAnterior(auxiliar);
        delete borrado;
    }
    return primero;
}

void Trafico::Dibuja()
{
    for (actual = primero; actual != nullptr; actual = actual->VerSiguiente())
        actual->Dibuja(true);
}

void Trafico::Borra()
{
    for (actual = primero; actual != nullptr; actual = actual->VerSiguiente())
        actual->Borra();
}

int Trafico::Cuantos()
{
    return total;
}

void Trafico::Destruye()
{
    while (primero != nullptr) {
        borrado = primero;
        primero = primero->VerSiguiente();
        delete borrado;
    }
    ultimo = nullptr;
    actual = nullptr;
    total = 0;
}
