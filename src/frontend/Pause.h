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

    // For tests: the step count, and where the cursor stood when the last pause closed.
    int VerCiclos();
    int VerUltimaX();
    int VerUltimaY();

private:
    Zumbelo* figura;
    uint32_t ciclos;
    int32_t resultado;
    int32_t hecho;
    int32_t opcion;
    int32_t tecla;

    // Walks the cursor to the other option, one pixel a tick.
    void Camina(bool arriba);

    int ultimaX;
    int ultimaY;
};

#endif
