// The hall of fame and its file "scores.his": 'R', then for each of the ten
// ranks a name in ten bytes, zero-filled, and a little-endian 32-bit score.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "Entorno.h"
#include "HiScore.h"

using Entorno::Bytes;

namespace {

const char* const Archivo = "scores.his";
const std::string Iniciales = "Ventisca 1000 Nieves 900 Telesquis 800 Anselmo 700 Copos SL 600 Maribel 500 "
                              "Glaciar 400 Rosendo 300 Escarcha 200 Trineos 100";

// The table on disk as "name score" pairs, best first.
std::string EnDisco()
{
    const Bytes b = Entorno::Lee(Archivo);
    std::string s;
    for (int r = 0; r < 10 && b.size() == 141; r++) {
        const unsigned char* p = &b[1 + 14 * r];
        const uint32_t u = p[10] | p[11] << 8 | p[12] << 16 | uint32_t(p[13]) << 24;
        s += std::string(r ? " " : "") + reinterpret_cast<const char*>(p) + " " + std::to_string(int32_t(u));
    }
    return s;
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

}  // namespace

TEST(TablaRecords, WithoutATableTheDefaultIsWrittenAndAHostileOneNeverLetsANameRunPastItsSlot)
{
    for (const Bytes& otro : {Bytes(), Bytes(141, 'x')}) {  // an empty file, another marker
        Entorno::Escribe(Archivo, otro);
        HiScore t;
        EXPECT_EQ(EnDisco(), Iniciales);
    }
    // Names filling their slots, one with bytes after its end, and scores
    // down to a negative one; the file is valid, so it is not rewritten.
    const int32_t puntos[10] = {9000, 800, 700, 600, 500, 400, 300, 200, -42, INT32_MIN};
    Bytes b(141, 'A');
    b[0] = 'R';
    std::memcpy(&b[1 + 14 * 4], "Ana\0XYZW\xFF\x01", 10);
    for (int r = 0; r < 10; r++)
        for (int k = 0; k < 4; k++) b[11 + 14 * r + k] = static_cast<unsigned char>(uint32_t(puntos[r]) >> (8 * k));
    Entorno::Escribe(Archivo, b);
    {
        HiScore t;
        for (int r = 0; r < 10; r++) {
            EXPECT_STREQ(t.LeeNombre(r), r == 4 ? "Ana" : "AAAAAAAAA");
            EXPECT_EQ(t.LeePuntos(r), puntos[r]);
        }
        EXPECT_EQ(Entorno::Lee(Archivo), b);
        t.GrabaNombre("Bartolomeo", 8);  // ten characters: cut to nine
        ASSERT_EQ(t.Save(), 0);  // names are saved zero-filled
        const Bytes guardado = Entorno::Lee(Archivo);
        EXPECT_EQ(Bytes(guardado.begin() + 57, guardado.begin() + 71), (Bytes{'A', 'n', 'a', 0, 0, 0, 0, 0, 0, 0, 0xF4, 1, 0, 0}));
        EXPECT_EQ(Bytes(guardado.begin() + 113, guardado.end()),
                  (Bytes{'B', 'a', 'r', 't', 'o', 'l', 'o', 'm', 'e', 0, 0xD6, 0xFF, 0xFF, 0xFF,
                         'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 0, 0, 0, 0, 0x80}));
    }
    // Cut short: whole records count, and the rest (a record cut in its name
    // or its score included) keep their defaults.
    for (size_t corte : {1u + 14 * 2 + 5, 1u + 14 * 2 + 12, 1u}) {
        Entorno::Escribe(Archivo, Bytes(b.begin(), b.begin() + corte));
        HiScore c;
        const int enteros = static_cast<int>((corte - 1) / 14);
        for (int r = 0; r < 10; r++) {
            EXPECT_EQ(c.LeePuntos(r), r < enteros ? puntos[r] : (10 - r) * 100) << corte;
            EXPECT_EQ(std::string(c.LeeNombre(r)) == "AAAAAAAAA", r < enteros) << corte;
        }
    }
}

TEST(TablaRecords, TwoCopiesInOneDirectoryEnteringNamesInTurnKeepEveryEntryOnce)
{
    std::remove(Archivo);
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
    // Until the other copy stands in flock() (as the kernel shows it), or has
    // stored its table without waiting; a minute ends a stuck test.
    const std::string antes = EnDisco();
    const auto limite = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    bool espera = false;
    while (!espera && EnDisco() == antes && std::chrono::steady_clock::now() < limite) {
        std::ifstream f("/proc/" + std::to_string(hijo) + "/syscall");
        long n = -1;
        espera = (f >> n) && n == SYS_flock;
        if (!espera) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(espera) << "the save did not wait for the other copy";
    {
        // The other copy's save, under the lock it holds: Eva over the second rank.
        Bytes b = Entorno::Lee(Archivo);
        std::memcpy(&b[1 + 14 * 1], "Eva\0\0\0\0\0\0\0\xA0\x0F\0\0", 14);
        Entorno::Escribe("scores.his.otra", b);
        ASSERT_EQ(std::rename("scores.his.otra", Archivo), 0);
    }
    flock(dir, LOCK_UN);
    close(dir);
    int estado = -1;
    ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
    EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
    EXPECT_EQ(EnDisco().substr(0, 28), "Ana 5000 Eva 4000 Dora 3000 ");
}
