// The sound box, heard through the library's voices: each effect plays its
// own sample, sound off silences everything but the stops, the siren is
// started once and counted, a missing datafile only means silence, and
// tunes started again and again hold no more files open; the datafile's
// tunes and effects are of a sensible length and never clip.
#include <gtest/gtest.h>

#include <allegro.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Configuracion.h"
#include "Datos.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "Sonido.h"

namespace {

// The datafile as this test reads it: Sonido holds its own copy of the
// file, so samples are matched by their contents.
DATAFILE* Datos = nullptr;

const SAMPLE* Muestra(int n)
{
    return static_cast<const SAMPLE*>(Datos[n].dat);
}

// Whether voice v is playing the datafile's object n.
bool Toca(int v, int n)
{
    const SAMPLE* s = Muestra(n);
    const SAMPLE* o = voice_check(v);
    const size_t bytes = s->len * (s->bits / 8) * (s->stereo ? 2 : 1);
    return o != nullptr && o->len == s->len && std::memcmp(o->data, s->data, bytes) == 0;
}

// How many voices play object n (n = -1: how many voices play anything).
int Sonando(int n)
{
    int cuantas = 0;
    for (int v = 0; v < 256; v++) cuantas += n < 0 ? voice_check(v) != nullptr : Toca(v, n);
    return cuantas;
}

// How many voices play one of the datafile's samples: the effects, not the
// notes a stopped tune may still be letting fade.
int SonandoMuestras()
{
    int cuantas = 0;
    for (int n = 0; Datos[n].type != DAT_END; n++)
        if (Datos[n].type == DAT_SAMPLE) cuantas += Sonando(n);
    return cuantas;
}

void TodosLosEfectos()
{
    for (auto efecto : {&Sonido::SAhh, &Sonido::SAplauso, &Sonido::SExtra, &Sonido::SCash, &Sonido::SFin,
                        &Sonido::SGolpe, &Sonido::SSki})
        (SFX->*efecto)();
    SFX->SAmb(false);
    SFX->SAmb_ex(false);
}

// Files this process holds open.
int Abiertos()
{
    int n = 0;
    if (DIR* d = opendir("/proc/self/fd")) {
        while (readdir(d) != nullptr) n++;
        closedir(d);
    }
    return n;
}

class Sonidos : public ::testing::Test {
protected:
    void SetUp() override
    {
        Entorno::SonidoEnArchivo("salida.raw");  // a sound card that writes to a file, so the mixer really runs
        std::remove("zumbelo.cfg");              // sound on, whatever an earlier test left
        ASSERT_TRUE(Entorno::ArrancaPantalla());
        ASSERT_STREQ(digi_driver->name, "ALSA");
        SFX = new Sonido;
        Datos = load_datafile(ArchivoDatos);
        ASSERT_NE(Datos, nullptr);
    }
    void TearDown() override { Para(); }
    // The test's datafile goes before the library does.
    static void Para()
    {
        if (Datos != nullptr) unload_datafile(Datos);
        Datos = nullptr;
        Entorno::Para();
    }
};

}  // namespace

TEST_F(Sonidos, EachEffectPlaysItsOwnSample)
{
    const struct { void (Sonido::*efecto)(); int objeto; } casos[] = {
        {&Sonido::SAhh, DatAhh}, {&Sonido::SAplauso, DatAplauso}, {&Sonido::SCash, DatCaja},
        {&Sonido::SExtra, DatExtra}, {&Sonido::SFin, DatFin}, {&Sonido::SSki, DatEsqui},
    };
    for (const auto& c : casos) {
        (SFX->*c.efecto)();
        EXPECT_EQ(Sonando(c.objeto), 1) << "object " << c.objeto;
    }
    SFX->SSki();
    EXPECT_EQ(Sonando(DatEsqui), 1) << "a second scrape restarts the first";
    SFX->SGolpe();
    EXPECT_EQ(Sonando(DatGolpe), 1);
    EXPECT_EQ(Sonando(DatCrujido), 1);
    const int rapido = Muestra(DatCrujido)->freq * 16 / 10;
    for (int v = 0; v < 256; v++) EXPECT_TRUE(!Toca(v, DatCrujido) || voice_get_frequency(v) == rapido) << "played 1.6 times faster";
}

TEST_F(Sonidos, MusicPlaysWithSoundOnAndWithSoundOffOnlyTheStopsWork)
{
    SFX->MMenu();
    EXPECT_GE(midi_pos, 0);
    SFX->MStop();
    EXPECT_LT(midi_pos, 0);
    SFX->MNivel(6);
    EXPECT_GE(midi_pos, 0);
    SFX->SAmb(false);
    ASSERT_EQ(Sonando(DatSirena), 1);
    Config->ToggleSonido();

    SFX->MNivel(2);
    EXPECT_LT(midi_pos, 0) << "level music stops what was playing";
    SFX->MMenu();
    EXPECT_LT(midi_pos, 0);
    SFX->SAmb(true);
    EXPECT_EQ(SFX->VerAmb(), 0);
    EXPECT_EQ(SonandoMuestras(), 0) << "the counted siren stops even with sound off";

    TodosLosEfectos();
    EXPECT_EQ(SonandoMuestras(), 0);
    EXPECT_EQ(SFX->VerAmb(), 0);
}

