// The name entry of a new record: what the player types, where the entry
// goes in the hall of fame and what "scores.his" holds afterwards.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "Entorno.h"
#include "Globales.h"
#include "HiScore.h"
#include "InyectorTeclas.h"
#include "Partida.h"

typedef std::vector<std::pair<std::string, int>> Tabla;

class PruebaRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::remove("scores.his");  // the default table
        ASSERT_TRUE(Entorno::ArrancaTodo());
        partida = new Partida;
    }
    void TearDown() override
    {
        delete partida;
        Entorno::Para();
    }

    // The entry at rank with the presses given, then "scores.his" byte by byte: 'R', ten 10-byte
    // name slots, each name ending within its slot and followed by its score, little-endian.
    Tabla Introduce(int rank, int puntos, const InyectorTeclas::Teclas& teclas)
    {
        Puntos = puntos;
        {
            InyectorTeclas jugador(teclas);
            partida->GrabaRecord(rank);
        }
        unsigned char b[200] = {};
        std::FILE* f = std::fopen("scores.his", "rb");
        const size_t n = f != nullptr ? std::fread(b, 1, sizeof b, f) : 0;
        if (f != nullptr) std::fclose(f);
        Tabla t;
        for (int r = 0; r < 10 && n == 141 && b[0] == 'R'; r++) {
            const unsigned char* p = b + 1 + 14 * r;
            if (std::memchr(p, 0, 10) == nullptr) return Tabla();
            const uint32_t u = p[10] | p[11] << 8 | p[12] << 16 | uint32_t(p[13]) << 24;
            t.push_back({reinterpret_cast<const char*>(p), static_cast<int32_t>(u)});
        }
        return t;  // empty when the file is malformed
    }

    Partida* partida = nullptr;
};

TEST_F(PruebaRecord, TheNameTakesNineLettersDigitsAndSignsButNoSpacesHyphensOrStops)
{
    using T = InyectorTeclas;
    // Cursor keys, F1, an accented letter, the euro sign and a Cyrillic letter.
    const T::Teclas sinCaracter = {T::Tecla(KEY_LEFT, 0, 5),   T::Tecla(KEY_UP, 0, 5),     T::Tecla(KEY_F1, 0, 5),
                                   T::Tecla(KEY_A, 0xE1, 5),   T::Tecla(KEY_E, 0x20AC, 5), T::Tecla(KEY_E, 0x20AC, 5),
                                   T::Tecla(KEY_D, 0x0434, 5)};
    const struct {
        T::Teclas tecleado;
        const char* guardado;
    } casos[] = {
        {T::Texto("ABCDEFGHIJ\r"), "ABCDEFGHI"},  // the tenth letter is ignored
        {T::Texto("\b\bABC\b\r"), "AB"},          // Backspace on an empty name does nothing
        {T::Texto(" a-Z.9{@~_\r"), "aZ9@_"},      // case kept; ':' to '@' and '[' to '`' go in
        {T::Texto("A") + sinCaracter + T::Texto("B\r"), "AB"},
        {T::Texto("\r"), ""},                     // Enter on an empty name stores it empty
    };
    for (const auto& c : casos) {
        const Tabla t = Introduce(0, 5000, c.tecleado);
        ASSERT_EQ(t.size(), 10u);
        EXPECT_EQ(t[0], std::make_pair(std::string(c.guardado), 5000));
    }
}

TEST_F(PruebaRecord, ANewRecordMovesTheRestDownOnePlaceAndTheLastDropsOut)
{
    Tabla esperada;
    for (int r = 0; r < 10; r++) esperada.push_back({Record->LeeNombre(r), Record->LeePuntos(r)});
    ASSERT_EQ(esperada[3].second, 700);
    esperada.insert(esperada.begin() + 3, {"Nuevo", 750});
    esperada.pop_back();
    EXPECT_EQ(Introduce(3, 750, InyectorTeclas::Texto("Nuevo\r")), esperada);
    esperada[9] = {"Ultimo", 101};  // at the last place only the last entry changes
    EXPECT_EQ(Introduce(9, 101, InyectorTeclas::Texto("Ultimo\r")), esperada);
}
