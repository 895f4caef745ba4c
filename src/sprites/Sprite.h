// The base of every moving figure: position, velocity, animation, drawing,
// erasing, and the box and pixel collision tests.
#ifndef SPRITE_H
#define SPRITE_H

#include "Mascara.h"

class Sprite {
public:
    Sprite();
    ~Sprite();

    void Actualiza();
    void PasaFrame();
    void Dibuja(bool animar);
    void Borra();

    int VerX(bool derecha = false);
    int VerY(bool abajo = false);
    int VerLongX();
    int VerLongY();
    int VerVelX();
    int VerVelY();
    int VerTipo();
    Mascara* VerMascara();

    void SetX(int v);
    void SetY(int v);
    void SetVelX(int v);
    void SetVelY(int v);
    void SetTipo(int v);
    void SetKF(int v);

    bool Colision(Sprite* otro, bool pixel);
    bool ColisionPP(Sprite* otro);

protected:
    int x;
    int y;
    int velY;
    int velX;
    int fotograma;
    int ultimoFotograma;
    int cuenta;
    int kf;
    int tipo;
    int variante;
    void* imagen;       // compiled sprite owned by the sheet
    Mascara* mascara;   // owned by the sheet

private:
    // Takes the picture and mask of (tipo, variante, fotograma) from the sheet.
    void Toma();

    int entrada;          // sheet entry of imagen when this base took it
    unsigned generacion;  // sheet build that imagen belongs to
    void* imagenTomada;   // imagen as this base took it (a derived class may set its own)
};

#endif
