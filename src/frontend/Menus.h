// The title screen with its main menu, the settings menu with the key
// definition, the hall of fame and the credits.
#ifndef MENUS_H
#define MENUS_H

#include <cstddef>

class Zumbelo;

class Menus {
public:
    Menus();
    ~Menus();
    // Never copied: it owns the walking pointer figure.
    Menus(const Menus&) = delete;
    Menus& operator=(const Menus&) = delete;

    int MenuPpal();
    void Prepara();
    void PpalTxt();
    void Desplaza(int tecla, int ultima);
    void InitTemp();
    int MenuConfig();
    void CfgTxt();
    void Creditos();

private:
    int alto;
    int tecla;
    int resultado;
    unsigned int ciclos;
    int opcion;
    int i, j;
    int posY[6];
    Zumbelo* figura;

    void Records();        // the hall of fame, until a key
    void DefineTeclas();   // the six game keys, in order
    int CambiaModo();      // window or full screen; non-zero when no screen is left
    void CambiaSet();      // the other graphic set
    void PasoMenu();       // one tick of a menu: the pointer redrawn, one key read and obeyed
    void TextoCfg(int linea, char* texto, size_t largo);  // one settings line

    // One line of the hall of fame: the name padded to nine, dots, the score.
    static void LineaRecord(char* texto, size_t largo, const char* nombre, int puntos);
    // Top of credit line k (1 = the first) with line height h at scroll s.
    static int AlturaCredito(int k, int h, int s);
    // The scroll after one step: up one pixel, from the start once the roll is past.
    static int AvanzaCreditos(int s, int h);

    friend class PruebaMenus;  // tests drive the pointer and read the pure helpers
};

#endif
