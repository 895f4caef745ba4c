// The hall of fame and its file "scores.his".
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
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

// A new score entered as the game enters it: at the first rank whose score
// is lower, the rest one place down.
void Entra(HiScore& t, const char* nombre, int puntos)
{
    int p = 0;
    while (p < 10 && t.LeePuntos(p) >= puntos) p++;
    for (int r = 9; r > p; r--) {
        const std::string n = t.LeeNombre(r - 1);
        t.GrabaNombre(n.c_str(), r);
        t.GrabaPuntos(t.LeePuntos(r - 1), r);
    }
    t.GrabaNombre(nombre, p);
    t.GrabaPuntos(puntos, p);
}

// The table in the file as "name score" pairs, best first.
std::string EnDisco()
{
    const Bytes b = Lee();
    std::string s;
    for (int r = 0; r < 10 && b.size() == 141; r++) {
        const uint32_t u = b[11 + 14 * r] | b[12 + 14 * r] << 8 | b[13 + 14 * r] << 16 | uint32_t(b[14 + 14 * r]) << 24;
        s += std::string(r ? " " : "") + reinterpret_cast<const char*>(&b[1 + 14 * r]) + " " +
             std::to_string(static_cast<int32_t>(u));
    }
    return s;
}

// Whether process pid now waits in flock().
bool EsperaCerrojo(pid_t pid)
{
    std::ifstream f("/proc/" + std::to_string(pid) + "/syscall");
    long n = -1;
    return (f >> n) && n == SYS_flock;
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

TEST_F(TablaRecords, TwoCopiesInOneDirectoryEnteringNamesInTurnKeepEveryEntryOnce)
{
    {
        HiScore a, b;  // both start from the default table
        Entra(a, "Ana", 5000);
        ASSERT_EQ(a.Save(), 0);
        Entra(b, "Beto", 650);
        ASSERT_EQ(b.Save(), 0);
        Entra(a, "Carla", 650);
        ASSERT_EQ(a.Save(), 0);
        const std::string esperado =
            "Ana 5000 Ventisca 1000 Nieves 900 Telesquis 800 Anselmo 700 Beto 650 Carla 650 Copos SL 600 Maribel 500 Glaciar 400";
        EXPECT_EQ(EnDisco(), esperado);
        ASSERT_EQ(b.Save(), 0);  // nothing new: the same table, and b now shows it all
        EXPECT_EQ(EnDisco(), esperado);
        EXPECT_EQ(std::string(b.LeeNombre(0)) + " " + b.LeeNombre(6), "Ana Carla");
    }

    // A copy that saves while another is in the middle of its own save waits
    // for it, and then keeps what it wrote: the lock is on the directory.
    const int dir = open(".", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(dir, 0);
    ASSERT_EQ(flock(dir, LOCK_EX), 0);
    const pid_t hijo = fork();
    if (hijo == 0) {
        HiScore c;
        Entra(c, "Dora", 3000);
        _exit(c.Save() == 0 ? 0 : 1);
    }
    bool espero = false;
    for (int n = 0; n < 3000 && !espero; n++) {  // ends a stuck test after 30 s
        espero = EsperaCerrojo(hijo);
        if (!espero) usleep(10000);
        if (waitpid(hijo, nullptr, WNOHANG) == hijo) break;
    }
    EXPECT_TRUE(espero) << "the save did not wait for the other copy";
    {
        HiScore otra;  // the other copy's save, under the lock it holds
        Entra(otra, "Eva", 4000);
        Bytes b = FicheroDe(otra);
        std::ofstream("scores.his.otra", std::ios::binary).write((const char*)b.data(), b.size());
        ASSERT_EQ(std::rename("scores.his.otra", "scores.his"), 0);
    }
    flock(dir, LOCK_UN);
    close(dir);
    int estado = -1;
    ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
    EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
    EXPECT_EQ(EnDisco().substr(0, 28), "Ana 5000 Eva 4000 Dora 3000 ");
}
