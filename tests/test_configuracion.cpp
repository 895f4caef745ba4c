// The player's files beside the game: "zumbelo.cfg", five bytes in the order
// language, sound, graphic set, window, frame skipping, read at start-up and
// rewritten whole after every change; and "zumbelo.keys", 'T' and six
// different scan codes, taken only when all of it is usable.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "Configuracion.h"
#include "Entorno.h"
#include "MapaTeclas.h"

using Entorno::Bytes;
using Entorno::Lee;

namespace {

const char* const Archivo = "zumbelo.cfg";

// The five settings as the game sees them, in file order.
Bytes Valores(Configuracion& c)
{
    return Bytes{static_cast<unsigned char>(c.VerIdioma()), c.VerSonido(), static_cast<unsigned char>(c.SetGraf()),
                 c.VerWindowed(), static_cast<unsigned char>(c.VerSpeed())};
}

}  // namespace

TEST(Ajustes, AValidFileIsReadInOrderAndLeftAloneAndADamagedOneIsRepairedWithDefaults)
{
    std::remove(Archivo);
    {
        Configuracion c;
        EXPECT_EQ(Lee(Archivo), (Bytes{0, 1, 0, 0, 0})) << "a first run: Spanish, sound on, set 0, full screen";
    }
    const struct { Bytes archivo, valores; bool reescrito; } casos[] = {
        {{0, 7, 1, 0xFF, 6}, {0, 1, 1, 1, 6}, false},  // any non-zero flag is on
        {{1, 0, 1, 1, 3, 9, 9}, {1, 0, 1, 1, 3}, false},  // what follows is not read
        {{}, {0, 1, 0, 0, 0}, true},
        {{1, 0}, {1, 0, 0, 0, 0}, true},
        {{1, 0, 1, 1}, {1, 0, 1, 1, 0}, true},
        {{2, 0, 1, 1, 3}, {0, 0, 1, 1, 3}, true},
        {{1, 0, 2, 1, 3}, {1, 0, 0, 1, 3}, true},
        {{1, 0, 1, 1, 7}, {1, 0, 1, 1, 0}, true},
        {{0xFF, 1, 0xFE, 0, 0xFF}, {0, 1, 0, 0, 0}, true},
    };
    for (const auto& caso : casos) {
        Entorno::Escribe(Archivo, caso.archivo);
        Configuracion c;
        EXPECT_EQ(Valores(c), caso.valores) << caso.archivo.size() << " bytes";
        EXPECT_EQ(Lee(Archivo), caso.reescrito ? caso.valores : caso.archivo) << caso.archivo.size() << " bytes";
    }
}

TEST(Ajustes, EveryChangeRewritesAllFiveBytesAndSetAndSpeedWrap)
{
    Entorno::Escribe(Archivo, {0, 1, 1, 0, 6});
    Configuracion c;
    const struct {
        void (Configuracion::*cambio)();
        Bytes esperado;
    } pasos[] = {
        {&Configuracion::ToggleIdioma, {1, 1, 1, 0, 6}},   {&Configuracion::ToggleSonido, {1, 0, 1, 0, 6}},
        {&Configuracion::ToggleSet, {1, 0, 0, 0, 6}},      {&Configuracion::ToggleWindowed, {1, 0, 0, 1, 6}},
        {&Configuracion::SetSpeed, {1, 0, 0, 1, 0}},       {&Configuracion::SetSpeed, {1, 0, 0, 1, 1}},
        {&Configuracion::ToggleSet, {1, 0, 1, 1, 1}},      {&Configuracion::ToggleSonido, {1, 1, 1, 1, 1}},
    };
    for (const auto& p : pasos) {
        Entorno::Escribe(Archivo, {9, 9, 9, 9, 9, 9, 9});  // spoilt behind its back: must not survive
        (c.*p.cambio)();
        EXPECT_EQ(Lee(Archivo), p.esperado);
        EXPECT_EQ(Valores(c), p.esperado);
    }
}

TEST(Teclas, OnlySixUsableDifferentKeysAreTakenAndTheFileIsLeftAsItIs)
{
    const struct { const char* que; Bytes archivo; bool usable; } casos[] = {
        {"a good file", {'T', 84, 85, 82, 83, 67, 59}, true},
        {"scan codes 1 and 126", {'T', 1, 85, 82, 83, 67, 126}, true},
        {"empty", {}, false},
        {"short", {'T', 84, 85, 82}, false},
        {"one byte too long", {'T', 84, 85, 82, 83, 67, 59, 0}, false},
        {"a key twice", {'T', 84, 85, 82, 83, 84, 59}, false},
        {"an action without a key", {'T', 84, 85, 0, 83, 67, 59}, false},
        {"scan code 127", {'T', 84, 85, 82, 83, 67, 127}, false},
        {"scan code 255", {'T', 255, 85, 82, 83, 67, 59}, false},
        {"another marker", {'R', 84, 85, 82, 83, 67, 59}, false},
    };
    for (const auto& c : casos) {
        Entorno::Escribe("zumbelo.keys", c.archivo);
        int t[6] = {-1, -1, -1, -1, -1, -1};
        EXPECT_EQ(MapaTeclas::Lee(t), c.usable ? 0 : 1) << c.que;
        const std::vector<int> tomadas(t, t + 6);
        const std::vector<int> esperadas = c.usable ? std::vector<int>(c.archivo.begin() + 1, c.archivo.end())
                                                    : std::vector<int>(6, -1);
        EXPECT_EQ(tomadas, esperadas) << c.que;
        EXPECT_EQ(Lee("zumbelo.keys"), c.archivo) << c.que << ": changed by reading it";
    }
}
