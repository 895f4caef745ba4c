// One game: the road and the ski slope in turn until the money runs out or
// the player gives up, then the game-over screen and the hall of fame.
#include "Partida.h"

#include <cstdio>

#include "Configuracion.h"
#include "Datos.h"
#include "FaseDos.h"
#include "FaseUno.h"
#include "Globales.h"
#include "Hardware.h"
#include "HiScore.h"
#include "Mensajes.h"
#include "Reglas.h"
#include "Sonido.h"
#include "Version.h"

namespace {

const int Rangos = 10;        // places in the hall of fame
const int LargoNombre = 9;    // characters of a name; its slot holds one more
const int PausaFin = 5000;    // ms the game-over screen stays up

const int Retroceso = 8;
const int Intro = 13;

// The name entry's rule for one key: Backspace removes the last letter,
// digits, letters and the signs between them are added while there is
// room; space, hyphen, full stop and the rest never go in.
void EditaNombre(char* nombre, int& largo, int c)
{
    if (c == Retroceso) {
        if (largo > 0) nombre[--largo] = '\0';
    } else if (c >= '0' && c <= 'z') {
        if (largo < LargoNombre) {
            nombre[largo++] = static_cast<char>(c);
            nombre[largo] = '\0';
        }
    }
}

}  // namespace

Partida::Partida()
    : faseUno(nullptr), faseDos(nullptr), resultadoUno(0), resultadoDos(0), indice(0),
      juegaUno(JuegaUno), juegaDos(JuegaDos)
{
    Dinero = DineroInicial;
    Puntos = 0;
    Vidas = VidasEsquis;
    Nivel = 0;
    ProximaVida = PuntosPremio;
    // The frame-skipping setting is read here: a change shows from the next game.
    const int s = Config->VerSpeed();
    faseUno = new FaseUno(s + 1);
    faseDos = new FaseDos(s);
}

Partida::~Partida()
{
    delete faseUno;
    delete faseDos;
}

int Partida::JuegaUno(FaseUno* fase, int estado)
{
    fase->Inicia(estado);
    return fase->Ciclo();
}

int Partida::JuegaDos(FaseDos* fase)
{
    fase->Inicia();
    return fase->Ciclo();
}

void Partida::Play()
{
    H->SetFont(FuenteJuego, PaletaJuego);
    do {
        H->Interzona(-1);
        SFX->MNivel(Nivel);
        // After a completed run the hero starts on the shop side with his skis.
        resultadoUno = juegaUno(faseUno, resultadoDos);
        if (resultadoUno != Perdido && resultadoUno != Abandono) {
            H->ClearKeyBuf();
            H->Interzona(1);
            resultadoDos = juegaDos(faseDos);
            if (resultadoDos == Logrado) Nivel++;
        }
    } while (resultadoUno != Perdido && resultadoUno != Abandono && resultadoDos != Abandono && !H->VerCierre());

    // The window was closed: the game is dropped, with nothing shown or stored.
    if (H->VerCierre()) return;

    // Out of money: the game-over screen. A game given up goes straight to the fade.
    if (resultadoUno == Perdido) FinSinDinero();

    H->CopyFondo();
    H->Fundido(-1);

    // A score equal to a stored one ranks after it.
    const int puesto = Puesto();
    if (puesto < Rangos) GrabaRecord(puesto);
}

void Partida::FinSinDinero()
{
    SFX->MStop();
    H->Interzona(1);
    faseDos->Inicia();  // the ski scene as a backdrop
    H->TextOutCentre(SMS->Leer(MsgSinDinero), 200, -1, 2);
    H->VuelcaBuffer();
    SFX->SFin();
    H->Rest(PausaFin);
}

int Partida::Puesto()
{
    for (indice = 0; indice < Rangos; indice++) {
        if (Record->LeePuntos(indice) < Puntos) break;
    }
    return indice;
}

void Partida::GrabaRecord(int rank)
{
    if (rank < 0 || rank >= Rangos) return;

    char texto[32];

    // The congratulations screen over the title picture.
    H->SetFondo(DatTitulo);
    H->DrawFondoBuffer(0, 0, Hardware::AnchoPantalla, Hardware::AltoPantalla, 0, 0);
    H->SetFont(FuenteMin, PaletaMin);
    H->TextOut(VersionTitulo, 0, 0, 0, -1);

    H->SetFont(FuenteNieve, PaletaNieve);
    const int n = static_cast<int>(H->TextHeight() * 0.7);
    // The three title words, centred over the right half of the screen.
    for (int k = 0; k < 3; k++) H->TextOutCentre_ex(SMS->Leer(MsgTitulo + k), 3 * Hardware::AnchoPantalla / 4, 16 + n * k, -1, -1);

    H->SetFont(FuenteJuego, PaletaJuego);
    std::snprintf(texto, sizeof texto, "%i", static_cast<int>(Puntos));
    H->TextOutCentre(texto, 400, -1, -1);

    H->SetFont(FuenteMenu, PaletaMenu);
    H->TextOutCentre(SMS->Leer(MsgEnhorabuena), 250, -1, -1);
    H->TextOutCentre(SMS->Leer(MsgTuNombre), 300, -1, -1);

    H->CopyFondo();
    H->Fundido(1);
    H->DrawFondoBuffer(0, 0, Hardware::AnchoPantalla, Hardware::AltoPantalla, 0, 0);  // the fade's last image is a shade dark
    H->VuelcaBuffer();
    H->ClearKeyBuf();

    // The name, typed until Enter; it never holds more than nine characters.
    char nombre[LargoNombre + 1] = "";
    int largo = 0;
    int c = 0;
    do {
        // Only 7-bit characters count: any other (the library has no
        // 8-bit code for most) is neither added nor shown.
        c = H->LeeCaracter();
        if (c < 0) H->Espera();
        if (c < 0 || c > 127) c = 0;
        EditaNombre(nombre, largo, c);
        if (c > 0) {
            H->DrawFondoBuffer(0, 350, Hardware::AnchoPantalla, 50, 0, 350);
            H->TextOutCentre(nombre, 350, -1, -1);
            H->VuelcaBuffer();
        }
    } while (c != Intro && !H->VerCierre());
    if (c != Intro) return;  // the window was closed: the entry is dropped, nothing stored

    // Everyone from this place down moves one place lower; the last drops out.
    char anterior[LargoNombre + 1];
    for (int r = Rangos - 1; r > rank; r--) {
        std::snprintf(anterior, sizeof anterior, "%.9s", Record->LeeNombre(r - 1));
        Record->GrabaNombre(anterior, r);
        Record->GrabaPuntos(Record->LeePuntos(r - 1), r);
    }
    Record->GrabaNombre(nombre, rank);
    Record->GrabaPuntos(Puntos, rank);
    Record->Save();

    H->CopyFondo();
    H->Fundido(-1);
}
