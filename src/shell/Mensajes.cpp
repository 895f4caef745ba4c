#include "Mensajes.h"

#include <cstring>

#include "Configuracion.h"
#include "Globales.h"

namespace {

const int Largo = LargoMensaje + 1;  // the text and its terminator

// Every text of the game, Spanish and English, id for id (IdMensaje). Banners
// carry their padding spaces, and the labels a value follows end in one space.
const char* const Textos[][2] = {
    {"Dinero: ", "Cash: "},  // 0
    {"Puntos: ", "Score: "},  // 1
    {"Record: ", "Hi: "},  // 2
    {"            * Gastos de ambulancia, 10 $ *            ",
     "            Ambulance fee $ 10            "},  // 3
    {"            * Precio por esquiar 10 $ *            ",
     "            Ski hire, 10 $            "},  // 4
    {"  SIN DINERO, NO HAY ESQUI  ", "  SORRY: NO MONEY, NO SKI  "},  // 5
    {"            * Los esquies estan bien *            ",
     "            Lucky! Skis still ok            "},  // 6
    {"            * Se han roto los esquis *            ",
     "            Bad Luck!: Skis broken            "},  // 7
    {"            *** 100 Puntos Extra ***            ",
     "            *** BONUS: 100 Points ***            "},  // 8
    {"ZUMBELO", "ZUMBEL"},  // 9
    {"esquiador", "GOES"},  // 10
    {" ", "SKIING"},  // 11
    {"Iniciar", "Start game"},  // 12
    {"Translate to english", "Poner en espanol"},  // 13
    {"Opciones", "Settings"},  // 14
    {"Tabla de Records", "Hall of fame"},  // 15
    {"Creditos", "Credits"},  // 16
    {"Salir", "Exit"},  // 17
    {"Pantalla completa", "Full Screen"},  // 18
    {"En ventana", "Windowed"},  // 19
    {"Sonido: ", "Sound: "},  // 20
    {"Definir teclado", "Define keys"},  // 21
    {"Set Grafico: ", "Graphic set: "},  // 22
    {"Off", "Off"},  // 23
    {"On", "On"},  // 24
    {"Arriba", "Up"},  // 25
    {"Abajo", "Down"},  // 26
    {"Izquierda", "Left"},  // 27
    {"Derecha", "Right"},  // 28
    {"Seleccionar", "Select"},  // 29
    {"Pausa / Abortar", "Pause / Abort"},  // 30
    {"Volver", "Back to main menu"},  // 31
    {"Nuevo", "New"},  // 32
    {"Original", "Original"},  // 33
    {"Pulsa...", "Press..."},  // 34
    {"Volver al juego", "Return to game"},  // 35
    {"Salir", "Abort"},  // 36
    {"Enhorabuena", "Congratulations"},  // 37
    {"Introduce tu nombre", "Enter your name"},  // 38
    {"Zumbelo Esquiador PC", "Zumbel goes skiing PC"},  // 39
    {"--------------------", "--------------------"},  // 40
    {" ", " "},  // 41
    {" ", " "},  // 42
    {"PROGRAMA, GRAFICOS Y SONIDO", "PROGRAM, GRAPHICS & SOUND"},  // 43
    {"--------------------", "--------------------"},  // 44
    {"Tomas Arrieta \"Pinguino\"", "Tomas Arrieta \"Pinguino\""},  // 45
    {" ", " "},  // 46
    {" ", " "},  // 47
    {"PRUEBAS DEL PROGRAMA", "BETA TESTING"},  // 48
    {"--------------------", "--------------------"},  // 49
    {"Lucia Ferrandiz", "Lucia Ferrandiz"},  // 50
    {"Marcos Olaizola", "Marcos Olaizola"},  // 51
    {"Irene Sabater", "Irene Sabater"},  // 52
    {" ", " "},  // 53
    {" ", " "},  // 54
    {"DEDICADO A...", "DEDICATED TO..."},  // 55
    {"--------------------", "--------------------"},  // 56
    {"Rosa Idiazabal", "Rosa Idiazabal"},  // 57
    {"Anselmo Arrieta", "Anselmo Arrieta"},  // 58
    {" ", " "},  // 59
    {" ", " "},  // 60
    {"FOTO ORIGINAL", "ORIGINAL CREDITS PHOTO"},  // 61
    {"--------------------", "--------------------"},  // 62
    {"(c) 1997 Nuria Villaverde", "(c) 1997 Nuria Villaverde"},  // 63
    {" ", " "},  // 64
    {" ", " "},  // 65
    {"AGRADECIMIENTOS", "THANKS TO..."},  // 66
    {"--------------------", "--------------------"},  // 67
    {"Bernardo Ustarroz", "Bernardo Ustarroz"},  // 68
    {"Carmen Lizarraga", "Carmen Lizarraga"},  // 69
    {" ", " "},  // 70
    {" ", " "},  // 71
    {"(c) 2026 Copos Digitales S.L.", "(c) 2026 Copos Digitales S.L."},  // 72
    {"(c) 2026 Estudio Ventisca", "(c) 2026 Estudio Ventisca"},  // 73
    {" ", " "},  // 74
    {" ", " "},  // 75
    {"www.estudioventisca.example", "www.estudioventisca.example"},  // 76
    {"Frame skipping:", "Frame skipping:"},  // 77
    {"", ""},  // 78
    {"", ""},  // 79
};
static_assert(sizeof Textos / sizeof Textos[0] == TotalMensajes, "one row of texts per message id");

const char* const Vacio = "";

// Copies a text into a zeroed slot of Largo bytes, never past its end.
char* NuevaCopia(const char* texto)
{
    char* copia = new char[Largo]();
    const size_t n = strnlen(texto, Largo - 1);
    std::memcpy(copia, texto, n);
    return copia;
}

}  // namespace

Mensajes::Mensajes() : textosEs(nullptr), textosEn(nullptr), cuantos(TotalMensajes), largo(Largo), idioma(0)
{
    if (Config != nullptr) idioma = Config->VerIdioma();
    textosEs = new char*[cuantos];
    textosEn = new char*[cuantos];
    for (int i = 0; i < cuantos; i++) {
        textosEs[i] = NuevaCopia(Textos[i][0]);
        textosEn[i] = NuevaCopia(Textos[i][1]);
    }
}

Mensajes::~Mensajes()
{
    for (int i = 0; i < cuantos; i++) {
        delete[] textosEs[i];
        delete[] textosEn[i];
    }
    delete[] textosEs;
    delete[] textosEn;
}

const char* Mensajes::Leer(int id)
{
    if (Config != nullptr) idioma = Config->VerIdioma();
    if (id < 0 || id >= cuantos) return Vacio;
    // Only 1 means English; anything else is read as Spanish.
    return idioma == 1 ? textosEn[id] : textosEs[id];
}
