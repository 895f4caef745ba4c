// One vehicle of the road: a sprite with a kind, a duty, a direction, and
// the habit of edging sideways round the vehicle in front.
#ifndef VEHICULO_H
#define VEHICULO_H

#include "Sprite.h"

class Vehiculo : public Sprite {
public:
    Vehiculo(Vehiculo* anterior, int paso);
    ~Vehiculo();

    bool AumentaPosicion(Vehiculo* ultimo, int fase);
    int ColisionX(Vehiculo* desde);
    bool ColisionY(Vehiculo* desde);

    Vehiculo* VerSiguiente();
    void GrabarSiguiente(Vehiculo* v);
    Vehiculo* VerAnterior();
    void GrabarAnterior(Vehiculo* v);
    bool MiraEspera();

    int VerVariante() { return variante; }

private:
    int esquiva;   // swerve direction: +1 down, -1 up, 0 none
    int libres;    // unblocked moves since the last block
    int paso;      // pixels per move
    bool espera;   // created on top of another vehicle: discarded at once
    Vehiculo* siguiente;
    Vehiculo* anterior;

    friend class PruebaVehiculo;  // tests place vehicles by hand
};

#endif
