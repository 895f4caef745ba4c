// The game's sound box: one operation per tune and per effect, each silent
// while sound is switched off in the settings.
#ifndef SONIDO_H
#define SONIDO_H

#include <cstdint>

// The library's types, reached only through pointers.
struct DATAFILE;
struct MIDI;
struct SAMPLE;

class Sonido {
public:
    Sonido();
    ~Sonido();

    void MMenu();
    void MNivel(int level);
    void MStop();

    void SGolpe();
    void SSki();
    void SAmb_ex(bool stop);
    void SAmb(bool stop);
    int VerAmb();
    void SAhh();
    void SAplauso();
    void SExtra();
    void SCash();
    void SFin();

private:
    DATAFILE* datos;   // its own copy of datos.dat; null when it could not be loaded
    SAMPLE* esqui;     // the ski scrape (DatEsqui)
    SAMPLE* sirena;    // the ambulance siren (DatSirena)
    int32_t sirenas;   // 1 while a siren started by SAmb counts as playing

    bool Activo();                      // sound switched on and the datafile at hand
    SAMPLE* Muestra(int n);  // object n when it is a sample, else null
    MIDI* Tema(int n);       // object n when it is a tune, else null
    void Toca(int n, int vol, int freq);
};

#endif
