// The sound box, heard through the library's voices: each effect plays its
// own sample, sound off silences everything but the stops, the siren is
// started once and counted, and a missing datafile only means silence.
#include <gtest/gtest.h>

#include <allegro.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <sys/stat.h>

#include "Configuracion.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "Sonido.h"

namespace {

// Whether voice v is playing the datafile's object n (Sonido holds its own
// copy of the file, so samples are matched by their contents).
bool Toca(int v, int n)
{
    const SAMPLE* s = static_cast<const SAMPLE*>(H->VerDatos()[n].dat);
    const SAMPLE* o = voice_check(v);
    const size_t bytes = s->len * (s->bits / 8) * (s->stereo ? 2 : 1);
    return o != nullptr && o->len == s->len && std::memcmp(o->data, s->data, bytes) == 0;
}

int Sonando(int n)
{
    int cuantas = 0;
    for (int v = 0; v < 256; v++) cuantas += Toca(v, n);
    return cuantas;
}

int Voces()
{
    int cuantas = 0;
    for (int v = 0; v < 256; v++) cuantas += voice_check(v) != nullptr;
    return cuantas;
}

int Frecuencia(int n)
{
    for (int v = 0; v < 256; v++)
        if (Toca(v, n)) return voice_get_frequency(v);
    return -1;
}

void TodosLosEfectos()
{
    SFX->SAhh();
    SFX->SAplauso();
    SFX->SExtra();
    SFX->SCash();
    SFX->SFin();
    SFX->SGolpe();
    SFX->SSki();
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
        std::remove("zumbelo.cfg");  // sound on, whatever an earlier test left
        ASSERT_TRUE(Entorno::ArrancaPantalla());
        ASSERT_STREQ(digi_driver->name, "ALSA");
    }
    void TearDown() override { Entorno::Para(); }
};

}  // namespace

TEST_F(Sonidos, EachEffectPlaysItsOwnSample)
{
    SFX = new Sonido;
    const struct { void (Sonido::*efecto)(); int objeto; } casos[] = {
        {&Sonido::SAhh, 0}, {&Sonido::SAplauso, 2}, {&Sonido::SCash, 5},
        {&Sonido::SExtra, 7}, {&Sonido::SFin, 8}, {&Sonido::SSki, 27},
    };
    for (const auto& c : casos) {
        (SFX->*c.efecto)();
        EXPECT_EQ(Sonando(c.objeto), 1) << "object " << c.objeto;
    }
    SFX->SSki();
    EXPECT_EQ(Sonando(27), 1) << "a second scrape restarts the first";
    SFX->SGolpe();
    EXPECT_EQ(Sonando(19), 1);
    EXPECT_EQ(Sonando(26), 1);
    EXPECT_EQ(Frecuencia(26), static_cast<SAMPLE*>(H->VerDatos()[26].dat)->freq * 16 / 10);
}

TEST_F(Sonidos, MusicPlaysWithSoundOnAndWithSoundOffOnlyTheStopsWork)
{
    SFX = new Sonido;
    SFX->MMenu();
    EXPECT_GE(midi_pos, 0);
    SFX->MStop();
    EXPECT_LT(midi_pos, 0);
    SFX->MNivel(6);
    EXPECT_GE(midi_pos, 0);
    SFX->SAmb(false);
    ASSERT_EQ(Sonando(1), 1);
    Config->ToggleSonido();

    SFX->MNivel(2);
    EXPECT_LT(midi_pos, 0) << "level music stops what was playing";
    SFX->MMenu();
    EXPECT_LT(midi_pos, 0);
    SFX->SAmb(true);
    EXPECT_EQ(SFX->VerAmb(), 0);
    EXPECT_EQ(Voces(), 0) << "the counted siren stops even with sound off";

    TodosLosEfectos();
    EXPECT_EQ(Voces(), 0);
    EXPECT_EQ(SFX->VerAmb(), 0);
}

TEST_F(Sonidos, TheSirenIsStartedOnceAndCounted)
{
    SFX = new Sonido;
    SFX->SAmb(false);
    SFX->SAmb(false);
    EXPECT_EQ(Sonando(1), 1);
    EXPECT_EQ(SFX->VerAmb(), 1);
    SFX->SAmb(true);
    EXPECT_EQ(Sonando(1), 0);
    EXPECT_EQ(SFX->VerAmb(), 0);
    SFX->SAmb(true);
    EXPECT_EQ(SFX->VerAmb(), 0) << "a stray stop never takes the count below zero";

    SFX->SAmb(false);
    SFX->SAmb_ex(true);
    EXPECT_EQ(Sonando(1), 0);
    EXPECT_EQ(SFX->VerAmb(), 1) << "the uncounted stop leaves the count";
    SFX->SAmb_ex(false);
    SFX->SAmb_ex(false);
    EXPECT_EQ(Sonando(1), 1) << "restarted, not stacked";
    EXPECT_EQ(SFX->VerAmb(), 1);
}

TEST_F(Sonidos, WithoutItsDatafileTheGamePlaysOnSilently)
{
    mkdir("vacio", 0755);
    ASSERT_EQ(chdir("vacio"), 0);
    SFX = new Sonido;
    ASSERT_EQ(chdir(".."), 0);
    SFX->MMenu();
    SFX->MNivel(1);
    TodosLosEfectos();
    EXPECT_EQ(Voces(), 0);
    EXPECT_EQ(SFX->VerAmb(), 0);
    EXPECT_LT(midi_pos, 0);
    SFX->SAmb(true);
    SFX->SAmb_ex(true);
    SFX->MStop();
}
