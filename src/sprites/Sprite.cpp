#include "Sprite.h"

#include "Globales.h"
#include "Hardware.h"
#include "SprManager.h"

namespace {
const int BitsPorPalabra = 32;
}

Sprite::Sprite()
    : x(0), y(0), velY(0), velX(0), fotograma(0), ultimoFotograma(0), cuenta(0), kf(20), tipo(0),
      variante(0), imagen(nullptr), mascara(nullptr), entrada(0), generacion(0),
      imagenTomada(nullptr)
{
}

Sprite::~Sprite()
{
}

void Sprite::Toma()
{
    entrada = SprManager::Entrada(tipo, variante, fotograma);
    if (M == nullptr) {
        imagen = nullptr;
        mascara = nullptr;
        generacion = 0;
    } else {
        imagen = M->SpriteEntrada(entrada);
        mascara = M->MaskEntrada(entrada);
        generacion = M->VerGeneracion();
    }
    imagenTomada = imagen;
}

void Sprite::Actualiza()
{
    fotograma = 0;
    Toma();
    ultimoFotograma = mascara != nullptr ? mascara->fotogramas - 1 : 0;
}

void Sprite::PasaFrame()
{
    if (ultimoFotograma == 0) return;
    cuenta++;
    if (cuenta > kf) cuenta = 1;
    if (cuenta == kf) {
        fotograma++;
        if (fotograma > ultimoFotograma) fotograma = 0;
    }
    Toma();
}

void Sprite::Dibuja(bool animar)
{
    if (animar) PasaFrame();
    if (M == nullptr || H == nullptr) return;
    // The sheet was rebuilt (graphic set switch) since imagen was taken: its
    // compiled sprite is gone, so take the same picture from the new build.
    if (generacion != M->VerGeneracion()) {
        if (imagen == imagenTomada && entrada != 0) {
            imagen = M->SpriteEntrada(entrada);
        } else {
            entrada = SprManager::Entrada(tipo, variante, fotograma);
            imagen = M->SpriteEntrada(entrada);
        }
        imagenTomada = imagen;
        generacion = M->VerGeneracion();
    }
    if (imagen != nullptr) H->Dibuja(x, y, imagen);
}

void Sprite::Borra()
{
    if (mascara != nullptr && H != nullptr) H->Borra(x, y, mascara->ancho, mascara->alto);
}

int Sprite::VerX(bool derecha)
{
    return derecha ? x + VerLongX() : x;
}

int Sprite::VerY(bool abajo)
{
    return abajo ? y + VerLongY() : y;
}

int Sprite::VerLongX()
{
    return mascara != nullptr ? mascara->ancho : 0;
}

int Sprite::VerLongY()
{
    return mascara != nullptr ? mascara->alto : 0;
}

int Sprite::VerVelX() { return velX; }
int Sprite::VerVelY() { return velY; }
int Sprite::VerTipo() { return tipo; }
Mascara* Sprite::VerMascara() { return mascara; }

void Sprite::SetX(int v) { x = v; }
void Sprite::SetY(int v) { y = v; }
void Sprite::SetVelX(int v) { velX = v; }
void Sprite::SetVelY(int v) { velY = v; }
void Sprite::SetTipo(int v) { tipo = v; }
void Sprite::SetKF(int v) { kf = v; }

bool Sprite::Colision(Sprite* otro, bool pixel)
{
    if (otro == nullptr || otro == this) return false;
    if (mascara == nullptr || otro->mascara == nullptr) return false;
    // Half-open boxes: sharing an edge is no overlap.
    const bool solapan = VerX(true) > otro->VerX(false) && VerX(false) < otro->VerX(true) &&
                         VerY(true) > otro->VerY(false) && VerY(false) < otro->VerY(true);
    if (!solapan) return false;
    return pixel ? ColisionPP(otro) : true;
}

bool Sprite::ColisionPP(Sprite* otro)
{
    if (otro == nullptr || otro == this) return false;
    const Mascara* ma = mascara;
    const Mascara* mb = otro->mascara;
    if (ma == nullptr || mb == nullptr || ma->palabras == 0 || mb->palabras == 0) return false;

    // Align horizontally: the sprite further left starts at the word and bit
    // that lie over the other's first column.
    int palabraA = 0, desplA = 0, palabraB = 0, desplB = 0;
    int d = x > otro->x ? x - otro->x : otro->x - x;
    int palabras = 0;
    while (d >= BitsPorPalabra) {
        d -= BitsPorPalabra;
        palabras++;
    }
    if (x > otro->x) {
        palabraB = palabras;
        desplB = d;
    } else {
        palabraA = palabras;
        desplA = d;
    }

    // Align vertically.
    int filaA = 0, filaB = 0;
    if (y > otro->y) {
        filaB = y - otro->y;
    } else {
        filaA = otro->y - y;
    }

    for (; filaA < ma->alto && filaB < mb->alto; filaA++, filaB++) {
        const uint32_t* ra = ma->filas[filaA];
        const uint32_t* rb = mb->filas[filaB];
        for (int wa = palabraA, wb = palabraB; wa < ma->palabras && wb < mb->palabras;
             wa++, wb++) {
            uint32_t a = ra[wa] >> desplA;
            if (desplA != 0 && wa + 1 < ma->palabras) a |= ra[wa + 1] << (BitsPorPalabra - desplA);
            uint32_t b = rb[wb] >> desplB;
            if (desplB != 0 && wb + 1 < mb->palabras) b |= rb[wb + 1] << (BitsPorPalabra - desplB);
            if ((a & b) != 0) return true;
        }
    }
    return false;
}
