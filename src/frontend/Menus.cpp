// The title screen and its main menu: the hero walks up and down beside the
// six options and walks off to the right when one is chosen.
#include "Menus.h"

#include <allegro.h>
#include <cstdio>

#include "Configuracion.h"
#include "Datos.h"
#include "Globales.h"
#include "Hardware.h"
#include "HiScore.h"
#include "Mensajes.h"
#include "Sonido.h"
#include "Version.h"
#include "Zumbelo.h"

// The menus' tick counter, advanced by the library's timer.
volatile uint32_t CiclosTempMenu = 0;

void RetM()
{
    CiclosTempMenu = CiclosTempMenu + 1;
}
END_OF_FUNCTION(RetM)

namespace {

const int TicksMenu = 100;      // menu steps per second
const int TicksSalida = 300;    // while the figure walks off after a choice
const int FiguraX = 100;        // where the pointer figure stands
const int FiguraY = 230;        // beside option 0
const int FinSalida = 449;      // the walk-off goes on while x is at most this
const int PasosPorTick = 2;     // the pointer's moves per tick

// The main-menu options.
const int OpIniciar = 0;
const int OpIdioma = 1;
const int OpOpciones = 2;
const int OpRecords = 3;
const int OpCreditos = 4;
const int OpSalir = 5;
const int Opciones = 6;

}  // namespace

Menus::Menus()
    : alto(0), tecla(Hardware::SinAccion), resultado(Sigue), ciclos(0), opcion(0), i(0), j(0), posY{0, 0, 0, 0, 0, 0},
      figura(nullptr)
{
    LOCK_VARIABLE(CiclosTempMenu);
    LOCK_FUNCTION(RetM);
    figura = new Zumbelo(1);
    figura->SetX(FiguraX);
    figura->SetY(FiguraY);
    figura->SetKF(10);
}

Menus::~Menus()
{
    delete figura;
}

void Menus::InitTemp()
{
    ciclos = 0;
    CiclosTempMenu = 0;
}

void Menus::Prepara()
{
    H->SetFondo(DatTitulo);
    H->SetFont(DatFuenteVersion);
    H->DrawFondoBuffer(0, 0, Hardware::AnchoPantalla, Hardware::AltoPantalla, 0, 0);
    H->TextOut(VersionTitulo, 0, 0, 0, -1);

    H->SetFont(FuenteNieve, PaletaNieve);
    alto = static_cast<int>(H->TextHeight() * 0.7);
    // The three title words, centred over the right half of the screen.
    for (i = 0; i < 3; i++) H->TextOutCentre_ex(SMS->Leer(MsgTitulo + i), 3 * Hardware::AnchoPantalla / 4, 16 + alto * i, -1, -1);
}

void Menus::PpalTxt()
{
    H->SetFont(FuenteMenu, PaletaMenu);
    alto = static_cast<int>(H->TextHeight() * 0.75);
    for (i = 0; i < Opciones; i++) {
        posY[i] = 230 + alto * i;
        H->TextOut(SMS->Leer(MsgIniciar + i), 150, 225 + alto * i, -1, -1);
    }
}

void Menus::PasoMenu()
{
    figura->Borra();
    figura->Dibuja(true);
    H->VuelcaBuffer();
    tecla = H->Tecla();
    H->ClearKeyBuf();
    Desplaza(tecla, Opciones - 2);
    ciclos++;
}

