// A cut or damaged datos.dat is refused before the library sees it: every cut
// of the file, broken magic numbers and counts, sizes that point past the end
// or that disagree with an object's own header, a missing font or palette,
// and a file too large to be the game's, unread.
// Whatever the check lets through, the library loads without harm; and the
// display start-up fails cleanly on a damaged file instead of crashing.
#include <gtest/gtest.h>

#include <allegro.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "Configuracion.h"
#include "Datos.h"
#include "Globales.h"
#include "Hardware.h"
#include "RevisorDatos.h"

namespace {

typedef std::vector<unsigned char> Bytes;

Bytes Lee(const char* ruta)
{
    Bytes v;
    FILE* f = std::fopen(ruta, "rb");
    for (int c; f != nullptr && (c = std::fgetc(f)) != EOF;) v.push_back(static_cast<unsigned char>(c));
    if (f != nullptr) std::fclose(f);
    return v;
}

void Escribe(const char* ruta, const Bytes& b)
{
    std::remove(ruta);  // datos.dat is a link to the built file: never write through it
    FILE* f = std::fopen(ruta, "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(b.data(), 1, b.size(), f);
    std::fclose(f);
}

uint32_t M32(const Bytes& b, size_t o)
{
    return (static_cast<uint32_t>(b[o]) << 24) | (static_cast<uint32_t>(b[o + 1]) << 16) |
           (static_cast<uint32_t>(b[o + 2]) << 8) | b[o + 3];
}

void PonM32(Bytes& b, size_t o, uint32_t v)
{
    for (int i = 0; i < 4; i++) b[o + i] = static_cast<unsigned char>(v >> (24 - 8 * i));
}

// Where each object of a sound file starts (its first property), where its
// type field is, and where its contents are.
struct Sitio {
    size_t inicio, tipo, contenido, tam;
};

std::vector<Sitio> Sitios(const Bytes& b)
{
    std::vector<Sitio> s;
    size_t o = 12;
    for (uint32_t i = 0; i < M32(b, 8); i++) {
        Sitio x{o, 0, 0, 0};
        while (M32(b, o) == 0x70726F70) o += 12 + M32(b, o + 8);  // "prop"
        x.tipo = o;
        x.tam = M32(b, o + 4);
        x.contenido = o + 12;
        o = x.contenido + x.tam;
        s.push_back(x);
    }
    return s;
}

class Revisor : public ::testing::Test {
protected:
    void SetUp() override
    {
        bueno = Lee(ArchivoDatos);
        ASSERT_GT(bueno.size(), 1000u);
        sitios = Sitios(bueno);
        ASSERT_EQ(sitios.size(), static_cast<size_t>(DatObjetos));
    }
    int Revisa(const Bytes& b) { return RevisorDatos::Revisa(b.data(), b.size()); }

    Bytes bueno;
    std::vector<Sitio> sitios;
};

}  // namespace

TEST_F(Revisor, TheGeneratedFilePassesFromDiskAndFromMemory)
{
    EXPECT_EQ(RevisorDatos::Revisa(ArchivoDatos), 0);
    EXPECT_EQ(Revisa(bueno), 0);
    EXPECT_EQ(RevisorDatos::Revisa("no-such-file.dat"), 1);
}

TEST_F(Revisor, EveryCutOfTheFileIsRefused)
{
    std::vector<size_t> largos;
    for (size_t n = 0; n <= 64; n++) largos.push_back(n);
    for (const Sitio& s : sitios)
        for (size_t n : {s.inicio, s.inicio + 1, s.tipo + 8, s.contenido, s.contenido + 7, s.contenido + s.tam - 1})
            largos.push_back(n);
    for (size_t n = 0; n < bueno.size(); n += 9973) largos.push_back(n);
    largos.push_back(bueno.size() / 2);
    largos.push_back(bueno.size() - 1);
    for (size_t n : largos) {
        if (n >= bueno.size()) continue;
        EXPECT_EQ(RevisorDatos::Revisa(bueno.data(), n), 1) << "cut at " << n << " of " << bueno.size();
    }
}

TEST_F(Revisor, BrokenMagicCountsAndSizesAreRefused)
{
    struct Caso {
        const char* que;
        size_t donde;
        uint32_t valor;
    };
    const Sitio& muestra = sitios[DatAhh];
    const Sitio& fondo = sitios[DatCarretera0];
    const Sitio& tema = sitios[DatMusicaMenu];
    const Sitio& fuente = sitios[DatFuenteVersion];
    const std::vector<Caso> casos = {
        {"packfile magic", 0, 0x736C6821},  // compressed: not what we write
        {"datafile magic", 4, 0x414C4C21},
        {"no objects", 8, 0},
        {"one object too many", 8, M32(bueno, 8) + 1},
        {"a huge count", 8, 0x7FFFFFFF},
        {"a huge property", muestra.inicio + 8, 0x7FFFFFF0},
        {"a huge stored size", muestra.tipo + 4, 0x7FFFFFF0},
        {"a huge real size", muestra.tipo + 8, 0x7FFFFFF0},
        {"a negative real size (compressed)", muestra.tipo + 8, 0x80000010},
        {"a sample longer than its chunk", muestra.contenido + 4, M32(bueno, muestra.contenido + 4) + 1},
        {"a bitmap wider than its chunk", fondo.contenido + 2, (M32(bueno, fondo.contenido + 2) & 0xFFFF0000u) |
                                                                   (2 * 640)},
        {"a tune track past its chunk", tema.contenido + 2, 0x7FFFFFF0},
        {"a font with 2^32 glyphs", fuente.contenido + 9, 0xFFFFFFFF},
        {"an unknown kind of object", fondo.tipo, 0x58585858},
        {"a font where a sample is read", muestra.tipo, 0x464F4E54},
    };
    for (const Caso& c : casos) {
        Bytes b = bueno;
        PonM32(b, c.donde, c.valor);
        EXPECT_EQ(Revisa(b), 1) << c.que;
    }
}

TEST_F(Revisor, AHugeFileIsRefusedWithoutBeingRead)
{
    // 3 GB that begin like the good file and hold nothing after it (sparse),
    // looked over with 256 MB of memory to spare: reading it is out of reach.
    Escribe("enorme.dat", bueno);
    ASSERT_EQ(truncate("enorme.dat", 3LL << 30), 0);
    long paginas = 0;
    std::ifstream("/proc/self/statm") >> paginas;
    ASSERT_GT(paginas, 0);
    struct rlimit antes;
    ASSERT_EQ(getrlimit(RLIMIT_AS, &antes), 0);
    const rlim_t enUso = static_cast<rlim_t>(paginas) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
    const struct rlimit tope = {enUso + (rlim_t{256} << 20), antes.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tope), 0);
    const int resultado = RevisorDatos::Revisa("enorme.dat");
    ASSERT_EQ(setrlimit(RLIMIT_AS, &antes), 0);
    EXPECT_EQ(resultado, 1);
    std::remove("enorme.dat");
}

