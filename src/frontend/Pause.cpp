// The pause overlay over a frozen phase.
#include "Pause.h"

#include <allegro.h>

#include "Datos.h"
#include "Globales.h"
#include "Hardware.h"
#include "Mensajes.h"
#include "Zumbelo.h"

volatile uint32_t CiclosTempPause = 0;

void RetP()
{
    CiclosTempPause++;
}
END_OF_FUNCTION(RetP)

namespace {

const int TicksPorSegundo = 200;

// Cursor places: beside the first and the second option, and where the walk-off ends.
const int CursorX = 160;
const int CursorY0 = 200;
const int CursorY1 = 250;
const int CursorFinX = 449;


}  // namespace

Pause::Pause()
    : figura(nullptr), ciclos(0), resultado(Sigue), hecho(0), opcion(0), tecla(Hardware::SinAccion)
{
    LOCK_VARIABLE(CiclosTempPause);
    LOCK_FUNCTION(RetP);
}

Pause::~Pause()
{
}

int Pause::PauseGame()
{
    resultado = Sigue;
    hecho = 0;
    opcion = 0;

    figura = new Zumbelo(1);
    figura->SetKF(20);

    Rectangulo();
    Texto();

    figura->ActualizaMov(Hardware::AccionDerecha);
    figura->SetX(CursorX);
    figura->SetY(CursorY0);
    figura->Dibuja(true);

    install_int_ex(RetP, BPS_TO_TIMER(TicksPorSegundo));
    InitTemp();

    while (hecho == 0) {
        if (H->VerCierre()) {
            opcion = 1;  // the window was closed: as the second option, the game ends
            hecho = 1;
        } else if (ciclos < CiclosTempPause) {
            figura->Borra();
            figura->Dibuja(true);
            tecla = H->Tecla();
            Desplaza(tecla);
            if (tecla == Hardware::AccionSeleccionar) hecho = 1;
            H->VuelcaBuffer();
            ciclos++;
        } else {
            H->Espera();
        }
    }

    if (opcion == 1) resultado = Abandono;

    remove_int(RetP);
    delete figura;
    figura = nullptr;
    return resultado;
}

void Pause::InitTemp()
{
    CiclosTempPause = 0;
    ciclos = 0;
}

void Pause::Rectangulo()
{
    const int borde = H->ColorRgb(180, 180, 0);
    const int interior = H->ColorRgb(0, 100, 180);

    // The box grows from the middle of the screen, opaque, in nine steps.
    const int cx = Hardware::AnchoPantalla / 2, cy = Hardware::AltoPantalla / 2;
    for (int i = 1; i <= 9; i++) {
        H->DrawFondoBuffer(cx - 19 * i, cy - 8 * i, 38 * i, 16 * i, cx - 19 * i, cy - 8 * i);
        H->RectFill_ex(cx - 19 * i, cy - 8 * i, cx + 19 * i, cy + 8 * i, borde);
        H->RectFill_ex(cx - 18 * i, cy - 7 * i, cx + 18 * i, cy + 7 * i, interior);
        H->VuelcaBuffer();
        H->Rest(15);
    }

    // The final box lets the frozen scene show through.
    H->DrawFondoBuffer(130, 160, 380, 160, 130, 160);
    H->TransMode(170);
    H->RectFill_ex(130, 160, 510, 320, borde);
    H->RectFill_ex(140, 170, 500, 310, interior);
    H->SolidMode();
}

void Pause::Texto()
{
    H->SetFont(FuenteMenu, PaletaMenu);
    H->TextOut(SMS->Leer(MsgVolverAlJuego), 195, 195, -1, -1);
    H->TextOut(SMS->Leer(MsgAbandonar), 195, 245, -1, -1);
    H->VuelcaBuffer();
    // From now on erasing the cursor restores the box and the texts behind it.
    H->CopyFondo();
}

void Pause::Desplaza(int accion)
{
    if (accion == Hardware::AccionAbajo && opcion == 0) {
        figura->ActualizaMov(Hardware::AccionAbajo);
        opcion = 1;
        Camina(false);
    } else if (accion == Hardware::AccionArriba && opcion == 1) {
        figura->ActualizaMov(Hardware::AccionArriba);
        opcion = 0;
        Camina(true);
    } else if (accion == Hardware::AccionSeleccionar) {
        // He walks off to the right, two pixels a tick.
        while (figura->VerX() <= CursorFinX && !H->VerCierre()) figura->Camina(2, ciclos, CiclosTempPause);
    }
}

void Pause::Camina(bool arriba)
{
    InitTemp();
    // One pixel a tick to the other option; keys pressed meanwhile are thrown away.
    while ((arriba ? figura->VerY() > CursorY0 : figura->VerY() <= CursorY1 - 1) && !H->VerCierre())
        figura->Camina(1, ciclos, CiclosTempPause);
    figura->Borra();
    figura->ActualizaMov(Hardware::AccionDerecha);
    figura->Dibuja(false);
    H->ClearKeyBuf();
}
