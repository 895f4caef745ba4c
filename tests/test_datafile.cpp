// datos.dat as the game reads it: every object at its index and of its
// kind, pictures that come back pixel for pixel, fonts and palettes found by
// name, and every text of the game fitting on the screen in its font.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Configuracion.h"
#include "Globales.h"
#include "Mensajes.h"

namespace {

const int Magenta = 0xF81F;

// One object of the file as stored: its kind, name and raw contents.
struct ObjetoCrudo {
    int tipo;
    std::string nombre;
    std::vector<uint8_t> datos;
};

uint32_t M32(const std::vector<uint8_t>& v, size_t i)
{
    return (uint32_t(v[i]) << 24) | (uint32_t(v[i + 1]) << 16) | (uint32_t(v[i + 2]) << 8) | v[i + 3];
}

std::vector<uint8_t> LeeArchivo(const char* ruta)
{
    std::vector<uint8_t> v;
    FILE* f = std::fopen(ruta, "rb");
    if (!f)
        return v;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        v.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    return v;
}

// Walks the file's bytes on our own, independently of the library's loader.
std::vector<ObjetoCrudo> Objetos(const std::vector<uint8_t>& v)
{
    std::vector<ObjetoCrudo> r;
    if (v.size() < 12 || M32(v, 0) != 0x736C682E || M32(v, 4) != uint32_t(DAT_MAGIC))
        return r;
    const uint32_t cuantos = M32(v, 8);
    size_t i = 12;
    for (uint32_t k = 0; k < cuantos && i + 12 <= v.size(); k++) {
        ObjetoCrudo o;
        while (M32(v, i) == uint32_t(DAT_PROPERTY)) {
            const uint32_t tipo = M32(v, i + 4), largo = M32(v, i + 8);
            if (tipo == uint32_t(DAT_NAME))
                o.nombre.assign(v.begin() + i + 12, v.begin() + i + 12 + largo);
            i += 12 + largo;
        }
        o.tipo = static_cast<int>(M32(v, i));
        const uint32_t largo = M32(v, i + 4);
        o.datos.assign(v.begin() + i + 12, v.begin() + i + 12 + largo);
        i += 12 + largo;
        r.push_back(std::move(o));
    }
    return r;
}

class Datos : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(install_allegro(SYSTEM_AUTODETECT, &errno, atexit), 0);
        set_color_depth(16);
        ASSERT_EQ(set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0), 0) << allegro_error;
        datos = load_datafile("datos.dat");
        ASSERT_NE(datos, nullptr);
        for (cuantos = 0; datos[cuantos].type != DAT_END; cuantos++) {
        }
    }
    void TearDown() override
    {
        if (datos)
            unload_datafile(datos);
        allegro_exit();
    }

    DATAFILE* datos = nullptr;
    int cuantos = 0;
};

// A font and its palette loaded by name, as the game's SetFont does.
struct FuenteCargada {
    FONT* fuente = nullptr;
    RGB paleta[256];
    FuenteCargada(const char* f, const char* p)
    {
        std::memset(paleta, 0, sizeof(paleta));
        const char* nombres[2] = {f, p};
        fuente = load_dat_font("datos.dat", paleta, const_cast<char**>(nombres));
    }
    ~FuenteCargada()
    {
        if (fuente)
            destroy_font(fuente);
    }
};

TEST_F(Datos, EveryIndexHoldsTheKindTheGameReadsThere)
{
    const int S = DAT_SAMPLE, B = DAT_BITMAP, F = DAT_FONT, M = DAT_MIDI;
    const struct {
        int indice, tipo;
    } tabla[] = {{0, S},  {1, S},  {2, S},  {3, B},  {4, B},  {5, S},  {6, B},  {7, S},
                 {8, S},  {15, F}, {19, S}, {20, B}, {21, M}, {22, M}, {23, M}, {24, M},
                 {25, M}, {26, S}, {27, S}, {28, B}, {29, B}};
    ASSERT_GE(cuantos, 30);
    for (const auto& e : tabla)
        EXPECT_EQ(datos[e.indice].type, e.tipo) << "object " << e.indice;
    // Every object carries a name.
    for (int i = 0; i < cuantos; i++)
        EXPECT_STRNE(get_datafile_property(&datos[i], DAT_NAME), "") << "object " << i;
}

TEST_F(Datos, BackgroundsAreScreenSizedAndSheetsLargeEnoughAt16Bits)
{
    for (int i : {3, 4, 6, 20}) {
        BITMAP* b = static_cast<BITMAP*>(datos[i].dat);
        EXPECT_EQ(b->w, 640) << "object " << i;
        EXPECT_EQ(b->h, 480) << "object " << i;
        EXPECT_EQ(bitmap_color_depth(b), 16) << "object " << i;
    }
    for (int i : {28, 29}) {
        BITMAP* b = static_cast<BITMAP*>(datos[i].dat);
        EXPECT_GE(b->w, 448) << "object " << i;
        EXPECT_GE(b->h, 1043) << "object " << i;
        EXPECT_EQ(bitmap_color_depth(b), 16) << "object " << i;
    }
}

