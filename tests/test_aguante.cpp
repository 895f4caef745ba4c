// Long play: what an evening of games must not use up. Tunes started again
// and again through the MIDI patch set hold no more files open than the first.
#include <gtest/gtest.h>

#include <allegro.h>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <unistd.h>

#include "Configuracion.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "Sonido.h"

namespace {

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

class LargoPlazo : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A sound card that throws the mix away, and the patch set beside it.
        char dir[512];
        ASSERT_NE(getcwd(dir, sizeof dir), nullptr);
        FILE* f = std::fopen("alsa.conf", "w");
        ASSERT_NE(f, nullptr);
        std::fputs("pcm.!default { type file; slave.pcm \"null\"; file \"/dev/null\"; format \"raw\" }\n", f);
        std::fclose(f);
        setenv("ALSA_CONFIG_PATH", ("/usr/share/alsa/alsa.conf:" + std::string(dir) + "/alsa.conf").c_str(), 1);
        setenv("ALLEGRO", dir, 1);
        std::remove("zumbelo.cfg");  // sound on
        ASSERT_TRUE(Entorno::ArrancaPantalla());
        ASSERT_STREQ(midi_driver->name, "DIGMID");
        SFX = new Sonido;
    }
    void TearDown() override { Entorno::Para(); }
};

}  // namespace

TEST_F(LargoPlazo, TunesStartedAgainAndAgainOpenNoMoreFiles)
{
    // The menu tune and every level tune, as a game and its return to the menu do.
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