TEST_F(Sonidos, TheSirenIsStartedOnceAndCounted)
{
    const struct { void (Sonido::*orden)(bool); bool parar; int sonando, cuenta; const char* que; } pasos[] = {
        {&Sonido::SAmb, false, 1, 1, "started"},
        {&Sonido::SAmb, false, 1, 1, "started once"},
        {&Sonido::SAmb, true, 0, 0, "stopped"},
        {&Sonido::SAmb, true, 0, 0, "a stray stop never takes the count below zero"},
        {&Sonido::SAmb, false, 1, 1, "started again"},
        {&Sonido::SAmb_ex, true, 0, 1, "the uncounted stop leaves the count"},
        {&Sonido::SAmb_ex, false, 1, 1, "restarted"},
        {&Sonido::SAmb_ex, false, 1, 1, "restarted, not stacked"}};
    for (const auto& p : pasos) {
        (SFX->*p.orden)(p.parar);
        EXPECT_EQ(Sonando(DatSirena), p.sonando) << p.que;
        EXPECT_EQ(SFX->VerAmb(), p.cuenta) << p.que;
    }
}

TEST_F(Sonidos, WithoutItsDatafileTheGamePlaysOnSilently)
{
    mkdir("vacio", 0755);
    ASSERT_EQ(chdir("vacio"), 0);
    delete SFX;
    SFX = new Sonido;
    ASSERT_EQ(chdir(".."), 0);
    SFX->MMenu();
    SFX->MNivel(1);
    TodosLosEfectos();
    EXPECT_EQ(Sonando(-1), 0);
    EXPECT_EQ(SFX->VerAmb(), 0);
    EXPECT_LT(midi_pos, 0);
    SFX->SAmb(true);
    SFX->SAmb_ex(true);
    SFX->MStop();
}

TEST_F(Sonidos, TunesStartedAgainAndAgainOpenNoMoreFiles)
{
    // The menu tune and every level tune, as an evening of games and returns to the menu do.
    ASSERT_STREQ(midi_driver->name, "DIGMID");
    SFX->MMenu();
    SFX->MNivel(0);
    const int antes = Abiertos();
    for (int vez = 0; vez < 40; vez++) {
        SFX->MMenu();
        SFX->MNivel(vez);
        ASSERT_GE(midi_pos, 0) << "tune " << vez;
    }
    SFX->MStop();
    EXPECT_EQ(Abiertos(), antes);
}

// The menu tune is heard through the sound card, played by the library's
// software synthesizer with the MIDI patch set.
TEST_F(Sonidos, TheMenuTuneIsHeardThroughThePatchSet)
{
    ASSERT_EQ(midi_driver->id, MIDI_DIGMID);
    SFX->MMenu();
    // Two seconds of the mix written, 16-bit stereo at 44.1 kHz, however long that takes.
    struct stat st;
    for (int n = 0; n < 6000 && (stat("salida.raw", &st) != 0 || st.st_size < 2 * 44100 * 4); n++) rest(10);
    SFX->MStop();
    Para();  // closes the sound card, so the whole capture is written
    const Entorno::Bytes b = Entorno::Lee("salida.raw");  // 16-bit unsigned stereo frames
    ASSERT_GT(b.size(), 44100u * 4);
    double suma = 0.0;
    int pico = 0;
    for (size_t i = 0; i + 1 < b.size(); i += 2) {
        const int d = (b[i] | b[i + 1] << 8) - 32768;
        suma += static_cast<double>(d) * d;
        pico = std::max(pico, std::abs(d));
    }
    EXPECT_GT(std::sqrt(suma / (b.size() / 2)), 300.0);
    EXPECT_LT(pico, 32700);
}

TEST_F(Sonidos, TunesLoopEvery30To90SecondsAndEffectsLastTheirMomentWithoutClippingOrClicks)
{
    for (int i = DatMusicaMenu; i <= DatMusicaNivel3; i++) {
        const int segundos = get_midi_length(static_cast<MIDI*>(Datos[i].dat));
        EXPECT_TRUE(segundos >= 30 && segundos <= 90) << "object " << i << " lasts " << segundos << " s";
    }
    // object, shortest and longest in seconds
    const struct { int indice; double minimo, maximo; } tabla[] = {
        {DatAhh, 0.6, 1.5}, {DatSirena, 3.0, 5.0}, {DatAplauso, 1.5, 3.0}, {DatCaja, 0.7, 1.5},
        {DatExtra, 0.7, 1.5}, {DatFin, 1.5, 3.0},  {DatGolpe, 0.2, 1.0},  {DatCrujido, 0.2, 1.0},
        {DatEsqui, 0.3, 0.8}};
    for (const auto& e : tabla) {
        const SAMPLE* s = Muestra(e.indice);
        const double segundos = static_cast<double>(s->len) / s->freq;
        EXPECT_TRUE(segundos >= e.minimo && segundos <= e.maximo) << "object " << e.indice << ": " << segundos << " s";
        // 16-bit unsigned values, as the library keeps them.
        ASSERT_EQ(s->bits, 16);
        const unsigned short* v = static_cast<const unsigned short*>(s->data);
        int pico = 0;
        for (unsigned long i = 0; i < s->len; i++) pico = std::max(pico, std::abs(v[i] - 32768));
        EXPECT_TRUE(pico > 16384 && pico < 32440) << "object " << e.indice << " peaks at " << pico;
        EXPECT_TRUE(std::abs(v[0] - 32768) < 655 && std::abs(v[s->len - 1] - 32768) < 655) << "a click, object " << e.indice;
    }
}
