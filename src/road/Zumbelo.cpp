#include "Zumbelo.h"

#include "Constantes.h"
#include "Globales.h"
#include "Hardware.h"
#include "Vehiculo.h"

// The lowest row the hero's feet may reach, and the last column he may cover.
static const int FondoPantalla = 462;
static const int DerechaPantalla = Hardware::AnchoPantalla - 1;

Zumbelo::Zumbelo(int paso)
{
    velX = 0;
    velY = 0;
    x = Hardware::AnchoPantalla / 2;
    y = H->TextHeight();
    variante = 1;
    this->paso = paso;
    SinEsqui();
    Actualiza();
}

Zumbelo::~Zumbelo()
{
}

void Zumbelo::ActualizaMov(int accion)
{
    switch (accion) {
    case Hardware::AccionArriba:
        if (VerY() > H->TextHeight()) {
            velY = -paso;
            velX = 0;
        }
        break;
    case Hardware::AccionAbajo:
        if (VerY(true) <= FondoPantalla - 1) {
            velY = paso;
            velX = 0;
        }
        break;
    case Hardware::AccionIzquierda:
        if (VerX() > 0) {
            velX = -paso;
            velY = 0;
        }
        break;
    case Hardware::AccionDerecha:
        if (VerX(true) <= DerechaPantalla) {
            velX = paso;
            velY = 0;
        }
        break;
    default:
        break;  // select, pause or no key: he walks on as before
    }

    // The last true test wins; a standing hero keeps his facing.
    if (velX < 0) variante = 0;
    if (velX > 0) variante = 1;
    if (velY < 0) variante = 2;
    if (velY > 0) variante = 3;
}

void Zumbelo::Mueve()
{
    ultimoFotograma = (velX == 0 && velY == 0) ? 0 : 1;

    // He stops short of an edge rather than touching it.
    if (x + velX > 0 && VerX(true) + velX <= DerechaPantalla)
        x += velX;
    else
        velX = 0;

    if (y + velY > H->TextHeight())
        y += velY;
    else
        velY = 0;

    if (VerY(true) + velY > FondoPantalla - 1) {
        y = FondoPantalla - VerLongY();
        velY = 0;
    }
}

bool Zumbelo::Atropello(Vehiculo* primero)
{
    for (Vehiculo* v = primero; v != nullptr; v = v->VerSiguiente())
        if (Colision(v, true)) return true;
    return false;
}

void Zumbelo::SinEsqui()
{
    tipo = TipoAPie;
    Actualiza();
}

void Zumbelo::ConEsqui()
{
    tipo = TipoConEsquis;
    Actualiza();
}

bool Zumbelo::Camina(int movimientos, uint32_t& ciclos, const volatile uint32_t& ticks)
{
    if (ciclos >= ticks) {
        H->Espera();
        return false;
    }
    Borra();
    for (int i = 0; i < movimientos; i++) Mueve();
    Dibuja(true);
    H->VuelcaBuffer();
    ciclos++;
    return true;
}
