#include "Esquiador.h"

#include "Constantes.h"
#include "Globales.h"
#include "Hardware.h"
#include "Obstaculo.h"
#include "Sonido.h"

namespace {

// Headings: 0 straight down, 1 traverse right, 2 right without descending,
// 3 traverse left, 4 left without descending. Each press turns one step.
const int GiroIzquierda[5] = {3, 0, 1, 4, 4};
const int GiroDerecha[5] = {1, 2, 2, 0, 3};
const int VelocidadX[5] = {0, 1, 1, -1, -1};  // times the step length
const int VelocidadY[5] = {1, 0, -1, 0, -1};

const int TicksOcioso = 20;         // a skier holding his height drifts back after more idle ticks than this
const int FilaLimite = 240;         // the skier's bottom edge stays above this row
const int DerechaPantalla = Hardware::AnchoPantalla - 1;
const int AltoBanderolaMeta = 48;   // the finish banner above the line the skier must reach
const int FueraDePista = -1000;     // course y while the lead-in hides the skier's row

bool SinBajar(int rumbo)
{
    return rumbo == 2 || rumbo == 4;
}

}  // namespace

Esquiador::Esquiador()
{
    tipo = TipoEsquiador;
    variante = 0;
    x = 320;
    y = H->TextHeight();
    velX = 0;
    velY = 0;
    yPista = 0;
    yGuardada = 0;
    Actualiza();
    inactivo = 0;
    choque = ChoqueNada;
    examinado = nullptr;
}

Esquiador::~Esquiador()
{
}

void Esquiador::Avanza(int tecla, int paso, int desplazamiento, bool fin, int margen)
{
    if (margen != 0) yPista = FueraDePista;

    if (tecla == Hardware::AccionAbajo)
        variante = 0;
    else if (tecla == Hardware::AccionIzquierda)
        variante = GiroIzquierda[variante];
    else if (tecla == Hardware::AccionDerecha)
        variante = GiroDerecha[variante];

    if (tecla != Hardware::SinAccion) {
        inactivo = 0;
    } else {
        inactivo++;
        if (inactivo > TicksOcioso && SinBajar(variante)) {
            inactivo = 0;
            variante--;
        }
    }

    // At the end of the course the skier no longer holds his height.
    if (fin && SinBajar(variante)) variante--;

    Actualiza();
    velX = VelocidadX[variante] * paso;
    velY = VelocidadY[variante] * paso;

    if (fin)
        velY = 2 * paso;  // runs down and off the screen
    else if (margen == 0)
        yPista += paso;   // the scroll of this step

    Mueve(fin, margen, desplazamiento, paso);
}

void Esquiador::Mueve(bool fin, int margen, int desplazamiento, int paso)
{
    const int ancho = VerLongX();
    const int alto = VerLongY();
    const int arriba = H->TextHeight();

    // Running into either side turns the skier straight down.
    x += velX;
    if (x < 0) {
        x = 1;
        velX = 0;
        velY = paso;
        variante = 0;
    }
    if (x + ancho > DerechaPantalla) {
        x = DerechaPantalla - ancho;
        velX = 0;
        velY = paso;
        variante = 0;
    }

    y += velY;
    if (y < arriba) {
        y = arriba;
        velY = 0;
        if (SinBajar(variante)) variante--;
    }
    if (!fin && y + alto > FilaLimite - 1) {
        y = FilaLimite - alto;
        velY = 0;
    }

    if (margen == 0)
        yPista += velY;
    else if (y + alto > margen)
        yPista = y - margen - arriba + desplazamiento;

    Actualiza();
}

bool Esquiador::EstaCentrado(Obstaculo* o)
{
    const int ancho = VerLongX();
    return x + ancho / 2 >= o->VerX() && x + ancho - ancho / 2 <= o->VerX(true);
}

int Esquiador::Choque(Obstaculo* primero, int desplazamiento)
{
    const int alto = VerLongY();
    const int ultimaFila = desplazamiento - H->TextHeight() + Hardware::AltoPantalla;

    // The pass works in course coordinates, the obstacles' own.
    choque = ChoqueNada;
    yGuardada = y;
    y = yPista;

    for (examinado = primero; examinado != nullptr; examinado = examinado->VerSiguiente()) {
        if (examinado->VerY(true) <= desplazamiento || examinado->VerY() >= ultimaFila) break;

        switch (examinado->VerTipo()) {
        case TipoBandera:
            // Through the middle: scored. Left behind unscored: penalised.
            if (Colision(examinado, false) && EstaCentrado(examinado) &&
                y + alto >= examinado->VerY() + alto / 2 && !examinado->VerPasado()) {
                Puntos += 10;
                examinado->Pasa();
            }
            if (examinado->VerY(true) < y && !examinado->VerPasado()) {
                Puntos -= 10 + 10 * Nivel;
                SFX->SAhh();
                examinado->Pasa();
            }
            break;

        case TipoMonton:
            if (Colision(examinado, true)) {
                // Heaps 1 and 2 throw him right, 3 and up left, 0 to the side he is on.
                const bool derecha = variante > 0 ? variante <= 2
                                                  : VerX(true) / 2 >= examinado->VerX(true) / 2;
                choque = derecha ? ChoqueDerecha : ChoqueIzquierda;
                SFX->SSki();
            }
            break;

        case TipoPino:
            if (examinado->VerY(true) < y && !examinado->VerPasado()) examinado->Pasa();
            if (!examinado->VerPasado() && Colision(examinado, true)) choque = ChoquePino;
            break;

        case TipoMeta:
            if (Colision(examinado, true)) {
                choque = ChoquePoste;
            } else if (Colision(examinado, false) && !examinado->VerPasado() &&
                       EstaCentrado(examinado) &&
                       y + alto >= examinado->VerY() + alto / 2 + AltoBanderolaMeta) {
                choque = ChoqueMeta;
                examinado->Pasa();
            }
            break;

        default:
            break;
        }

        if (choque != ChoqueNada) break;
    }

    y = yGuardada;
    return choque;
}
