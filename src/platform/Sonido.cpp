#include "Sonido.h"

#include <allegro.h>

#include "Configuracion.h"
#include "Datos.h"
#include "Globales.h"
#include "Hardware.h"

namespace {

const int Centro = 128;
const int TonoPropio = 1000;
const int TonoAgudo = 1600;

}  // namespace

Sonido::Sonido() : datos(nullptr), esqui(nullptr), sirena(nullptr), sirenas(0)
{
    datos = load_datafile(ArchivoDatos);
    // Without its own copy of the datafile the game plays on in silence.
    esqui = Muestra(DatEsqui);
    sirena = Muestra(DatSirena);
    // The MIDI patch set's driver opens patches.dat, and never closes it,
    // each time it loads instruments for a tune: every instrument is asked
    // for once now, so later tunes open nothing and long play does not run
    // out of files.
    load_midi_patches();
}

Sonido::~Sonido()
{
    if (datos != nullptr) unload_datafile(datos);
}

bool Sonido::Activo()
{
    return datos != nullptr && Config != nullptr && Config->VerSonido();
}

SAMPLE* Sonido::Muestra(int n)
{
    return static_cast<SAMPLE*>(Hardware::Objeto(datos, n, DAT_SAMPLE));
}

MIDI* Sonido::Tema(int n)
{
    return static_cast<MIDI*>(Hardware::Objeto(datos, n, DAT_MIDI));
}

void Sonido::Toca(int n, int vol, int freq)
{
    SAMPLE* s = Muestra(n);
    if (s != nullptr) play_sample(s, vol, Centro, freq, FALSE);
}

void Sonido::MStop()
{
    play_midi(nullptr, FALSE);
}

void Sonido::MMenu()
{
    MStop();
    if (!Activo()) {
        MStop();
        return;
    }
    MIDI* musica = Tema(DatMusicaMenu);
    if (musica == nullptr) return;
    lock_midi(musica);
    if (midi_pos < 0) play_midi(musica, TRUE);
}

void Sonido::MNivel(int level)
{
    MStop();
    if (!Activo()) return;
    if (level < 0) level = 0;
    while (level >= MusicasNivel) level -= MusicasNivel;
    MIDI* musica = Tema(DatMusicaNivel0 + level);
    if (musica != nullptr) play_midi(musica, TRUE);
}

void Sonido::SGolpe()
{
    if (!Activo()) return;
    Toca(DatGolpe, 150, TonoPropio);
    Toca(DatCrujido, 255, TonoAgudo);
}

void Sonido::SSki()
{
    if (!Activo() || esqui == nullptr) return;
    stop_sample(esqui);
    play_sample(esqui, 100, Centro, TonoPropio, FALSE);
}

void Sonido::SAmb_ex(bool stop)
{
    if (sirena == nullptr) return;
    stop_sample(sirena);
    if (!stop && Activo()) play_sample(sirena, 100, Centro, TonoPropio, FALSE);
}

void Sonido::SAmb(bool stop)
{
    if (stop && sirenas > 0) {
        // Never below 0: a stray stop must not keep the next siren from starting.
        sirenas--;
        if (sirenas == 0 && sirena != nullptr) stop_sample(sirena);
    }
    if (Activo() && !stop && sirenas == 0 && sirena != nullptr) {
        play_sample(sirena, 100, Centro, TonoPropio, FALSE);
        sirenas = 1;
    }
}

int Sonido::VerAmb()
{
    return sirenas;
}

void Sonido::SAhh()
{
    if (Activo()) Toca(DatAhh, 255, TonoPropio);
}

void Sonido::SAplauso()
{
    if (Activo()) Toca(DatAplauso, 150, TonoPropio);
}

void Sonido::SExtra()
{
    if (Activo()) Toca(DatExtra, 255, TonoPropio);
}

void Sonido::SCash()
{
    if (Activo()) Toca(DatCaja, 255, TonoPropio);
}

void Sonido::SFin()
{
    if (Activo()) Toca(DatFin, 150, TonoPropio);
}
