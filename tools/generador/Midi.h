// A MIDI track under construction: events at absolute tick times, written
// out sorted with delta times. A tune is the division and its tracks, as
// the datafile's MIDI object holds them.
#ifndef MIDI_H
#define MIDI_H

#include <cstdint>
#include <vector>

struct Tema {
    int divisiones = 96;                      // ticks per quarter note
    std::vector<std::vector<uint8_t>> pistas;  // raw track data, at most 32
};

class Pista {
public:
    // Channels are 0..15 (9 is the drum channel); times and lengths in ticks.
    void Nota(int canal, int tiempo, int duracion, int nota, int velocidad);
    void Programa(int canal, int tiempo, int programa);
    void Control(int canal, int tiempo, int control, int valor);
    // Quarter-note length in microseconds.
    void Tempo(int tiempo, int microsNegra);

    // The track's bytes, closed by the end-of-track event at tick `fin`.
    std::vector<uint8_t> Bytes(int fin) const;

private:
    struct Evento {
        int tiempo;
        int orden;  // at equal times: setup first, then note-offs, then note-ons
        std::vector<uint8_t> bytes;
    };

    std::vector<Evento> eventos;
};

#endif
