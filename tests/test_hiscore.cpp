// The hall of fame and its file "scores.his".
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "HiScore.h"

namespace {

typedef std::vector<unsigned char> Bytes;

Bytes Lee()
{
    std::ifstream f("scores.his", std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), {});
}
void Escribe(const Bytes& b) { std::ofstream("scores.his", std::ios::binary).write((const char*)b.data(), b.size()); }

// The 141 bytes a table must give: 'R', then per rank a zero-filled 10-byte
// name and a little-endian score; rango(r) gives the name and score of rank r.
template <class F>
Bytes Fichero(F rango)
{
    Bytes b(141, 0);
    b[0] = 'R';
    for (int r = 0; r < 10; r++) {
        const std::pair<std::string, int32_t> p = rango(r);
        std::memcpy(&b[1 + 14 * r], p.first.data(), std::min<size_t>(p.first.size(), 10));
        for (int k = 0; k < 4; k++) b[11 + 14 * r + k] = (static_cast<uint32_t>(p.second) >> (8 * k)) & 0xFF;
    }
    return b;
}

Bytes FicheroDe(HiScore& t)
{
    return Fichero([&t](int r) { return std::make_pair(std::string(t.LeeNombre(r)), t.LeePuntos(r)); });
}

class TablaRecords : public ::testing::Test {
protected:
    void SetUp() override { std::remove("scores.his"); }
};

}  // namespace

TEST_F(TablaRecords, WithoutAValidFileTheDefaultTableIsWrittenByteForByte)
{
    for (int caso = 0; caso < 3; caso++) {  // no file, an empty file, another marker
        if (caso > 0) Escribe(Bytes(caso == 1 ? 0 : 141, 'x'));
        HiScore t;
        for (int r = 0; r < 10; r++) {
            EXPECT_EQ(t.LeePuntos(r), (10 - r) * 100);
            EXPECT_TRUE(std::strlen(t.LeeNombre(r)) >= 1 && std::strlen(t.LeeNombre(r)) <= 9);
        }
        const Bytes b = Lee();
        ASSERT_EQ(b.size(), 141u);
        EXPECT_EQ(b, FicheroDe(t));
        EXPECT_TRUE(b[11] == 0xE8 && b[12] == 0x03 && b[137] == 100);  // 1000 and 100
        std::remove("scores.his");
    }
}

TEST_F(TablaRecords, HostileFilesNeverLetANameRunPastItsSlot)
{
    const std::vector<int32_t> puntos = {9000, 800, 700, 600, 500, 400, 300, 200, 100, -42};
    Bytes b = Fichero([&puntos](int r) { return std::make_pair(std::string(10, 'A'), puntos[r]); });  // no terminators
    Escribe(b);
    HiScore t;
    for (int r = 0; r < 10; r++) {
        EXPECT_STREQ(t.LeeNombre(r), "AAAAAAAAA");
        EXPECT_EQ(t.LeePuntos(r), puntos[r]);
    }
    EXPECT_EQ(Lee(), b) << "a valid file is not rewritten";
    // Longer: the tail is ignored. Shorter: whole records count, the rest
    // (a record cut in its name or its score included) keep their defaults.
    b.insert(b.end(), 20, 0xFF);
    Escribe(b);
    EXPECT_EQ(HiScore().LeePuntos(9), -42);
    for (size_t corte : {1u + 14 * 2 + 5, 1u + 14 * 2 + 12, 1u}) {
        Escribe(Bytes(b.begin(), b.begin() + corte));
        HiScore c;
        const int enteros = static_cast<int>((corte - 1) / 14);
        for (int r = 0; r < 10; r++) {
            EXPECT_EQ(c.LeePuntos(r), r < enteros ? puntos[r] : (10 - r) * 100) << corte;
            EXPECT_EQ(std::string(c.LeeNombre(r)) == "AAAAAAAAA", r < enteros);
        }
    }
}

TEST_F(TablaRecords, InsertedScoresKeepTheirOrderAndTheFileFollows)
{
    HiScore t;
    // What the game does with 1000 against the default table: it ranks after
    // the stored 1000, the ranks below move down and the last is lost.
    const std::string viejo1 = t.LeeNombre(1), viejo8 = t.LeeNombre(8);
    for (int r = 9; r > 1; r--) {
        const std::string n = t.LeeNombre(r - 1);
        t.GrabaNombre(n.c_str(), r);
        t.GrabaPuntos(t.LeePuntos(r - 1), r);
    }
    t.GrabaNombre("Bartolomeo", 1);  // ten characters: cut to nine
    t.GrabaPuntos(1000, 1);
    t.GrabaNombre("Anastasia", 5);  // exactly nine
    t.GrabaPuntos(INT32_MIN, 8);
    t.GrabaPuntos(-5, 9);
    ASSERT_EQ(t.Save(), 0);
    EXPECT_STREQ(t.LeeNombre(1), "Bartolome");
    EXPECT_EQ(std::string(t.LeeNombre(2)) + "/" + t.LeeNombre(9), viejo1 + "/" + viejo8);
    EXPECT_EQ(t.LeePuntos(2), 900);
    const Bytes b = Lee();
    EXPECT_EQ(b, FicheroDe(t));
    EXPECT_EQ(0, std::memcmp(&b[1 + 14 * 5], "Anastasia", 10));
    EXPECT_EQ(0, std::memcmp(&b[11 + 14 * 9], "\xFB\xFF\xFF\xFF", 4));  // -5
    HiScore otra;  // the next start reads it all back
    EXPECT_EQ(otra.LeePuntos(8), INT32_MIN);
    EXPECT_EQ(otra.LeePuntos(9), -5);
    EXPECT_STREQ(otra.LeeNombre(1), "Bartolome");
}

TEST_F(TablaRecords, AFileThatCannotBeWrittenLeavesTheTableInMemory)
{
    ASSERT_EQ(mkdir("scores.his", 0755), 0);  // a directory where the file should be
    HiScore t;
    EXPECT_EQ(t.LeePuntos(9), 100);
    t.GrabaPuntos(4321, 0);
    EXPECT_EQ(t.Save(), 1);
    EXPECT_EQ(t.LeePuntos(0), 4321);
    rmdir("scores.his");
}
