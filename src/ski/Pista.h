// The ski course of one run: the obstacles of the level's course, built from
// the course table, and the scroll that carries them up the screen.
#ifndef PISTA_H
#define PISTA_H

#include <cstdint>

class Obstaculo;

class Pista {
public:
    Pista();
    ~Pista();

    void Init();
    void DeInit();
    bool Avanza(int paso, int& despl, int& marg);
    void Dibuja();
    void Borra();
    void SetMargin(int m);
    Obstaculo* Indice();

    // For tests and the benchmark.
    Obstaculo* VerPrimero() { return primero; }
    int VerNumPista() { return numPista; }
    int VerLongitud() { return longitud; }
    int VerDesplazamiento() { return desplazamiento; }
    int VerMargen() { return margen; }

private:
    Obstaculo* primero;
    Obstaculo* indice;
    Obstaculo* cursor;
    Obstaculo* ultimo;
    int32_t numObstaculos[4];
    int32_t longitudes[4];
    int32_t inicio;
    int32_t desplazamiento;
    int32_t longitud;
    int32_t margen;
    int32_t numPista;
    int32_t contador;
};

#endif
