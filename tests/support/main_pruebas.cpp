// Every test process runs in a fresh temporary working directory, so the
// settings and high-score files it writes never touch the game's own, with
// the built datafile and patch set linked in beside it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "Entorno.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);

    char plantilla[] = "/tmp/zumbelo-prueba-XXXXXX";
    const char* dir = mkdtemp(plantilla);
    if (dir == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string juego = Entorno::DirectorioJuego();
    const std::string temporal = dir;
    for (const char* nombre : {"datos.dat", "patches.dat"}) {
        const std::string origen = juego + "/" + nombre;
        const std::string destino = temporal + "/" + nombre;
        if (symlink(origen.c_str(), destino.c_str()) != 0) std::perror("symlink");
    }
    // A message box would wait for a click nobody gives: the library's
    // message program is replaced by one that writes the text to stderr.
    const std::string bin = temporal + "/bin";
    const std::string mensaje = bin + "/xmessage";
    if (mkdir(bin.c_str(), 0755) == 0) {
        if (std::FILE* f = std::fopen(mensaje.c_str(), "w")) {
            std::fputs("#!/bin/sh\necho \"$@\" >&2\n", f);
            std::fclose(f);
            chmod(mensaje.c_str(), 0755);
        }
        const char* camino = std::getenv("PATH");
        const std::string nuevo = bin + ":" + (camino != nullptr ? camino : "/usr/bin:/bin");
        setenv("PATH", nuevo.c_str(), 1);
    }
    if (chdir(dir) != 0) {
        std::perror("chdir");
        return 1;
    }

    const int resultado = RUN_ALL_TESTS();

    if (chdir("/") == 0) {
        const std::string borra = "/bin/rm -rf '" + temporal + "'";
        if (std::system(borra.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", dir);
    }
    return resultado;
}
