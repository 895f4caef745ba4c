// The pause overlay: a box with two options over the frozen scene and the
// hero walking beside them as the cursor.
#ifndef PAUSE_H
#define PAUSE_H

#include <cstdint>

class Zumbelo;

class Pause {
public:
    Pause();
    ~Pause();

    int PauseGame();
    void InitTemp();
    void Rectangulo();
    void Texto();
    void Desplaza(int accion);

private:
    Zumbelo* figura;
    uint32_t ciclos;
    int32_t resultado;
    int32_t hecho;
    int32_t opcion;
    int32_t tecla;

    // Walks the cursor to the other option, one pixel a tick.
    void Camina(bool arriba);
};

#endif