// The pictures reach the screen exactly as drawn: every 5-6-5 word stored in
// the file is the pixel the library hands back, magenta included.
TEST_F(Datos, PicturesComeBackPixelForPixelWithTheirMagentaTransparent)
{
    std::vector<ObjetoCrudo> crudos = Objetos(LeeArchivo("datos.dat"));
    ASSERT_EQ(static_cast<int>(crudos.size()), cuantos);
    for (int i : {3, 4, 6, 20, 28, 29}) {
        const ObjetoCrudo& o = crudos[i];
        ASSERT_EQ(o.tipo, DAT_BITMAP);
        BITMAP* b = static_cast<BITMAP*>(datos[i].dat);
        const int bits = (o.datos[0] << 8) | o.datos[1];
        ASSERT_EQ(bits, 16) << "object " << i;
        int distintos = 0, magentas = 0;
        for (int y = 0; y < b->h; y++)
            for (int x = 0; x < b->w; x++) {
                const size_t k = 6 + 2 * (static_cast<size_t>(y) * b->w + x);
                const int guardado = o.datos[k] | (o.datos[k + 1] << 8);
                const int leido = getpixel(b, x, y);
                distintos += guardado != leido;
                magentas += leido == Magenta;
            }
        EXPECT_EQ(distintos, 0) << "object " << i;
        if (i >= 28) {
            EXPECT_GT(magentas, 0) << "a sheet without transparent pixels, object " << i;
        }
    }
}

TEST_F(Datos, NamedFontsFindTheirPalettesUnderBothSpellings)
{
    const struct {
        const char* fuente;
        const char* paletas[2];
    } tabla[] = {{"DFFontGame_DATA", {"DFFontGame_PAL", "DFFontGame_Pal"}},
                 {"DFFontMenu_DATA", {"DFFontMenu_PAL", "DFFontMenu_Pal"}},
                 {"DFFontNieve_DATA", {"DFFontNieve_Pal", "DFFontNieve_PAL"}},
                 {"DFFontMin_DATA", {"DFFontMin_PAL", "DFFontMin_Pal"}},
                 {"DFFontCredit_DATA", {"DFFontCredit_PAL", "DFFontCredit_Pal"}}};
    for (const auto& e : tabla) {
        FuenteCargada a(e.fuente, e.paletas[0]);
        FuenteCargada b(e.fuente, e.paletas[1]);
        ASSERT_NE(a.fuente, nullptr) << e.fuente;
        ASSERT_NE(b.fuente, nullptr) << e.fuente;
        EXPECT_TRUE(is_color_font(a.fuente)) << e.fuente;
        EXPECT_EQ(std::memcmp(a.paleta, b.paleta, sizeof(a.paleta)), 0) << e.paletas[1];
        // A real palette was read: not every colour black.
        int colores = 0;
        for (int i = 1; i < 256; i++)
            colores += (a.paleta[i].r | a.paleta[i].g | a.paleta[i].b) != 0;
        EXPECT_GT(colores, 0) << e.paletas[0];
        // Glyphs for the whole printable range.
        EXPECT_GT(text_length(a.fuente, "~"), 0) << e.fuente;
        EXPECT_GT(text_length(a.fuente, "A"), 0) << e.fuente;
    }
}

TEST_F(Datos, FontHeightsSuitTheirPlaces)
{
    const struct {
        const char* fuente;
        const char* paleta;
        int minimo, maximo;
    } tabla[] = {{"DFFontGame_DATA", "DFFontGame_PAL", 16, 20},  {"DFFontMenu_DATA", "DFFontMenu_PAL", 28, 38},
                 {"DFFontNieve_DATA", "DFFontNieve_Pal", 48, 66}, {"DFFontMin_DATA", "DFFontMin_PAL", 9, 13},
                 {"DFFontCredit_DATA", "DFFontCredit_PAL", 18, 22}};
    for (const auto& e : tabla) {
        FuenteCargada f(e.fuente, e.paleta);
        ASSERT_NE(f.fuente, nullptr) << e.fuente;
        EXPECT_GE(text_height(f.fuente), e.minimo) << e.fuente;
        EXPECT_LE(text_height(f.fuente), e.maximo) << e.fuente;
    }
    // The version text of the title screen: small, in one colour.
    FONT* version = static_cast<FONT*>(datos[15].dat);
    EXPECT_TRUE(is_mono_font(version));
    EXPECT_GE(text_height(version), 9);
    EXPECT_LE(text_height(version), 13);
}