TEST_F(Revisor, AFileWithoutAFontOrPaletteTheGameAsksForByNameIsRefused)
{
    for (const char* nombre : {PaletaMin, FuenteCreditos}) {
        Bytes b = bueno;
        const std::string texto = nombre;
        auto at = std::search(b.begin(), b.end(), texto.begin(), texto.end());
        ASSERT_NE(at, b.end()) << nombre;
        *(at + texto.size() - 1) = 'X';  // same length, another name
        EXPECT_EQ(Revisa(b), 1) << nombre;
    }
}

// Seeded damage to the headers of random objects: a change the check lets
// through (a name of an object the game does not ask for, a frequency) must
// load; a change that would break the library must be refused.
TEST_F(Revisor, WhatItLetsThroughTheLibraryLoads)
{
    ASSERT_EQ(install_allegro(SYSTEM_AUTODETECT, &errno, atexit), 0);
    set_color_depth(16);
    ASSERT_EQ(set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0), 0) << allegro_error;
    std::mt19937 azar(20261207);
    int aceptados = 0, rechazados = 0;
    for (int prueba = 0; prueba < 60; prueba++) {
        Bytes b = bueno;
        const Sitio& s = sitios[azar() % sitios.size()];
        const size_t fin = s.contenido + std::min<size_t>(s.tam, 12);
        for (int k = 0; k < 3; k++) b[s.inicio + azar() % (fin - s.inicio)] = static_cast<unsigned char>(azar());
        Escribe(ArchivoDatos, b);
        if (RevisorDatos::Revisa(ArchivoDatos) != 0) {
            rechazados++;
            continue;
        }
        aceptados++;
        DATAFILE* d = load_datafile(ArchivoDatos);
        ASSERT_NE(d, nullptr) << "trial " << prueba;
        int n = 0;
        while (d[n].type != DAT_END) n++;
        EXPECT_GE(n, 30) << "trial " << prueba;
        unload_datafile(d);
    }
    EXPECT_GT(rechazados, 0);
    std::printf("%d damaged files refused, %d let through and loaded\n", rechazados, aceptados);
    allegro_exit();
}

TEST_F(Revisor, TheDisplayStartUpFailsCleanlyOnACutFile)
{
    Escribe(ArchivoDatos, Bytes(bueno.begin(), bueno.begin() + bueno.size() / 2));
    const unsigned char ventana[5] = {0, 0, 0, 1, 0};
    FILE* f = std::fopen("zumbelo.cfg", "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(ventana, 1, sizeof ventana, f);
    std::fclose(f);
    Config = new Configuracion;
    H = new Hardware;
    ASSERT_EQ(H->InitGraph(), 0);
    EXPECT_EQ(H->Init(), 1);
    delete H;
    H = nullptr;
    delete Config;
    Config = nullptr;
}
