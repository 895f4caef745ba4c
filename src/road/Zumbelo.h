// The hero on foot, with or without his skis; also the walking pointer of
// the menus and the pause overlay.
#ifndef ZUMBELO_H
#define ZUMBELO_H

#include "Sprite.h"

class Vehiculo;

class Zumbelo : public Sprite {
public:
    explicit Zumbelo(int paso);
    ~Zumbelo();

    void ActualizaMov(int accion);
    void Mueve();
    bool Atropello(Vehiculo* primero);
    void SinEsqui();
    void ConEsqui();

    int VerVariante() { return variante; }

private:
    int paso;
};

#endif
