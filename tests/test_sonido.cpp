// The sound box, heard through the library's voices: each effect plays its
// own sample, sound off silences everything but the stops, the siren is
// started once and counted, and a missing datafile only means silence.
#include <gtest/gtest.h>

#include <allegro.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <sys/stat.h>

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

// Whether voice v is playing the datafile's object n.
bool Toca(int v, int n)
{
    const SAMPLE* s = static_cast<const SAMPLE*>(Datos[n].dat);
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

class Sonidos : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A sound card that writes to a file, so the mixer really runs.
        char dir[512];
        ASSERT_NE(getcwd(dir, sizeof dir), nullptr);
        const std::string conf = std::string(dir) + "/alsa.conf";
        FILE* f = std::fopen(conf.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fprintf(f, "pcm.!default { type file; slave.pcm \"null\"; file \"%s/salida.raw\"; format \"raw\" }\n", dir);
        std::fclose(f);
        setenv("ALSA_CONFIG_PATH", ("/usr/share/alsa/alsa.conf:" + conf).c_str(), 1);
        setenv("ALLEGRO", dir, 1);  // where the MIDI patch set is found
        std::remove("zumbelo.cfg");  // sound on, whatever an earlier test left
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
    const int rapido = static_cast<SAMPLE*>(Datos[DatCrujido].dat)->freq * 16 / 10;
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
    FILE* f = std::fopen("salida.raw", "rb");  // 16-bit unsigned stereo frames
    ASSERT_NE(f, nullptr);
    double suma = 0.0, cuantas = 0.0;
    int pico = 0;
    for (unsigned short x; std::fread(&x, sizeof(x), 1, f) == 1; cuantas++) {
        const int d = static_cast<int>(x) - 32768;
        suma += static_cast<double>(d) * d;
        pico = std::max(pico, std::abs(d));
    }
    std::fclose(f);
    ASSERT_GT(cuantas, 44100.0);
    EXPECT_GT(std::sqrt(suma / cuantas), 300.0);
    EXPECT_LT(pico, 32700);
}
