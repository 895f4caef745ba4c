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
    // Never copied: it owns both phases.
    Partida(const Partida&) = delete;
    Partida& operator=(const Partida&) = delete;

    void Play();
    void GrabaRecord(int rank);

private:
    FaseUno* faseUno;
    FaseDos* faseDos;
    int32_t resultadoUno;
    int32_t resultadoDos;
    int32_t indice;

    // One run of each phase (set up, then play to its end). Play always goes
    // through these two; tests put scripted runs in their place.
    int (*juegaUno)(FaseUno* fase, int estado);
    int (*juegaDos)(FaseDos* fase);
    static int JuegaUno(FaseUno* fase, int estado);
    static int JuegaDos(FaseDos* fase);

    void FinSinDinero();
    int Puesto();

    friend class PruebaPartida;  // tests script the phase results
};

#endif
