// The traffic of the road: a doubly linked list of vehicles, oldest first.
#ifndef TRAFICO_H
#define TRAFICO_H

#include "Vehiculo.h"

class Trafico {
public:
    explicit Trafico(int paso);
    ~Trafico();

    void NuevoVehiculo();
    Vehiculo* Mueve();
    void Dibuja();
    void Borra();
    int Cuantos();
    void Destruye();

    Vehiculo* VerPrimero() { return primero; }
    Vehiculo* VerUltimo() { return ultimo; }
    int VerFase() { return fase; }

private:
    int total;
    int fase;      // step phase 0..3; -1 before the first move
    int paso;
    Vehiculo* primero;
    Vehiculo* ultimo;
    Vehiculo* actual;
    Vehiculo* auxiliar;
    Vehiculo* borrado;

    friend class PruebaTrafico;  // tests build lists by hand
};

#endif