// Drawn in its own colours after its palette was installed, a colour font
// shows its palette's colours and leaves the background around it alone.
TEST_F(Datos, ColourFontsDrawInTheirPaletteColoursOnATransparentGround)
{
    FuenteCargada f("DFFontGame_DATA", "DFFontGame_PAL");
    ASSERT_NE(f.fuente, nullptr);
    set_palette(f.paleta);
    BITMAP* b = create_bitmap_ex(16, 200, 40);
    const int fondo = makecol(255, 0, 255);
    clear_to_color(b, fondo);
    textout_ex(b, f.fuente, "Dinero", 4, 4, -1, -1);
    std::vector<int> permitidos;
    for (int i = 1; i < 256; i++)
        permitidos.push_back(makecol(f.paleta[i].r * 255 / 63, f.paleta[i].g * 255 / 63, f.paleta[i].b * 255 / 63));
    int tinta = 0, ajenos = 0;
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
            const int c = getpixel(b, x, y);
            if (c == fondo)
                continue;
            tinta++;
            bool encontrado = false;
            for (int p : permitidos)
                encontrado = encontrado || std::abs(p - c) == 0;
            ajenos += !encontrado;
        }
    EXPECT_GT(tinta, 100);
    EXPECT_EQ(ajenos, 0);
    // Nothing drawn left of the text or below its line.
    for (int y = 0; y < b->h; y++)
        EXPECT_EQ(getpixel(b, 0, y), fondo);
    for (int x = 0; x < b->w; x++)
        EXPECT_EQ(getpixel(b, x, 4 + text_height(f.fuente)), fondo);
    destroy_bitmap(b);
}

// Every text the game writes fits where it is written, in both languages.
TEST_F(Datos, EveryTextFitsOnScreenInItsFontInBothLanguages)
{
    Config = new Configuracion;
    SMS = new Mensajes;
    FuenteCargada juego("DFFontGame_DATA", "DFFontGame_PAL");
    FuenteCargada menu("DFFontMenu_DATA", "DFFontMenu_PAL");
    FuenteCargada nieve("DFFontNieve_DATA", "DFFontNieve_Pal");
    FuenteCargada creditos("DFFontCredit_DATA", "DFFontCredit_PAL");
    ASSERT_TRUE(juego.fuente && menu.fuente && nieve.fuente && creditos.fuente);
    for (int idioma = 0; idioma < 2; idioma++) {
        if (Config->VerIdioma() != idioma)
            Config->ToggleIdioma();
        char linea[160];
        std::snprintf(linea, sizeof(linea), "%s%i          %s%i          %s%i ", SMS->Leer(0), 9990, SMS->Leer(1),
                      999999, SMS->Leer(2), 999999);
        EXPECT_LE(text_length(juego.fuente, linea), 640) << linea;
        for (int id = 3; id <= 8; id++)
            EXPECT_LE(text_length(juego.fuente, SMS->Leer(id)), 640) << SMS->Leer(id);
        // Hall of fame lines from x = 175.
        EXPECT_LE(175 + text_length(juego.fuente, "WWWWWWWWW . . . . . . 999999"), 640);
        // Title words centred on x = 480: within the right half.
        for (int id = 9; id <= 11; id++)
            EXPECT_LE(text_length(nieve.fuente, SMS->Leer(id)), 320) << SMS->Leer(id);
        // Menu options and settings lines from x = 150.
        for (int id : {12, 13, 14, 15, 16, 17, 18, 19, 21, 31, 37, 38}) {
            EXPECT_LE(150 + text_length(menu.fuente, SMS->Leer(id)), 640) << SMS->Leer(id);
        }
        std::snprintf(linea, sizeof(linea), "%s%s", SMS->Leer(22), SMS->Leer(33));
        EXPECT_LE(150 + text_length(menu.fuente, linea), 640) << linea;
        // Pause options from x = 195 inside the box ending at x = 500.
        for (int id : {35, 36})
            EXPECT_LE(195 + text_length(menu.fuente, SMS->Leer(id)), 500) << SMS->Leer(id);
        for (int id = 39; id <= 76; id++)
            EXPECT_LE(text_length(creditos.fuente, SMS->Leer(id)), 640) << SMS->Leer(id);
    }
    delete SMS;
    SMS = nullptr;
    delete Config;
    Config = nullptr;
}

// The generator is deterministic: run again, it writes the very same bytes.
TEST(Generador, WritesTheSameBytesEveryTime)
{
    const std::string generador = std::string(ZUMBELO_RUN_DIR) + "/../tools/generador";
    const std::string orden = "'" + generador + "' otra.dat";
    ASSERT_EQ(std::system(orden.c_str()), 0);
    std::vector<uint8_t> a = LeeArchivo("datos.dat"), b = LeeArchivo("otra.dat");
    ASSERT_GT(a.size(), 1000000u);
    EXPECT_TRUE(a == b);
}

}  // namespace
