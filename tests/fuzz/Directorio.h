// Shared by the fuzz targets: the readers use fixed file names in the working
// directory, so each fuzzer works in a private temporary directory of its own.
#ifndef FUZZ_DIRECTORIO_H
#define FUZZ_DIRECTORIO_H

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

char Propio[4096] = "";

// The files and the directory go when the fuzzer ends by itself; after a
// crash they stay for a look.
void BorraDirectorioPropio()
{
    std::remove("zumbelo.cfg");
    std::remove("zumbelo.keys");
    std::remove("scores.his");
    if (chdir("/") == 0) rmdir(Propio);
}

// Moves into a fresh directory under $TMPDIR (or /tmp) once, before the first input.
void EntraEnDirectorioPropio()
{
    if (Propio[0] != '\0') return;
    const char* base = std::getenv("TMPDIR");
    std::snprintf(Propio, sizeof Propio, "%s/zumbelo-fuzz-XXXXXX", base != nullptr && base[0] != '\0' ? base : "/tmp");
    if (mkdtemp(Propio) == nullptr || chdir(Propio) != 0) {
        std::perror("temporary directory");
        std::abort();
    }
    std::atexit(BorraDirectorioPropio);
}

// Puts the input where the reader looks for it.
void EscribeArchivo(const char* nombre, const unsigned char* datos, size_t largo)
{
    FILE* f = std::fopen(nombre, "wb");
    if (f == nullptr) std::abort();
    if (largo > 0 && std::fwrite(datos, 1, largo, f) != largo) std::abort();
    if (std::fclose(f) != 0) std::abort();
}

// The whole file as it is now; returns its length, at most cap bytes read.
size_t LeeArchivo(const char* nombre, unsigned char* destino, size_t cap)
{
    FILE* f = std::fopen(nombre, "rb");
    if (f == nullptr) return 0;
    size_t n = std::fread(destino, 1, cap, f);
    if (std::fgetc(f) != EOF) n = cap + 1;  // longer than asked for
    std::fclose(f);
    return n;
}

}  // namespace

#endif
