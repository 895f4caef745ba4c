// The entry: makes the long-lived objects in their order, runs the main menu
// and the games it starts, and takes everything down again.
#include <allegro.h>
#include <csignal>

#include "Arranque.h"
#include "Globales.h"
#include "Hardware.h"
#include "Menus.h"
#include "Partida.h"

int main(int argc, char** argv)
{
    (void)argc;
    (void)argv;

    // A save that meets a file-size limit fails and is undone like any other
    // failed write, instead of the signal ending the game half-way.
    std::signal(SIGXFSZ, SIG_IGN);

    Retorno = 0;
    ResMenu = 0;
    if (!ArrancaPantalla()) {
        // No screen or no datafile: the message has been shown; nothing else is made.
        Retorno = RetornoFallo;
    } else {
        ArrancaObjetos();
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
    }
    Apaga();
    return Retorno;
}
END_OF_MAIN()
