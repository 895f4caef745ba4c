// The ski phase: one run down the course of the current level.
#ifndef FASEDOS_H
#define FASEDOS_H

#include <cstdint>

class Pista;
class Esquiador;
class Obstaculo;
class Pause;

class FaseDos {
public:
    explicit FaseDos(int velocidad);
    ~FaseDos();
    // Never copied: it owns the course, the skier and the pause box.
    FaseDos(const FaseDos&) = delete;
    FaseDos& operator=(const FaseDos&) = delete;

    void Inicia();
    int Ciclo();
    void Marcadores();
    void InitTemp();
    void Choca();
    int Pausar();

    // For tests and benchmarks.
    Pista* VerPista() { return pista; }
    Esquiador* VerEsquiador() { return esquiador; }

private:
    Pista* pista;
    Esquiador* esquiador;
    Obstaculo* indice;
    Pause* pausa;
    int32_t paso;
    int32_t resultado;
    int32_t tecla;
    int32_t desplazamiento;
    int32_t margen;
    int32_t choque;
    uint32_t ciclos;
    bool fin;

    // One step of the run: the body of the paced loop of Ciclo.
    void Paso();
    // Draws the crash message: the skis still fine, or broken.
    void MuestraChoque();
    // Ends a run: the obstacles and the skier released, the tick stopped.
    void Termina();

    friend class PruebaFaseDos;  // tests run single steps
};

#endif
