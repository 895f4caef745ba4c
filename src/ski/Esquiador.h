// The skier of the ski phase: five headings, the screen limits, a position
// on the course, and the collision pass over the obstacles in view.
#ifndef ESQUIADOR_H
#define ESQUIADOR_H

#include <cstdint>
#include "Sprite.h"

class Obstaculo;

class Esquiador : public Sprite {
public:
    Esquiador();
    ~Esquiador();

    void Avanza(int tecla, int paso, int desplazamiento, bool fin, int margen);
    void Mueve(bool fin, int margen, int desplazamiento, int paso);
    int Choque(Obstaculo* primero, int desplazamiento);

    int VerVariante() { return variante; }

private:
    int32_t yPista;
    int32_t yGuardada;
    int32_t inactivo;
    int32_t choque;
    Obstaculo* examinado;

    // True when the skier's middle column lies within the obstacle (a gate
    // or the finish).
    bool EstaCentrado(Obstaculo* o);

    friend class PruebaEsquiador;  // tests set headings and positions
};

#endif
