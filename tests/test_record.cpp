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

namespace {

typedef std::vector<std::pair<std::string, int>> Tabla;

// "scores.his" as read byte by byte: 'R', then ten names, each ending within
// its 10-byte slot, each followed by its score, little-endian.
Tabla Fichero()
{
    unsigned char b[200] = {};
    std::FILE* f = std::fopen("scores.his", "rb");
    const size_t n = f != nullptr ? std::fread(b, 1, sizeof b, f) : 0;
    if (f != nullptr) std::fclose(f);
    Tabla t;
    if (n != 141 || b[0] != 'R') return t;
    for (int r = 0; r < 10; r++) {
        const unsigned char* p = b + 1 + 14 * r;
        if (std::memchr(p, 0, 10) == nullptr) return Tabla();
        const uint32_t u = p[10] | p[11] << 8 | p[12] << 16 | uint32_t(p[13]) << 24;
        t.push_back({reinterpret_cast<const char*>(p), static_cast<int32_t>(u)});
    }
    return t;
}

Tabla Memoria()
{
    Tabla t;
    for (int r = 0; r < 10; r++) t.push_back({Record->LeeNombre(r), Record->LeePuntos(r)});
    return t;
}

}  // namespace

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

    // The entry at rank with the presses given; the name then stored there.
    std::string Introduce(int rank, int puntos, std::vector<InyectorTeclas::Pulsacion> teclas)
    {
        Puntos = puntos;
        InyectorTeclas* jugador = InyectorTeclas::TrasVaciado(std::move(teclas));
        partida->GrabaRecord(rank);
        delete jugador;
        return Record->LeeNombre(rank);
    }

    Partida* partida = nullptr;
};

TEST_F(PruebaRecord, TheNameTakesNineLettersDigitsAndSignsButNoSpacesHyphensOrStops)
{
    const struct {
        const char* tecleado;
        const char* guardado;
    } casos[] = {
        {"ABCDEFGHIJ\r", "ABCDEFGHI"},  // the tenth letter is ignored
        {"\b\bABC\b\r", "AB"},          // Backspace on an empty name does nothing
        {" a-Z.9{@~_\r", "aZ9@_"},      // case kept; ':' to '@' and '[' to '`' go in
        {"\r", ""},                     // Enter on an empty name stores it empty
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Introduce(0, 5000, InyectorTeclas::Texto(c.tecleado)), c.guardado);
        const Tabla t = Fichero();
        ASSERT_EQ(t.size(), 10u);
        EXPECT_EQ(t[0], std::make_pair(std::string(c.guardado), 5000));
    }
}

TEST_F(PruebaRecord, KeysWithoutACharacterAndHighCharactersChangeNothing)
{
    std::vector<InyectorTeclas::Pulsacion> teclas = InyectorTeclas::Texto("A");
    for (int k : {KEY_LEFT, KEY_UP, KEY_F1}) teclas.push_back(InyectorTeclas::Tecla(k, 0, 5));
    teclas.push_back(InyectorTeclas::Tecla(KEY_A, 0xE1, 5));  // an accented letter
    for (const auto& p : InyectorTeclas::Texto("B\r")) teclas.push_back(p);
    EXPECT_EQ(Introduce(0, 5000, teclas), "AB");
}

TEST_F(PruebaRecord, ANewRecordMovesTheRestDownOnePlaceAndTheLastDropsOut)
{
    const Tabla antes = Memoria();
    ASSERT_EQ(antes[3].second, 700);
    EXPECT_EQ(Introduce(3, 750, InyectorTeclas::Texto("Nuevo\r")), "Nuevo");

    Tabla esperada(antes.begin(), antes.begin() + 3);
    esperada.push_back({"Nuevo", 750});
    esperada.insert(esperada.end(), antes.begin() + 3, antes.begin() + 9);
    EXPECT_EQ(Memoria(), esperada);
    EXPECT_EQ(Fichero(), esperada);

    // At the last place only the last entry changes.
    Introduce(9, 101, InyectorTeclas::Texto("Ultimo\r"));
    esperada[9] = {"Ultimo", 101};
    EXPECT_EQ(Fichero(), esperada);
}
