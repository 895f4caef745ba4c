#include "Arranque.h"

#include "Configuracion.h"
#include "Globales.h"
#include "Hardware.h"
#include "HiScore.h"
#include "Mensajes.h"
#include "Menus.h"
#include "Sonido.h"
#include "SprManager.h"

namespace {

void Marca(TrasEtapa tras, int etapa)
{
    if (tras != nullptr) tras(etapa);
}

}  // namespace

bool ArrancaPantalla(TrasEtapa tras)
{
    Config = new Configuracion;
    H = new Hardware;
    Marca(tras, EtapaAjustes);
    if (H->InitGraph() != 0) return false;
    Marca(tras, EtapaVentana);
    if (H->Init() != 0) return false;
    Marca(tras, EtapaDatos);
    return true;
}

void ArrancaObjetos(TrasEtapa tras)
{
    SFX = new Sonido;
    Marca(tras, EtapaSonido);
    M = new SprManager;
    SMS = new Mensajes;
    Menu = new Menus;
    Record = new HiScore;
    Marca(tras, EtapaObjetos);
    M->Init();
    Marca(tras, EtapaHoja);
}

void Apaga()
{
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
    // The display shuts the library down; the settings go last.
    delete H;
    H = nullptr;
    delete Config;
    Config = nullptr;
}
