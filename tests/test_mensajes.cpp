// The bilingual message table: exact texts with their spaces, the language
// switch on the very next read, and reads that never leave the table.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "Configuracion.h"
#include "Globales.h"
#include "Mensajes.h"

namespace {

class Textos : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::remove("zumbelo.cfg");
        Config = new Configuracion;
        SMS = new Mensajes;
    }
    void TearDown() override
    {
        delete SMS;
        delete Config;
        SMS = nullptr;
        Config = nullptr;
    }
    std::string Texto(int idioma, int id)
    {
        if (Config->VerIdioma() != idioma) Config->ToggleIdioma();
        return SMS->Leer(id);
    }
};

const std::string Doce(12, ' ');
const std::string Regla(20, '-');

}  // namespace

TEST_F(Textos, TextsKeepTheirSpacesInBothLanguages)
{
    const struct { int id; std::string es, en; } textos[] = {
        {0, "Dinero: ", "Cash: "},
        {1, "Puntos: ", "Score: "},
        {2, "Record: ", "Hi: "},
        {3, Doce + "* Gastos de ambulancia, 10 $ *" + Doce, Doce + "Ambulance fee $ 10" + Doce},
        {4, Doce + "* Precio por esquiar 10 $ *" + Doce, Doce + "Ski hire, 10 $" + Doce},
        {5, "  SIN DINERO, NO HAY ESQUI  ", "  SORRY: NO MONEY, NO SKI  "},
        {6, Doce + "* Los esquies estan bien *" + Doce, Doce + "Lucky! Skis still ok" + Doce},
        {7, Doce + "* Se han roto los esquis *" + Doce, Doce + "Bad Luck!: Skis broken" + Doce},
        {8, Doce + "*** 100 Puntos Extra ***" + Doce, Doce + "*** BONUS: 100 Points ***" + Doce},
        {11, " ", "SKIING"},
        {13, "Translate to english", "Poner en espanol"},
        {20, "Sonido: ", "Sound: "},
        {22, "Set Grafico: ", "Graphic set: "},
        {30, "Pausa / Abortar", "Pause / Abort"},
        {36, "Salir", "Abort"},
        {39, "Zumbelo Esquiador PC", "Zumbel goes skiing PC"},
        {43, "PROGRAMA, GRAFICOS Y SONIDO", "PROGRAM, GRAPHICS & SOUND"},
        {77, "Frame skipping:", "Frame skipping:"},
        {78, "", ""},
        {79, "", ""},
    };
    for (const auto& t : textos) {
        EXPECT_EQ(Texto(0, t.id), t.es) << t.id;
        EXPECT_EQ(Texto(1, t.id), t.en) << t.id;
    }
    EXPECT_EQ(Texto(0, 3).size(), 54u);
}

TEST_F(Textos, CreditsStandAtTheSameIdsInBothLanguages)
{
    for (int id : {40, 44, 49, 56, 62, 67}) EXPECT_TRUE(Texto(0, id) == Regla && Texto(1, id) == Regla) << id;
    for (int id : {41, 42, 46, 47, 53, 54, 59, 60, 64, 65, 70, 71, 74, 75})
        EXPECT_TRUE(Texto(0, id) == " " && Texto(1, id) == " ") << id;
    for (int id : {45, 50, 51, 52, 57, 58, 63, 68, 69, 72, 73, 76}) {
        EXPECT_FALSE(Texto(0, id).empty()) << id;
        EXPECT_EQ(Texto(0, id), Texto(1, id)) << id;
    }
    for (int idioma = 0; idioma < 2; idioma++)
        for (int id = 0; id < 80; id++) {
            const std::string t = Texto(idioma, id);
            EXPECT_LE(t.size(), 62u) << id;
            for (unsigned char c : t) EXPECT_TRUE(c >= 32 && c < 127) << "plain text at id " << id;
        }
}

TEST_F(Textos, TheNextReadAfterALanguageSwitchGivesTheOtherLanguageAndOutsideIdsGiveNothing)
{
    ASSERT_EQ(Config->VerIdioma(), 0);
    const char* antes = SMS->Leer(12);
    EXPECT_STREQ(antes, "Iniciar");
    Config->ToggleIdioma();
    EXPECT_STREQ(SMS->Leer(12), "Start game");
    EXPECT_STREQ(antes, "Iniciar") << "earlier texts stay valid";
    Config->ToggleIdioma();
    EXPECT_STREQ(SMS->Leer(12), "Iniciar");
    for (int id : {-1, -1000, 80, 100000}) {
        ASSERT_NE(SMS->Leer(id), nullptr);
        EXPECT_STREQ(SMS->Leer(id), "") << id;
    }
}
