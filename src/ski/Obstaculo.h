// One obstacle of a ski course: a gate, a tree, a snow heap or the finish,
// placed in course coordinates.
#ifndef OBSTACULO_H
#define OBSTACULO_H

#include "Sprite.h"

class Obstaculo : public Sprite {
public:
    Obstaculo(int x, int y, int clase);
    ~Obstaculo();

    Obstaculo* VerSiguiente();
    void GrabarSiguiente(Obstaculo* o);
    void Pasa();
    bool VerPasado();
    void rDibuja(int desplazamiento, int margen);
    void rBorra(int desplazamiento, int margen);

    int VerVariante() { return variante; }

private:
    Obstaculo* siguiente;
    bool pasado;
};

#endif
