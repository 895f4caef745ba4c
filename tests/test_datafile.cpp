// datos.dat as the game reads it: every object at its index, of its kind and
// size, fonts and palettes found by name, and every text of the game plain,
// in the language chosen, and fitting on the screen in its font.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Configuracion.h"
#include "Datos.h"
#include "Entorno.h"
#include "Globales.h"
#include "Hardware.h"
#include "HiScore.h"
#include "Mensajes.h"
#include "Reglas.h"

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

class Datos : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Entorno::ArrancaBiblioteca()) << allegro_error;
        set_color_conversion(COLORCONV_NONE);  // pictures keep the depth they were stored at
        datos = load_datafile(ArchivoDatos);
        ASSERT_NE(datos, nullptr);
        for (cuantos = 0; datos[cuantos].type != DAT_END; cuantos++) {
        }
    }
    void TearDown() override
    {
        if (datos) unload_datafile(datos);
        Entorno::ParaBiblioteca();
    }

    DATAFILE* datos = nullptr;
    int cuantos = 0;
};

}  // namespace

TEST_F(Datos, EveryIndexHoldsTheKindAndSizeTheGameReadsThere)
{
    ASSERT_EQ(cuantos, DatObjetos);
    for (int i : {DatAhh, DatSirena, DatAplauso, DatCaja, DatExtra, DatFin, DatGolpe, DatCrujido, DatEsqui})
        EXPECT_EQ(datos[i].type, DAT_SAMPLE) << "object " << i;
    for (int i = DatMusicaMenu; i <= DatMusicaNivel3; i++) EXPECT_EQ(datos[i].type, DAT_MIDI) << "object " << i;
    EXPECT_EQ(datos[DatFuenteVersion].type, DAT_FONT);
    // Backgrounds fill the screen; the two sheets hold at least the whole layout.
    for (int i : {DatCarretera0, DatCarretera1, DatFondoCreditos, DatTitulo, DatHoja0, DatHoja1}) {
        ASSERT_EQ(datos[i].type, DAT_BITMAP) << "object " << i;
        BITMAP* b = static_cast<BITMAP*>(datos[i].dat);
        EXPECT_EQ(bitmap_color_depth(b), 16) << "object " << i;
        const bool hoja = i == DatHoja0 || i == DatHoja1;
        EXPECT_TRUE(hoja ? b->w >= AnchoHoja && b->h >= AltoHoja
                         : b->w == Hardware::AnchoPantalla && b->h == Hardware::AltoPantalla)
            << "object " << i;
    }
    for (int i = 0; i < cuantos; i++) EXPECT_STRNE(get_datafile_property(&datos[i], DAT_NAME), "") << "object " << i;
}

TEST_F(Datos, NamedFontsAreColourFontsWithAPaletteOfTheirOwnAndSuitTheirPlaces)
{
    const struct { const char* fuente; const char* paleta; int minimo, maximo; } tabla[] = {
        {FuenteJuego, PaletaJuego, 16, 20}, {FuenteMenu, PaletaMenu, 28, 38}, {FuenteNieve, PaletaNieve, 48, 66},
        {FuenteMin, PaletaMin, 9, 13},      {FuenteCreditos, PaletaCreditos, 18, 22}};
    for (const auto& e : tabla) {
        FuenteCargada a(e.fuente, e.paleta);
        ASSERT_TRUE(a.fuente != nullptr) << e.fuente;
        EXPECT_TRUE(is_color_font(a.fuente)) << e.fuente;
        int colores = 0;  // a real palette was read, not one all black
        for (int i = 1; i < 256; i++) colores += (a.paleta[i].r | a.paleta[i].g | a.paleta[i].b) != 0;
        EXPECT_GT(colores, 0) << e.paleta;
        EXPECT_TRUE(text_length(a.fuente, "~") > 0 && text_length(a.fuente, "A") > 0) << e.fuente;
        EXPECT_GE(text_height(a.fuente), e.minimo) << e.fuente;
        EXPECT_LE(text_height(a.fuente), e.maximo) << e.fuente;
    }
    // The version text of the title screen: small, in one colour.
    FONT* version = static_cast<FONT*>(datos[DatFuenteVersion].dat);
    EXPECT_TRUE(is_mono_font(version));
    EXPECT_TRUE(text_height(version) >= 9 && text_height(version) <= 13);
}

TEST_F(Datos, EveryTextFitsOnScreenInItsFontInBothLanguages)
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
    const char* antes = SMS->Leer(MsgIniciar);
    for (int idioma = 0; idioma < 2; idioma++) {
        if (Config->VerIdioma() != idioma) Config->ToggleIdioma();
        // The next read follows the switch; earlier texts stay as they were.
        EXPECT_STREQ(SMS->Leer(MsgIniciar), idioma == 0 ? "Iniciar" : "Start game");
        EXPECT_STREQ(antes, "Iniciar");
        for (int id : {-1, static_cast<int>(TotalMensajes)}) EXPECT_STREQ(SMS->Leer(id), "") << id;
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
}

TEST(Generador, WritesTheSameBytesEveryTime)
{
    const std::string orden = "'" + std::string(ZUMBELO_RUN_DIR) + "/../tools/generador' otra.dat";
    ASSERT_EQ(std::system(orden.c_str()), 0);
    const Entorno::Bytes a = Entorno::Lee(ArchivoDatos);
    ASSERT_GT(a.size(), 1000000u);
    EXPECT_TRUE(a == Entorno::Lee("otra.dat"));
}
