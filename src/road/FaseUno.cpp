#include "FaseUno.h"

#include <allegro.h>
#include <cstdlib>

#include "Ambulancia.h"
#include "Configuracion.h"
#include "Constantes.h"
#include "Datos.h"
#include "Globales.h"
#include "Hardware.h"
#include "Mensajes.h"
#include "Pause.h"
#include "Reglas.h"
#include "Sonido.h"
#include "Trafico.h"
#include "Zumbelo.h"

// The road phase's tick counter and its timer callback, which only counts.
volatile uint32_t CiclosTempF1 = 0;

void Ret1()
{
    CiclosTempF1 = CiclosTempF1 + 1;
}
END_OF_FUNCTION(Ret1)

// Text colours of the road's two messages.
static const int ColorAmbulancia = 2;
static const int ColorTienda = 1;

// Where the hero starts: on foot at the top, with skis on the shop side.
static const int YTienda = 428;

// The road, between the two carriageways' outer limits.
static const int BordeCarretera = 65;
static const int FinCarretera = 380;

// The shop door: the span of left edges, and the row his feet must pass.
static const int PuertaDesde = 281;
static const int PuertaHasta = 309;
static const int UmbralPuerta = 458;

// The price of a pair of skis and the ambulance's fee.
static const int Precio = 10;


FaseUno::FaseUno(int velocidad)
{
    LOCK_VARIABLE(CiclosTempF1);
    LOCK_FUNCTION(Ret1);

    paso = velocidad + 1;
    trafico = new Trafico(paso);
    heroe = new Zumbelo(paso);
    cabeza = nullptr;
    ambulancia = nullptr;
    andados = 0;
    tecla = Hardware::SinAccion;
    grafico = Config->SetGraf();
    aux = 0;
    resultado = Sigue;
    ciclos = 0;
    heroe->SetKF(40 / paso);
    alterna = true;
    pausa = new Pause;
}

FaseUno::~FaseUno()
{
    delete ambulancia;
    delete trafico;
    delete heroe;
    delete pausa;
    remove_int(Ret1);
}

void FaseUno::Inicia(int estado)
{
    H->SetFondo(DatCarretera0 + grafico);
    H->DrawFondoBuffer(0, 0, Hardware::AnchoPantalla, Hardware::AltoPantalla, 0, 0);

    if (estado == Logrado) {
        heroe->SetY(YTienda);
        heroe->ConEsqui();
    } else {
        heroe->SetY(H->TextHeight() + 1);
        heroe->SinEsqui();
    }
    heroe->SetVelY(0);
    heroe->SetVelX(0);
    heroe->Dibuja(true);
    Marcadores();

    // An empty road (the first phase of a game) fills up unseen first.
    if (trafico->Cuantos() == 0) {
        for (aux = 0; aux < 500; ++aux) {
            if (trafico->Cuantos() <= 9) trafico->NuevoVehiculo();
            cabeza = trafico->Mueve();
        }
    }

    trafico->Dibuja();
    H->VuelcaBuffer();
    H->ClearKeyBuf();
    H->SinFoco();  // a focus lost before the road (in a menu) does not pause it

    InitTemp();
    install_int_ex(Ret1, BPS_TO_TIMER(400 / paso));
}

int FaseUno::Ciclo()
{
    resultado = Sigue;
    while (resultado == Sigue) {
        if (H->VerCierre()) {
            resultado = Abandono;  // the window was closed: the game is dropped
        } else if (ciclos < CiclosTempF1) {
            Paso();
            ++ciclos;
            H->VuelcaBuffer();
        } else {
            H->Espera();
        }
    }
    SFX->SAmb_ex(true);
    remove_int(Ret1);
    return resultado;
}

