// One game, from the start to game over and the hall of fame.
#ifndef PARTIDA_H
#define PARTIDA_H

#include <cstdint>

class FaseUno;
class FaseDos;

class Partida {
public:
    Partida();
    ~Partida();

    void Play();
    void GrabaRecord(int rank);

private:
    FaseUno* faseUno;
    FaseDos* faseDos;
    int32_t resultadoUno;
    int32_t resultadoDos;
    int32_t indice;
};

#endif
