// Every text the game shows, in Spanish and English, fetched by id.
#ifndef MENSAJES_H
#define MENSAJES_H

// Message ids: slot n of each language's table. A run of lines (the title,
// the menu options, the action names, the credits) is read from its first id on.
enum IdMensaje {
    MsgDinero = 0,             // the status line: "Dinero: "
    MsgPuntos = 1,             // "Puntos: "
    MsgRecord = 2,             // "Record: "
    MsgAmbulancia = 3,         // banner: the ambulance's fee
    MsgEsquis = 4,             // banner: skis hired
    MsgSinDinero = 5,          // game over for lack of money
    MsgEsquisBien = 6,         // a crash, the skis kept
    MsgEsquisRotos = 7,        // a crash, the skis broken
    MsgMeta = 8,               // banner: the finish bonus
    MsgTitulo = 9,             // the title's three lines, 9 to 11
    MsgIniciar = 12,           // the main menu's six options, 12 to 17
    MsgPantallaCompleta = 18,  // the settings' screen line when full screen
    MsgEnVentana = 19,         // ... when windowed
    MsgSonido = 20,            // "Sonido: ", followed by MsgOff or MsgOn
    MsgDefinirTeclas = 21,
    MsgSetGrafico = 22,        // "Set Grafico: ", followed by MsgSetNuevo or MsgSetOriginal
    MsgOff = 23,
    MsgOn = 24,
    MsgAccion = 25,            // the six actions' names in their order, 25 to 30
    MsgVolver = 31,            // the settings' last line, back to the main menu
    MsgSetNuevo = 32,          // graphic set 0
    MsgSetOriginal = 33,       // graphic set 1
    MsgPulsa = 34,             // the key definition's prompt
    MsgVolverAlJuego = 35,     // the pause box's two options
    MsgAbandonar = 36,
    MsgEnhorabuena = 37,       // the name entry
    MsgTuNombre = 38,
    MsgPrimerCredito = 39,     // the credits roll, 39 to 76
    MsgUltimoCredito = 76,
    MsgSaltos = 77,            // "Frame skipping:"
    TotalMensajes = 80         // slots per language; 78 and 79 are empty
};

// The longest text of the table, in characters.
const int LargoMensaje = 62;

class Mensajes {
public:
    Mensajes();
    ~Mensajes();
    // Never copied: it owns the text tables.
    Mensajes(const Mensajes&) = delete;
    Mensajes& operator=(const Mensajes&) = delete;

    const char* Leer(int id);

private:
    char** textosEs;
    char** textosEn;
    int cuantos;  // number of ids, 80
    int largo;    // size of one text buffer, 63
    int idioma;
};

#endif
