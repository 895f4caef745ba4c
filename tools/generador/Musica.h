// The five tunes of the game: the menu theme and four level themes, each
// with a tune, a harmony, a bass line and drums on the drum channel.
#ifndef MUSICA_H
#define MUSICA_H

#include "Midi.h"

Tema HazTemaMenu();
// Level themes 0 to 3 (datafile objects DatMusicaNivel0 to DatMusicaNivel3).
Tema HazTemaNivel(int n);

// The arrangement behind every tune: written notes and chords, turned into
// tracks by the styles chosen for the harmony, bass and drums.
struct Arreglo {
    int negrasMinuto;    // tempo, quarter notes per minute
    int tiempos;         // beats per bar (4, or 3 for the waltz)
    int instMelodia;     // General MIDI programs
    int instDoble;       // doubles the tune an octave up, softer; -1 none
    int instArmonia;
    int instBajo;
    int estiloArmonia;   // EstiloArmonia below
    int estiloBajo;      // EstiloBajo below
    int estiloBateria;   // EstiloBateria below
    const char* acordes; // one chord per bar, "C,G" for two in a bar
    const char* melodia; // notes such as "C5q F#5e. Bb4h Rq"
};

enum EstiloArmonia { ArmoniaGolpes, ArmoniaSostenida, ArmoniaArpegio, ArmoniaVals };
enum EstiloBajo { BajoDos, BajoOctavas, BajoPaseo, BajoVals };
enum EstiloBateria { BateriaMarcha, BateriaPolca, BateriaVals, BateriaRapida };

// Builds the tracks of an arrangement; 0 on success, 1 when its notes or
// chords cannot be read or the tune and the chords differ in length.
int Arregla(const Arreglo& a, Tema& t);

#endif
