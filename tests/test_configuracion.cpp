// The settings file "zumbelo.cfg": five bytes in the order language, sound,
// graphic set, window, frame skipping, read at start-up and rewritten whole
// after every change.
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>
#include <vector>

#include "Configuracion.h"

namespace {

typedef std::vector<unsigned char> Bytes;

const char* const Archivo = "zumbelo.cfg";
const time_t Antiguo = 1000000000;

// Writes the file and backdates it, so that any rewrite shows in its time.
void Escribe(const Bytes& b)
{
    FILE* f = std::fopen(Archivo, "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(b.data(), 1, b.size(), f);
    std::fclose(f);
    struct utimbuf t = {Antiguo, Antiguo};
    ASSERT_EQ(utime(Archivo, &t), 0);
}

Bytes Lee()
{
    Bytes b;
    FILE* f = std::fopen(Archivo, "rb");
    for (int c; f != nullptr && (c = std::fgetc(f)) != EOF;) b.push_back(static_cast<unsigned char>(c));
    if (f != nullptr) std::fclose(f);
    return b;
}

time_t Modificado()
{
    struct stat st;
    return stat(Archivo, &st) == 0 ? st.st_mtime : 0;
}

// The five settings as the game sees them, in file order.
Bytes Valores(Configuracion& c)
{
    return Bytes{static_cast<unsigned char>(c.VerIdioma()), c.VerSonido(), static_cast<unsigned char>(c.SetGraf()),
                 c.VerWindowed(), static_cast<unsigned char>(c.VerSpeed())};
}

class Ajustes : public ::testing::Test {
protected:
    void SetUp() override { std::remove(Archivo); }
    void TearDown() override { rmdir(Archivo); }
};

}  // namespace

TEST_F(Ajustes, AFirstRunWritesTheDefaultsAndAValidFileIsReadInOrderAndLeftUntouched)
{
    {
        Configuracion c;
        EXPECT_EQ(Lee(), (Bytes{0, 1, 0, 0, 0})) << "Spanish, sound on, set 0, full screen";
        EXPECT_EQ(Valores(c), (Bytes{0, 1, 0, 0, 0}));
    }
    Escribe({1, 0, 1, 1, 3});
    Configuracion c;
    EXPECT_EQ(Valores(c), (Bytes{1, 0, 1, 1, 3}));
    EXPECT_EQ(Lee(), (Bytes{1, 0, 1, 1, 3}));
    EXPECT_EQ(Modificado(), Antiguo);
}

TEST_F(Ajustes, AnyNonZeroFlagIsOnAndIsWrittenBackAsOne)
{
    Escribe({0, 7, 0, 0xFF, 2});
    Configuracion c;
    EXPECT_EQ(Valores(c), (Bytes{0, 1, 0, 1, 2}));
    EXPECT_EQ(Modificado(), Antiguo) << "flags are not repaired at start-up";
    c.SetSpeed();
    EXPECT_EQ(Lee(), (Bytes{0, 1, 0, 1, 3}));
}

TEST_F(Ajustes, EveryChangeRewritesAllFiveBytesAndSetAndSpeedWrap)
{
    Escribe({0, 1, 1, 0, 6});
    Configuracion c;
    const struct {
        void (Configuracion::*cambio)();
        Bytes esperado;
    } pasos[] = {
        {&Configuracion::ToggleIdioma, {1, 1, 1, 0, 6}},   {&Configuracion::ToggleSonido, {1, 0, 1, 0, 6}},
        {&Configuracion::ToggleSet, {1, 0, 0, 0, 6}},      {&Configuracion::ToggleWindowed, {1, 0, 0, 1, 6}},
        {&Configuracion::SetSpeed, {1, 0, 0, 1, 0}},       {&Configuracion::SetSpeed, {1, 0, 0, 1, 1}},
        {&Configuracion::ToggleSet, {1, 0, 1, 1, 1}},      {&Configuracion::ToggleIdioma, {0, 0, 1, 1, 1}},
    };
    for (const auto& p : pasos) {
        Escribe({9, 9, 9, 9, 9, 9, 9});  // spoilt behind its back: must not survive
        (c.*p.cambio)();
        EXPECT_EQ(Lee(), p.esperado);
        EXPECT_EQ(Valores(c), p.esperado);
    }
}

TEST_F(Ajustes, ShortOrOutOfRangeFilesTakeDefaultsAndAreRewritten)
{
    const struct {
        Bytes archivo, reparado;
    } casos[] = {
        {{}, {0, 1, 0, 0, 0}},
        {{1, 0}, {1, 0, 0, 0, 0}},
        {{1, 0, 1, 1}, {1, 0, 1, 1, 0}},
        {{2, 0, 1, 1, 3}, {0, 0, 1, 1, 3}},
        {{1, 0, 2, 1, 3}, {1, 0, 0, 1, 3}},
        {{1, 0, 1, 1, 7}, {1, 0, 1, 1, 0}},
        {{0xFF, 1, 0xFE, 0, 0xFF}, {0, 1, 0, 0, 0}},  // negative bytes
    };
    for (const auto& caso : casos) {
        Escribe(caso.archivo);
        Configuracion c;
        EXPECT_EQ(Lee(), caso.reparado) << "from " << caso.archivo.size() << " bytes";
        EXPECT_EQ(Valores(c), caso.reparado);
    }
}

TEST_F(Ajustes, AnUnwritableFileLeavesTheValuesInMemory)
{
    ASSERT_EQ(mkdir(Archivo, 0755), 0);  // a directory where the file should be
    Configuracion c;
    EXPECT_EQ(c.Save(), 1);
    c.ToggleIdioma();
    c.SetSpeed();
    EXPECT_EQ(Valores(c), (Bytes{1, 1, 0, 0, 1}));
}
