// The entry: makes the long-lived objects in their order, runs the main menu
// and the games it starts, and takes everything down again.
#include <allegro.h>
#include <csignal>

#include "Configuracion.h"
#include "Globales.h"
#include "Hardware.h"
#include "HiScore.h"
#include "Mensajes.h"
#include "Menus.h"
#include "Partida.h"
#include "Sonido.h"
#include "SprManager.h"

int main(int argc, char** argv)
{
    (void)argc;
    (void)argv;

    // A save that meets a file-size limit fails and is undone like any other
    // failed write, instead of the signal ending the game half-way.
    std::signal(SIGXFSZ, SIG_IGN);

    Retorno = 0;
    ResMenu = 0;
    Config = new Configuracion;
    H = new Hardware;

    if (H->InitGraph() != 0 || H->Init() != 0) {
        // No screen or no datafile: the message has been shown; nothing else is made.
        Retorno = RetornoFallo;
    } else {
        SFX = new Sonido;
        M = new SprManager;
        SMS = new Mensajes;
        Menu = new Menus;
        Record = new HiScore;
        M->Init();

        while (ResMenu != Abandono) {
            H->ClearKeyBuf();
            ResMenu = Menu->MenuPpal();
            if (ResMenu == Logrado) {
                Game = new Partida;
                Game->Play();
                delete Game;
                Game = nullptr;
            }
            // The window was closed during the game: the program ends as after Exit.
            if (H->VerCierre()) ResMenu = Abandono;
        }

        delete Menu;
        Menu = nullptr;
        delete Record;
        Record = nullptr;
        delete SMS;
        SMS = nullptr;
        delete M;
        M = nullptr;
        delete SFX;
        SFX = nullptr;
    }

    delete H;
    H = nullptr;
    delete Config;
    Config = nullptr;
    return Retorno;
}
END_OF_MAIN()
