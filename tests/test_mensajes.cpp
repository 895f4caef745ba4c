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
        {MsgDinero, "Dinero: ", "Cash: "},
        {MsgPuntos, "Puntos: ", "Score: "},
        {MsgRecord, "Record: ", "Hi: "},
        {MsgAmbulancia, Doce + "* Gastos de ambulancia, 10 $ *" + Doce, Doce + "Ambulance fee $ 10" + Doce},
        {MsgEsquis, Doce + "* Precio por esquiar 10 $ *" + Doce, Doce + "Ski hire, 10 $" + Doce},
        {MsgSinDinero, "  SIN DINERO, NO HAY ESQUI  ", "  SORRY: NO MONEY, NO SKI  "},
        {MsgEsquisBien, Doce + "* Los esquies estan bien *" + Doce, Doce + "Lucky! Skis still ok" + Doce},
        {MsgEsquisRotos, Doce + "* Se han roto los esquis *" + Doce, Doce + "Bad Luck!: Skis broken" + Doce},
        {MsgMeta, Doce + "*** 100 Puntos Extra ***" + Doce, Doce + "*** BONUS: 100 Points ***" + Doce},
        {11, " ", "SKIING"},
        {MsgIniciar + 1, "Translate to english", "Poner en espanol"},
        {MsgSonido, "Sonido: ", "Sound: "},
        {MsgSetGrafico, "Set Grafico: ", "Graphic set: "},
        {MsgAccion + 5, "Pausa / Abortar", "Pause / Abort"},
        {MsgAbandonar, "Salir", "Abort"},
        {MsgPrimerCredito, "Zumbelo Esquiador PC", "Zumbel goes skiing PC"},
        {43, "PROGRAMA, GRAFICOS Y SONIDO", "PROGRAM, GRAPHICS & SOUND"},
        {MsgSaltos, "Frame skipping:", "Frame skipping:"},
        {78, "", ""},
        {79, "", ""},
    };
    for (const auto& t : textos) {
        EXPECT_EQ(Texto(0, t.id), t.es) << t.id;
        EXPECT_EQ(Texto(1, t.id), t.en) << t.id;
    }
    EXPECT_EQ(Texto(0, MsgAmbulancia).size(), 54u);
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
        for (int id = 0; id < TotalMensajes; id++) {
            const std::string t = Texto(idioma, id);
            EXPECT_LE(t.size(), 62u) << id;
            for (unsigned char c : t) EXPECT_TRUE(c >= 32 && c < 127) << "plain text at id " << id;
        }
}

TEST_F(Textos, TheNextReadAfterALanguageSwitchGivesTheOtherLanguageAndOutsideIdsGiveNothing)
{
    ASSERT_EQ(Config->VerIdioma(), 0);
    const char* antes = SMS->Leer(MsgIniciar);
    EXPECT_STREQ(antes, "Iniciar");
    Config->ToggleIdioma();
    EXPECT_STREQ(SMS->Leer(MsgIniciar), "Start game");
    EXPECT_STREQ(antes, "Iniciar") << "earlier texts stay valid";
    Config->ToggleIdioma();
    EXPECT_STREQ(SMS->Leer(MsgIniciar), "Iniciar");
    for (int id : {-1, -1000, static_cast<int>(TotalMensajes), 100000}) {
        ASSERT_NE(SMS->Leer(id), nullptr);
        EXPECT_STREQ(SMS->Leer(id), "") << id;
    }
}
