// The hero on foot, with or without his skis; also the walking pointer of
// the menus and the pause overlay.
#ifndef ZUMBELO_H
#define ZUMBELO_H

#include <cstdint>

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

    // One tick of the walking pointer of the menus and the pause box: when
    // the screen's tick counter is ahead of its step count, the figure is
    // erased, moved that many times, drawn and shown, and the step counted;
    // otherwise the processor rests a moment. True when it stepped.
    bool Camina(int movimientos, uint32_t& ciclos, const volatile uint32_t& ticks);

    int VerVariante() { return variante; }

private:
    int paso;
};

#endif
