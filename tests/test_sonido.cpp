// The sound box, heard through the library's voices: each effect plays its
// own sample, sound off silences everything but the stops, and tunes started
// again and again hold no more files open.
#include <gtest/gtest.h>

#include <allegro.h>
#include <cstdio>
#include <cstring>
#include <dirent.h>

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

// How many voices play object n.
int Sonando(int n)
{
    int cuantas = 0;
    for (int v = 0; v < 256; v++) cuantas += Toca(v, n);
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
        Entorno::SonidoEnArchivo("/dev/null");  // a sound card, so the mixer really runs
        std::remove("zumbelo.cfg");             // sound on, whatever an earlier test left
        ASSERT_TRUE(Entorno::ArrancaPantalla());
        ASSERT_STREQ(digi_driver->name, "ALSA");
        SFX = new Sonido;
        Datos = load_datafile(ArchivoDatos);
        ASSERT_NE(Datos, nullptr);
    }
    // The test's datafile goes before the library does.
    void TearDown() override
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
    const int rapido = static_cast<const SAMPLE*>(Datos[DatCrujido].dat)->freq * 16 / 10;
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

