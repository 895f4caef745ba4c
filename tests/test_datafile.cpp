// datos.dat as the game reads it. A cut or damaged file is refused before the
// library sees it: every cut, broken magic numbers and counts, sizes that
// point past the end or that disagree with an object's own header, a missing
// font or palette, and a file too large to be the game's, unread; the display
// start-up fails cleanly on one instead of crashing. The good file holds
// every text of the game fitting on the screen in its font, in both
// languages, and the generator writes it the same every time.
#include <gtest/gtest.h>

#include <allegro.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "Configuracion.h"
#include "DatosObjetos.h"
#include "Globales.h"
#include "Hardware.h"
#include "HiScore.h"
#include "Mensajes.h"
#include "Reglas.h"
#include "RevisorDatos.h"

using namespace DatosObjetos;
using Entorno::Bytes;

namespace {

// A font and its palette loaded by name, as the game's SetFont does.
struct FuenteCargada {
    FONT* fuente = nullptr;
    RGB paleta[256];
    FuenteCargada(const char* f, const char* p)
    {
        std::memset(paleta, 0, sizeof(paleta));
        const char* nombres[2] = {f, p};
        fuente = load_dat_font(ArchivoDatos, paleta, const_cast<char**>(nombres));
    }
    ~FuenteCargada()
    {
        if (fuente) destroy_font(fuente);
    }
};

class Revisor : public ::testing::Test {
protected:
    void SetUp() override
    {
        bueno = Entorno::Lee(ArchivoDatos);
        ASSERT_GT(bueno.size(), 1000u);
        sitios = Sitios(bueno);
        ASSERT_EQ(sitios.size(), static_cast<size_t>(DatObjetos));
    }
    // The file as the run directory has it again, for the cases after.
    void TearDown() override { Entorno::Escribe(ArchivoDatos, bueno); }

    Bytes bueno;
    std::vector<Sitio> sitios;
};

}  // namespace

TEST_F(Revisor, TheGeneratedFilePassesAndEveryCutOfItIsRefused)
{
    EXPECT_EQ(RevisorDatos::Revisa(ArchivoDatos), 0);
    // Every short length, each object's edges, and a stride through the rest.
    std::vector<size_t> largos = {bueno.size() / 2, bueno.size() - 1};
    for (size_t n = 0; n <= 64; n++) largos.push_back(n);
    for (const Sitio& s : sitios)
        for (size_t n : {s.inicio, s.inicio + 1, s.tipo + 8, s.contenido, s.contenido + 7, s.contenido + s.tam - 1})
            largos.push_back(n);
    for (size_t n = 0; n < bueno.size(); n += 9973) largos.push_back(n);
    for (size_t n : largos) EXPECT_EQ(RevisorDatos::Revisa(bueno.data(), n), 1) << "cut at " << n;
}

TEST_F(Revisor, BrokenMagicCountsSizesKindsAndNamesAreRefused)
{
    const Sitio &muestra = sitios[DatAhh], &fondo = sitios[DatCarretera0];
    const Sitio &tema = sitios[DatMusicaMenu], &fuente = sitios[DatFuenteVersion];
    const struct { const char* que; size_t donde; uint32_t valor; } casos[] = {
        {"packfile magic", 0, 0x736C6821},  // compressed: not what we write
        {"datafile magic", 4, 0x414C4C21},
        {"no objects", 8, 0},
        {"one object too many", 8, M32(bueno, 8) + 1},
        {"a huge property", muestra.inicio + 8, 0x7FFFFFF0},
        {"a huge stored size", muestra.tipo + 4, 0x7FFFFFF0},
        {"a huge real size", muestra.tipo + 8, 0x7FFFFFF0},
        {"a sample longer than its chunk", muestra.contenido + 4, M32(bueno, muestra.contenido + 4) + 1},
        {"a bitmap wider than its chunk", fondo.contenido + 2, (M32(bueno, fondo.contenido + 2) & 0xFFFF0000u) | 1280},
        {"a tune track past its chunk", tema.contenido + 2, 0x7FFFFFF0},
        {"a font with 2^32 glyphs", fuente.contenido + 9, 0xFFFFFFFF},
        {"an unknown kind of object", fondo.tipo, 0x58585858},
        {"a font where a sample is read", muestra.tipo, 0x464F4E54},
    };
    for (const auto& c : casos) {
        Bytes b = bueno;
        PonM32(b, c.donde, c.valor);
        EXPECT_EQ(RevisorDatos::Revisa(b.data(), b.size()), 1) << c.que;
    }
    // A font or palette the game asks for by name, renamed (same length).
    for (const std::string nombre : {PaletaMin, FuenteCreditos}) {
        Bytes b = bueno;
        auto at = std::search(b.begin(), b.end(), nombre.begin(), nombre.end());
        ASSERT_NE(at, b.end()) << nombre;
        *(at + nombre.size() - 1) = 'X';
        EXPECT_EQ(RevisorDatos::Revisa(b.data(), b.size()), 1) << nombre;
    }
}