void FaseUno::Paso()
{
    // More traffic the higher the level.
    if (trafico->Cuantos() < Nivel + 18 && rand() % 100 <= Nivel) trafico->NuevoVehiculo();

    trafico->Borra();
    heroe->Borra();

    cabeza = trafico->Mueve();

    // The hero moves every other step.
    if (alterna) heroe->Mueve();
    alterna = !alterna;

    Marcadores();
    LeeTeclado();

    heroe->Dibuja(true);
    trafico->Dibuja();

    AjustaPuntos();

    if (cabeza != nullptr && heroe->Atropello(cabeza)) {
        SacaAmbulancia();
        H->Rest(100);
        H->ClearKeyBuf();
        InitTemp();
    }

    // The ski-hire shop: a pair of skis for 10 dollars.
    if (heroe->VerY(true) > UmbralPuerta && heroe->VerX() >= PuertaDesde &&
        heroe->VerX() <= PuertaHasta && heroe->VerTipo() == TipoAPie && Dinero >= Precio) {
        Dinero -= Precio;
        H->TextOutCentre(SMS->Leer(MsgEsquis), 0, -1, ColorTienda);
        heroe->Borra();
        heroe->ConEsqui();
        heroe->Dibuja(true);
        H->VuelcaBuffer();
        SFX->SCash();
        Vidas = VidasEsquis;
        H->Rest(1000);
        H->DrawFondoBuffer(0, 0, Hardware::AnchoPantalla, H->TextHeight(), 0, 0);
        InitTemp();
    }

    // Back at the top with his skis: off to the slopes.
    if (heroe->VerY() < H->TextHeight() + 8 && heroe->VerTipo() == TipoConEsquis) resultado = Logrado;

    if (Dinero < 0) resultado = Perdido;
}

void FaseUno::LeeTeclado()
{
    // A window that has lost the focus pauses as if the pause key were pressed.
    tecla = H->SinFoco() ? Hardware::AccionPausa : H->Tecla();
    if (tecla == Hardware::AccionPausa) resultado = Pausar();
    heroe->ActualizaMov(tecla);
}

void FaseUno::SacaAmbulancia()
{
    ambulancia = new Ambulancia(paso);
    aux = 0;
    InitTemp();

    H->TextOutCentre(SMS->Leer(MsgAmbulancia), 0, -1, ColorAmbulancia);
    Dinero -= Precio;
    SFX->SAmb_ex(false);

    // Only the ambulance moves; the road stays frozen as drawn.
    while (aux == 0) {
        if (H->VerCierre()) {
            aux = 1;  // the window was closed: the game ends at the end of this step
        } else if (ciclos < CiclosTempF1) {
            ambulancia->Borra();
            aux = ambulancia->Avanza() ? 1 : 0;
            ambulancia->Dibuja(true);
            H->VuelcaBuffer();
            ++ciclos;
        } else {
            H->Espera();
        }
    }

    heroe->Borra();
    delete ambulancia;
    ambulancia = nullptr;
    H->DrawFondoBuffer(0, 0, Hardware::AnchoPantalla, H->TextHeight(), 0, 0);

    // On foot he starts again at the top; with skis, on the shop side.
    if (heroe->VerTipo() == TipoAPie)
        heroe->SetY(H->TextHeight());
    else
        heroe->SetY(YTienda);
    heroe->SetVelY(0);
}

void FaseUno::Marcadores()
{
    DibujaMarcador();
}

void FaseUno::AjustaPuntos()
{
    // Walking up or down over the road; the steps he stands between moves count too.
    if (heroe->VerY(true) > BordeCarretera && heroe->VerY() < FinCarretera &&
        heroe->VerVelY() != 0)
        ++andados;

    if (andados == 40 / paso) {
        Puntos += 5;
        PagaPremio();
        andados = 0;
    }
}

void FaseUno::InitTemp()
{
    ciclos = 0;
    CiclosTempF1 = 0;
}

int FaseUno::Pausar()
{
    trafico->Dibuja();
    heroe->Dibuja(true);
    Marcadores();
    H->CopyFondo();

    const int r = pausa->PauseGame();
    H->SinFoco();  // a focus lost while the box was open is answered already

    H->SetFont(FuenteJuego, PaletaJuego);
    H->SetFondo(DatCarretera0 + grafico);
    H->DrawFondoBuffer(0, 0, Hardware::AnchoPantalla, Hardware::AltoPantalla, 0, 0);

    trafico->Dibuja();
    heroe->Dibuja(true);
    Marcadores();
    H->VuelcaBuffer();

    InitTemp();
    return r;
}
