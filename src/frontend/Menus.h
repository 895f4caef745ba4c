// The title screen with its main menu, the settings menu with the key
// definition, the hall of fame and the credits.
#ifndef MENUS_H
#define MENUS_H

class Zumbelo;

class Menus {
public:
    Menus();
    ~Menus();

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
};

#endif
