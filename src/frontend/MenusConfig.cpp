// The settings menu: screen mode, sound, keys, graphic set and frame
// skipping, with the same walking pointer as the main menu.
#include "Menus.h"

#include <cstdio>

#include "Configuracion.h"
#include "Datos.h"
#include "Globales.h"
#include "Hardware.h"
#include "Mensajes.h"
#include "Sonido.h"
#include "SprManager.h"
#include "Zumbelo.h"

namespace {

const int FiguraY = 230;  // beside the first line

// The settings lines.
const int OpPantalla = 0;
const int OpSonido = 1;
const int OpTeclas = 2;
const int OpSet = 3;
const int OpSaltos = 4;
const int OpVolver = 5;

const int PausaTeclas = 1000;    // ms the six new keys stay on screen

}  // namespace

void Menus::TextoCfg(int linea, char* texto, size_t largo)
{
    switch (linea) {
    case OpPantalla:
        std::snprintf(texto, largo, "%s", SMS->Leer(Config->VerWindowed() ? MsgEnVentana : MsgPantallaCompleta));
        break;
    case OpSonido:
        std::snprintf(texto, largo, "%s%s", SMS->Leer(MsgSonido), SMS->Leer(Config->VerSonido() ? MsgOn : MsgOff));
        break;
    case OpTeclas:
        std::snprintf(texto, largo, "%s", SMS->Leer(MsgDefinirTeclas));
        break;
    case OpSet:
        std::snprintf(texto, largo, "%s%s", SMS->Leer(MsgSetGrafico), SMS->Leer(Config->SetGraf() == 0 ? MsgSetNuevo : MsgSetOriginal));
        break;
    case OpSaltos:
        std::snprintf(texto, largo, "%s %i", SMS->Leer(MsgSaltos), Config->VerSpeed());
        break;
    default:
        std::snprintf(texto, largo, "%s", SMS->Leer(MsgVolver));
        break;
    }
}

void Menus::CfgTxt()
{
    char linea[128];
    H->SetFont(FuenteMenu, PaletaMenu);
    alto = static_cast<int>(H->TextHeight() * 0.75);
    for (i = 0; i < 6; i++) {
        posY[i] = 230 + alto * i;
        TextoCfg(i, linea, sizeof linea);
        H->TextOut(linea, 150, 225 + alto * i, -1, -1);
    }
}

int Menus::MenuConfig()
{
    InitTemp();
    opcion = 0;
    Prepara();
    CfgTxt();
    H->CopyFondo();
    figura->SetY(FiguraY);

    for (;;) {
        if (H->VerCierre()) return 0;  // the main menu ends the program
        if (ciclos >= CiclosTempMenu) {
            H->Espera();
            continue;
        }

        PasoMenu();

        if (tecla != Hardware::AccionSeleccionar) continue;
        switch (opcion) {
        case OpPantalla:
            // Without a screen the program ends as a failed start-up does.
            if (CambiaModo() != 0) return 1;
            break;
        case OpSonido:
            Config->ToggleSonido();
            SFX->MMenu();
            break;
        case OpTeclas:
            DefineTeclas();
            break;
        case OpSet:
            CambiaSet();
            break;
        case OpSaltos:
            Config->SetSpeed();
            break;
        case OpVolver:
            return 0;
        }
        // The same line stays selected, so repeated selects step the same setting.
        Prepara();
        CfgTxt();
        H->CopyFondo();
        InitTemp();
    }
}

int Menus::CambiaModo()
{
    Config->ToggleWindowed();
    H->DeInit();
    if (H->InitGraph() != 0 || H->Init() != 0) {
        Retorno = RetornoFallo;
        return 1;
    }
    return 0;
}

void Menus::CambiaSet()
{
    Config->ToggleSet();
    M->Init();
    // The figure takes its picture from the new sheet at once, keeping its facing.
    figura->Actualiza();
}

void Menus::DefineTeclas()
{
    Prepara();
    H->SetFont(FuenteMenu, PaletaMenu);
    H->TextOutCentre(SMS->Leer(MsgPulsa), 230, -1, -1);
    H->SetFont(FuenteJuego, PaletaJuego);

    // A press of the gamepad answers with the key the action had: the pad's
    // own directions and buttons never change, and a player with only a
    // gamepad who comes here leaves with the keys as they were.
    int antes[Hardware::Acciones];
    for (i = 0; i < Hardware::Acciones; i++) {
        antes[i] = H->VerTecla(i);
        H->GrabarTecla(i, 0);
    }

    for (i = 0; i < Hardware::Acciones; i++) {
        H->TextOutCentre(SMS->Leer(MsgAccion + i), 280 + 24 * i, -1, -1);
        H->VuelcaBuffer();
        H->ClearKeyBuf();

        // A key already given to an earlier action is refused, and so is one
        // without a scan code, which could never be bound.
        int nueva = Hardware::SinTecla;
        while (nueva == Hardware::SinTecla) {
            if (H->VerCierre()) return;  // the window was closed: the program ends
            nueva = H->VerTecla();
            if (nueva == Hardware::SinTecla) {
                H->Espera();
                continue;
            }
            if (nueva == Hardware::PulsacionMando) nueva = antes[i] << 8;
            const int codigo = nueva >> 8;
            bool usada = codigo == 0;
            for (j = 0; j < i; j++) {
                if (H->VerTecla(j) == codigo) usada = true;
            }
            if (usada) nueva = Hardware::SinTecla;
        }
        H->GrabarTecla(i, nueva);
    }
    H->Rest(PausaTeclas);
}