int Menus::MenuPpal()
{
    SFX->MMenu();
    InitTemp();
    install_int_ex(RetM, BPS_TO_TIMER(TicksMenu));

    resultado = Sigue;
    opcion = 0;
    figura->SetX(FiguraX);
    figura->SetY(FiguraY);
    figura->Actualiza();

    Prepara();
    PpalTxt();
    H->CopyFondo();  // erasing the figure restores the texts
    H->Fundido(1);
    InitTemp();
    H->DrawFondoBuffer(0, 0, Hardware::AnchoPantalla, Hardware::AltoPantalla, 0, 0);  // the fade's last image is a shade dark
    H->VuelcaBuffer();

    while (resultado == Sigue) {
        if (H->VerCierre()) {
            resultado = Abandono;  // the window was closed: as Exit, without the fade
            break;
        }
        if (ciclos >= CiclosTempMenu) {
            H->Espera();
            continue;
        }

        PasoMenu();

        if (tecla != Hardware::AccionSeleccionar || resultado != Sigue) continue;
        switch (opcion) {
        case OpIniciar:
            resultado = Logrado;
            break;
        case OpIdioma:
            Config->ToggleIdioma();
            break;
        case OpOpciones:
            MenuConfig();
            if (Retorno != 0) {
                // The screen could not be opened again: nothing is left to draw on.
                remove_int(RetM);
                SFX->MStop();
                return Abandono;
            }
            break;
        case OpRecords:
            Records();
            break;
        case OpCreditos:
            H->Fundido(-1);
            Creditos();
            break;
        case OpSalir:
            resultado = Abandono;
            H->Fundido(-1);
            break;
        }
        // A fresh menu after every action; when the menu is ending the
        // screen stays as the choice left it, so it does not flash back up.
        if (resultado == Sigue) {
            figura->SetY(FiguraY);
            opcion = 0;
            Prepara();
            PpalTxt();
            H->CopyFondo();
            H->VuelcaBuffer();
            H->ClearKeyBuf();
            InitTemp();
        }
    }

    remove_int(RetM);
    SFX->MStop();
    return resultado;
}

void Menus::Desplaza(int t, int ultima)
{
    if (t == Hardware::AccionAbajo && opcion <= ultima) {
        figura->ActualizaMov(Hardware::AccionAbajo);
        opcion++;
        InitTemp();
        // The velocity check stops the walk should an edge of the screen stop the figure.
        while (figura->VerY() < posY[opcion] && figura->VerVelY() != 0 && !H->VerCierre())
            figura->Camina(PasosPorTick, ciclos, CiclosTempMenu);
    } else if (t == Hardware::AccionArriba && opcion > 0) {
        figura->ActualizaMov(Hardware::AccionArriba);
        opcion--;
        InitTemp();
        while (figura->VerY() > posY[opcion] && figura->VerVelY() != 0 && !H->VerCierre())
            figura->Camina(PasosPorTick, ciclos, CiclosTempMenu);
    } else if (t == Hardware::AccionSeleccionar) {
        figura->ActualizaMov(Hardware::AccionDerecha);
        InitTemp();
        install_int_ex(RetM, BPS_TO_TIMER(TicksSalida));
        while (figura->VerX() <= FinSalida && figura->VerVelX() != 0 && !H->VerCierre())
            figura->Camina(PasosPorTick, ciclos, CiclosTempMenu);
        figura->SetX(FiguraX);
        install_int_ex(RetM, BPS_TO_TIMER(TicksMenu));
        return;
    } else {
        return;
    }
    // Arrived: he turns to face the option; keys pressed on the way are dropped.
    figura->Borra();
    figura->ActualizaMov(Hardware::AccionDerecha);
    figura->Dibuja(true);
    H->ClearKeyBuf();
}

void Menus::LineaRecord(char* texto, size_t largo, const char* nombre, int puntos)
{
    std::snprintf(texto, largo, "%-9.9s . . . . . . %i", nombre, puntos);
}

void Menus::Records()
{
    char linea[64];
    Prepara();
    H->SetFont(FuenteJuego, PaletaJuego);
    for (i = 0; i < 10; i++) {
        LineaRecord(linea, sizeof linea, Record->LeeNombre(i), Record->LeePuntos(i));
        H->TextOut(linea, 175, 245 + 20 * i, -1, -1);
    }
    H->VuelcaBuffer();
    H->EsperaTecla();
}
