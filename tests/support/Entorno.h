// Starting and stopping the game's long-lived objects inside a test process,
// through the game's own start-up and shut-down.
#ifndef ENTORNO_H
#define ENTORNO_H

#include <vector>

namespace Entorno {

// Settings, display, screen and datafile: Config and H ready to draw. When
// the working directory has no settings file yet, one asking for a window
// (Spanish, sound on, set 0, no frame skipping) is written first.
// Returns false when the screen or the datafile could not be set up.
bool ArrancaPantalla();

// Everything the game makes at start-up: the above plus SFX, M, SMS, Menu
// and Record, and the sprite sheet cut.
bool ArrancaTodo();

// Deletes whatever exists, in the game's shut-down order, and clears the pointers.
void Para();

// What the player sees: the work bitmap shown on the screen (with any frame
// held back for the next refresh), and a pixel of the screen at a visible
// point, at the screen's scale.
void Muestra();
int Pantalla(int x, int y);
// The background shown in place of the work bitmap, to be read with Pantalla.
void MuestraFondo();
// The rows y0 to y1 of the work bitmap as shown, or of the background shown
// in its place.
std::vector<int> Vista(int y0 = 0, int y1 = 480);
std::vector<int> VistaFondo(int y0 = 0, int y1 = 480);

// Whether a screen's tick callback is installed on the library's timer.
bool Reloj(void (*tick)());

// Puts one key press into the key buffer, as the keyboard driver would.
void PulsaTecla(int scancode, int ascii = 0);

// A gamepad, as the library keeps one: an analogue stick (palanca 0), a
// digital direction pad (palanca 1, its last stick) and two buttons, all at
// rest. Its state stays as a test sets it: the library's own driver gives
// way to its "none" driver, whose polls change nothing.
void ConMando();
// Where a stick's axes stand, -128 to 128, with the digital flags the
// library sets beside them (any side of the middle).
void Empuja(int palanca, int x, int y);
// Button b held down or let go.
void Boton(int b, bool pulsado);

// The directory holding the built game, datos.dat and patches.dat.
const char* DirectorioJuego();

// The library alone, for tests of datos.dat itself: started with a 640 x 480
// window at 16 bits; false when it cannot be. ParaBiblioteca shuts it down.
bool ArrancaBiblioteca();
void ParaBiblioteca();

// Sound without a sound card, for the next start of the library: the mix is
// written to the file named (in the working directory; /dev/null to throw it
// away), and the MIDI patch set is the one linked in beside it.
void SonidoEnArchivo(const char* salida);

// A whole file as bytes (empty when missing), and a file written with them:
// any link in its place is replaced, never written through.
typedef std::vector<unsigned char> Bytes;
Bytes Lee(const char* nombre);
void Escribe(const char* nombre, const Bytes& b);

}  // namespace Entorno

#endif