TEST_F(Revisor, AHugeFileIsRefusedWithoutBeingRead)
{
    // 3 GB that begin like the good file and hold nothing after it (sparse),
    // looked over with 256 MB of memory to spare: reading it is out of reach.
    Entorno::Escribe("enorme.dat", bueno);
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

TEST_F(Revisor, TheDisplayStartUpFailsCleanlyOnACutFile)
{
    Entorno::Escribe(ArchivoDatos, Bytes(bueno.begin(), bueno.begin() + bueno.size() / 2));
    Entorno::Escribe("zumbelo.cfg", {0, 0, 0, 1, 0});  // in a window
    Config = new Configuracion;
    H = new Hardware;
    ASSERT_EQ(H->InitGraph(), 0);
    EXPECT_EQ(H->Init(), 1);
    delete H;
    H = nullptr;
    delete Config;
    Config = nullptr;
}

TEST(Datos, EveryTextFitsOnScreenInItsFontInBothLanguages)
{
    ASSERT_TRUE(Entorno::ArrancaBiblioteca()) << allegro_error;
    {
        Config = new Configuracion;
        SMS = new Mensajes;
        Record = new HiScore;
        // The widest status line a game reaches.
        Dinero = 9990;
        Puntos = 999999;
        Record->GrabaPuntos(999999, 0);
        FuenteCargada juego(FuenteJuego, PaletaJuego), menu(FuenteMenu, PaletaMenu);
        FuenteCargada nieve(FuenteNieve, PaletaNieve), creditos(FuenteCreditos, PaletaCreditos);
        ASSERT_TRUE(juego.fuente && menu.fuente && nieve.fuente && creditos.fuente);
        auto ancho = [](const FuenteCargada& f, int id) { return text_length(f.fuente, SMS->Leer(id)); };
        for (int idioma = 0; idioma < 2; idioma++) {
            if (Config->VerIdioma() != idioma) Config->ToggleIdioma();
            // Every text plain and short enough for its slot.
            for (int id = 0; id < TotalMensajes; id++) {
                const std::string t = SMS->Leer(id);
                EXPECT_LE(t.size(), size_t{LargoMensaje}) << id;
                for (unsigned char c : t) EXPECT_TRUE(c >= 32 && c < 127) << "plain text at id " << id;
            }
            char linea[LargoMarcador];
            EscribeMarcador(linea, sizeof linea);
            EXPECT_LE(text_length(juego.fuente, linea), 640) << linea;
            for (int id = MsgAmbulancia; id <= MsgMeta; id++) EXPECT_LE(ancho(juego, id), 640) << SMS->Leer(id);
            // Hall of fame lines from x = 175; title words within the right half.
            EXPECT_LE(175 + text_length(juego.fuente, "WWWWWWWWW . . . . . . 999999"), 640);
            for (int id = MsgTitulo; id < MsgIniciar; id++) EXPECT_LE(ancho(nieve, id), 320) << SMS->Leer(id);
            // Menu options and settings lines from x = 150.
            for (int id = MsgIniciar; id <= MsgEnVentana; id++) EXPECT_LE(150 + ancho(menu, id), 640) << id;
            for (int id : {MsgDefinirTeclas, MsgVolver, MsgEnhorabuena, MsgTuNombre}) EXPECT_LE(150 + ancho(menu, id), 640) << id;
            std::snprintf(linea, sizeof(linea), "%s%s", SMS->Leer(MsgSetGrafico), SMS->Leer(MsgSetOriginal));
            EXPECT_LE(150 + text_length(menu.fuente, linea), 640) << linea;
            // Pause options from x = 195 inside the box ending at x = 500.
            for (int id : {MsgVolverAlJuego, MsgAbandonar}) EXPECT_LE(195 + ancho(menu, id), 500) << SMS->Leer(id);
            for (int id = MsgPrimerCredito; id <= MsgUltimoCredito; id++) EXPECT_LE(ancho(creditos, id), 640) << SMS->Leer(id);
        }
        delete Record;
        delete SMS;
        delete Config;
        Record = nullptr;
        SMS = nullptr;
        Config = nullptr;
    }  // the fonts go before the library
    Entorno::ParaBiblioteca();
}

TEST(Generador, WritesTheSameBytesEveryTime)
{
    const std::string orden = "'" + std::string(ZUMBELO_RUN_DIR) + "/../tools/generador' otra.dat";
    ASSERT_EQ(std::system(orden.c_str()), 0);
    const Entorno::Bytes a = Entorno::Lee(ArchivoDatos);
    ASSERT_GT(a.size(), 1000000u);
    EXPECT_TRUE(a == Entorno::Lee("otra.dat"));
}
