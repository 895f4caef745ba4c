// The sound effects, synthesized from code at build time: deterministic
// (a fixed noise seed per sound) and normalised below full scale.
#ifndef SONIDOS_H
#define SONIDOS_H

#include <cstdint>
#include <vector>

// A mono sample: signed values, stored by the datafile writer at `bits`.
struct Muestra {
    int bits = 16;
    int frecuencia = 22050;
    std::vector<int16_t> datos;
};

Muestra HazAhh();        // a gate missed: a falling, voice-like "aah"
Muestra HazSirena();     // the ambulance's two-tone siren, over three seconds
Muestra HazAplauso();    // applause at the finish
Muestra HazCaja();       // the till and its bell when money is paid
Muestra HazExtra();      // the bonus jingle
Muestra HazFin();        // the falling game-over sting
Muestra HazGolpe();      // crash: the thud
Muestra HazCrujido();    // crash: the crunch and clatter, played faster
Muestra HazRaspado();    // skis scraping over a snow heap

#endif
