// The road phase: cross the road to the ski-hire shop, buy skis, carry them
// back to the top; accidents bring the ambulance and its fee.
#ifndef FASEUNO_H
#define FASEUNO_H

#include <cstdint>

class Vehiculo;
class Trafico;
class Zumbelo;
class Ambulancia;
class Pause;

class FaseUno {
public:
    explicit FaseUno(int velocidad);
    ~FaseUno();
    // Never copied: it owns the traffic, the hero, the ambulance and the pause box.
    FaseUno(const FaseUno&) = delete;
    FaseUno& operator=(const FaseUno&) = delete;

    void Inicia(int estado);
    int Ciclo();
    void LeeTeclado();
    void SacaAmbulancia();
    void Marcadores();
    void AjustaPuntos();
    void InitTemp();
    int Pausar();

    // For tests and benchmarks.
    Trafico* VerTrafico() { return trafico; }
    Zumbelo* VerHeroe() { return heroe; }
    int VerPaso() { return paso; }

private:
    Vehiculo* cabeza;
    Trafico* trafico;
    Zumbelo* heroe;
    Ambulancia* ambulancia;
    Pause* pausa;
    int32_t andados;
    int32_t tecla;
    int32_t grafico;
    int32_t aux;
    int32_t resultado;
    uint32_t ciclos;
    int32_t paso;
    bool alterna;

    // One step of the road into the back buffer: traffic, hero, keys, score,
    // accident, shop, goal; Ciclo counts it and shows the buffer.
    void Paso();

    friend class PruebaFaseUno;  // tests run single steps
};

#endif
