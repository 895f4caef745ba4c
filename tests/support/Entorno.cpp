#include "Entorno.h"

#include <allegro.h>

#include "Configuracion.h"
#include "Globales.h"
#include "Hardware.h"
#include "HiScore.h"
#include "Mensajes.h"
#include "Sonido.h"
#include "SprManager.h"

namespace Entorno {

bool ArrancaPantalla()
{
    Retorno = 0;
    ResMenu = 0;
    Config = new Configuracion;
    H = new Hardware;
    if (H->InitGraph() != 0 || H->Init() != 0) {
        Para();
        return false;
    }
    return true;
}

bool ArrancaTodo()
{
    if (!ArrancaPantalla()) return false;
    SFX = new Sonido;
    M = new SprManager;
    SMS = new Mensajes;
    Record = new HiScore;
    M->Init();
    return true;
}

void Para()
{
    delete Record;
    Record = nullptr;
    delete SMS;
    SMS = nullptr;
    delete M;
    M = nullptr;
    delete SFX;
    SFX = nullptr;
    delete H;
    H = nullptr;
    delete Config;
    Config = nullptr;
}

void PulsaTecla(int scancode, int ascii)
{
    simulate_keypress((scancode << 8) | (ascii & 0xFF));
}

const char* DirectorioJuego()
{
    return ZUMBELO_RUN_DIR;
}

}  // namespace Entorno
