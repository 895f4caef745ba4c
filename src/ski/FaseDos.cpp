#include "FaseDos.h"

#include <allegro.h>

#include "Constantes.h"
#include "Datos.h"
#include "Esquiador.h"
#include "Globales.h"
#include "Hardware.h"
#include "Mensajes.h"
#include "Obstaculo.h"
#include "Pause.h"
#include "Pista.h"
#include "Reglas.h"
#include "Sonido.h"

// The ski phase's tick: Ret2 only counts, on the library's timer.
volatile uint32_t CiclosTempF2 = 0;

void Ret2()
{
    CiclosTempF2++;
}
END_OF_FUNCTION(Ret2)

namespace {

const int Blanco = 7;  // the snow
const int Azul = 1;
const int Rojo = 2;

const int PasosPorSegundo = 200;   // divided by the step length: ~200 pixels a second
const int KFEsquiador = 20;        // divided by the step length
const int PasosChoque = 500;       // divided by the step length: about 2.5 s
const int MargenTrasChoque = 400;  // the course restarts this far below the skier
const int FilaMensajeMeta = 50;
const int FilaSalida = 415;        // the skier's y beyond which a finished run ends
const int PuntosMeta = 100;
const int EsperaFinal = 2000;      // ms of rest after a run that was not abandoned

}  // namespace

FaseDos::FaseDos(int velocidad)
    : pista(nullptr), esquiador(nullptr), indice(nullptr), pausa(nullptr), paso(velocidad + 1),
      resultado(Sigue), tecla(Hardware::SinAccion), desplazamiento(0), margen(0), choque(ChoqueNada), ciclos(0), fin(false)
{
    LOCK_VARIABLE(CiclosTempF2);
    LOCK_FUNCTION(Ret2);
    pausa = new Pause;
    pista = new Pista;
}

FaseDos::~FaseDos()
{
    // The game-over backdrop starts a run that never runs: take it down here.
    if (esquiador != nullptr) Termina();
    delete pausa;
    delete pista;
}

void FaseDos::Inicia()
{
    // A run started but never run (a backdrop) gives way to the new one.
    delete esquiador;
    esquiador = new Esquiador;
    esquiador->SetKF(KFEsquiador / paso);
    pista->Init();

    H->cls(Blanco);
    H->ClrFondo(Blanco);
    pista->Dibuja();
    esquiador->Dibuja(true);
    Marcadores();
    choque = ChoqueNada;
    H->VuelcaBuffer();
    H->SinFoco();  // a focus lost before the run does not pause it

    InitTemp();
    install_int_ex(Ret2, BPS_TO_TIMER(PasosPorSegundo / paso));
}

void FaseDos::Termina()
{
    pista->DeInit();
    delete esquiador;
    esquiador = nullptr;
    indice = nullptr;
    remove_int(Ret2);
}

int FaseDos::Ciclo()
{
    resultado = Sigue;
    while (resultado == Sigue) {
        if (H->VerCierre())
            resultado = Abandono;  // the window was closed: the game is dropped
        else if (ciclos < CiclosTempF2)
            Paso();
        else
            H->Espera();
    }
    Termina();
    if (resultado != Abandono) H->Rest(EsperaFinal);
    return resultado;
}

void FaseDos::Paso()
{
    pista->Borra();
    esquiador->Borra();
    fin = pista->Avanza(paso, desplazamiento, margen);

    // A pending hit steers this step instead of a key (the finish down, a
    // heap to one side); a window that has lost the focus pauses as if the
    // pause key were pressed.
    static_assert(static_cast<int>(ChoqueMeta) == Hardware::AccionAbajo &&
                      static_cast<int>(ChoqueIzquierda) == Hardware::AccionIzquierda &&
                      static_cast<int>(ChoqueDerecha) == Hardware::AccionDerecha,
                  "a hit steers as the key of its number");
    if (choque == ChoqueNada) {
        tecla = H->SinFoco() ? Hardware::AccionPausa : H->Tecla();
    } else {
        tecla = choque;
        choque = ChoqueNada;
    }

    if (tecla == Hardware::AccionPausa) resultado = Pausar();

    esquiador->Avanza(tecla, paso, desplazamiento, fin, margen);
    indice = pista->Indice();
    choque = esquiador->Choque(indice, desplazamiento);

    if (choque == ChoquePino) {
        pista->Borra();
        choque = ChoqueNada;
        Choca();
        if (Vidas == 0) resultado = Perdido;
        InitTemp();
        pista->SetMargin(MargenTrasChoque);
        esquiador->SetY(H->TextHeight());
        H->cls(Blanco);
        pista->Dibuja();
    }

    if (choque == ChoquePoste) {
        pista->Borra();
        choque = ChoqueNada;
        Choca();
        resultado = Vidas == 0 ? Perdido : Logrado;
        InitTemp();
    }

    // The finish crossed; the hit stays pending and points the skier straight down.
    if (choque == ChoqueMeta) {
        SFX->SAplauso();
        H->TextOutCentre(SMS->Leer(MsgMeta), FilaMensajeMeta, -1, Azul);
        Puntos += PuntosMeta;
        H->VuelcaBuffer();
    }

    PagaPremio();

    if (fin && esquiador->VerY() > FilaSalida) resultado = Logrado;

    if (resultado == Sigue) {
        esquiador->Dibuja(true);
        pista->Dibuja();
        Marcadores();
        H->VuelcaBuffer();
    }
    ciclos++;
}

void FaseDos::Marcadores()
{
    DibujaMarcador();
}

void FaseDos::InitTemp()
{
    ciclos = 0;
    CiclosTempF2 = 0;
}

void FaseDos::MuestraChoque()
{
    if (Vidas != 0)
        H->TextOutCentre(SMS->Leer(MsgEsquisBien), 0, -1, Azul);
    else
        H->TextOutCentre(SMS->Leer(MsgEsquisRotos), 0, -1, Rojo);
}

void FaseDos::Choca()
{
    SFX->SGolpe();
    esquiador->Borra();
    esquiador->SetTipo(TipoChoque);
    esquiador->Actualiza();
    Vidas--;
    MuestraChoque();

    // The course stands still while the crashed skier tumbles.
    InitTemp();
    while (ciclos < (uint32_t)(PasosChoque / paso) && !H->VerCierre()) {
        if (ciclos < CiclosTempF2) {
            esquiador->Borra();
            pista->Borra();
            pista->Dibuja();
            esquiador->Dibuja(true);
            MuestraChoque();
            H->VuelcaBuffer();
            ciclos++;
        } else {
            H->Espera();
        }
    }

    InitTemp();
    esquiador->SetTipo(TipoEsquiador);
    esquiador->Actualiza();
}

int FaseDos::Pausar()
{
    // The frozen scene becomes the background the overlay restores.
    pista->Dibuja();
    esquiador->Dibuja(false);
    Marcadores();
    H->CopyFondo();

    const int r = pausa->PauseGame();
    H->SinFoco();  // a focus lost while the box was open is answered already

    H->SetFont(FuenteJuego, PaletaJuego);
    H->ClrFondo(Blanco);
    H->DrawFondoBuffer(0, 0, Hardware::AnchoPantalla, Hardware::AltoPantalla, 0, 0);
    pista->Dibuja();
    Marcadores();
    H->VuelcaBuffer();
    InitTemp();
    return r;
}
