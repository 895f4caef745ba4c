// The contract of datos.dat, shared by the game that reads it, the generator
// that writes it and the tests that check it: every object in its order, the
// fonts and palettes read by name, where each figure lies on the sprite
// sheets, and the identifiers of the library's datafile format. Moving an
// object or a figure is one edit here; every reader and the writer follow.
// No library header is needed: the generator builds without the library.
#ifndef DATOS_H
#define DATOS_H

#include <cstddef>
#include <cstdint>

#include "Constantes.h"

// The file, in the working directory.
const char* const ArchivoDatos = "datos.dat";

// Every object of the file, by its index (its position in the file).
enum ObjetoDatos {
    DatAhh,             // sample: a gate missed
    DatSirena,          // sample: the ambulance's siren
    DatAplauso,         // sample: applause at the finish
    DatCarretera0,      // bitmap 640 x 480: the road of graphic set 0
    DatCarretera1,      // bitmap 640 x 480: the road of graphic set 1
    DatCaja,            // sample: money paid at the shop
    DatFondoCreditos,   // bitmap 640 x 480: behind the credits
    DatExtra,           // sample: the money bonus
    DatFin,             // sample: game over
    DatFuenteJuego,     // font, read by name (FuenteJuego)
    DatPaletaJuego,     // palette, read by name
    DatFuenteMenu,      // font, read by name (FuenteMenu)
    DatPaletaMenu,      // palette, read by name
    DatFuenteNieve,     // font, read by name (FuenteNieve)
    DatPaletaNieve,     // palette, read by name
    DatFuenteVersion,   // font: the version text of the title screen
    DatFuenteMin,       // font, read by name (FuenteMin)
    DatPaletaMin,       // palette, read by name
    DatFuenteCreditos,  // font, read by name (FuenteCreditos)
    DatGolpe,           // sample: a crash, played with DatCrujido
    DatTitulo,          // bitmap 640 x 480: the title, behind the menus and the name entry
    DatMusicaMenu,      // MIDI: the menus' tune
    DatMusicaNivel0,    // MIDI: the tune of levels 0, 4, 8...; the next three follow it
    DatMusicaNivel1,
    DatMusicaNivel2,
    DatMusicaNivel3,
    DatCrujido,         // sample: the high crack of a crash
    DatEsqui,           // sample: the skis scraping over a snow heap
    DatHoja0,           // bitmap: the sprite sheet of graphic set 0
    DatHoja1,           // bitmap: the sprite sheet of graphic set 1, the same layout
    DatPaletaCreditos,  // palette, read by name
    DatObjetos          // how many objects the file holds
};

// Level tunes, one per level modulo this.
const int MusicasNivel = DatMusicaNivel3 - DatMusicaNivel0 + 1;

// Fonts and their palettes, read by name; a lookup ignores case, so either
// spelling of a palette finds it.
const char* const FuenteJuego = "DFFontGame_DATA";   // status line, banners, hall of fame, key names
const char* const PaletaJuego = "DFFontGame_PAL";
const char* const FuenteMenu = "DFFontMenu_DATA";    // menu options, pause box, name entry
const char* const PaletaMenu = "DFFontMenu_PAL";
const char* const FuenteNieve = "DFFontNieve_DATA";  // the title words
const char* const PaletaNieve = "DFFontNieve_Pal";
const char* const FuenteMin = "DFFontMin_DATA";      // the version text of the name entry
const char* const PaletaMin = "DFFontMin_PAL";
const char* const FuenteCreditos = "DFFontCredit_DATA";
const char* const PaletaCreditos = "DFFontCredit_PAL";

// ---------------------------------------------------------------- the sprite sheets

// Both sheets: this size, pure magenta (the 16-bit value) where transparent.
const int AnchoHoja = 448;
const int AltoHoja = 1043;
const int ColorMascara = 0xF81F;

// Top rows of the six right-going vehicles; the left-going ones, mirrored,
// lie BajadaIzquierda rows lower. Frame f of each lies f widths to the right.
const int FilaVehiculo[TotalVehiculos] = {0, 48, 96, 128, 160, 192};
const int BajadaIzquierda = 224;

// The hero: his four facings one below the other (two frames side by side),
// and the skis he carries (two frames) to the right of them.
const int FilaZumbelo = 448;
const int XSki = 64;

// The skier heading straight down (32 x 44), then the four other headings.
const int FilaEsquiador = 576;
const int AltoEsquiadorRecto = 44;
const int FilaEsquiadorGiro = 620;

// Eight flags side by side, left and right flag of each of the four frames.
const int FilaBanderas = 780;
const int FilaMonton = 812;
const int FilaPinos = 822;     // two trees side by side
const int FilaChoque = 886;    // three crash frames side by side

// The finish: one post and the banner laid over both posts.
const int FilaPoste = 931;
const int AltoPoste = 64;
const int FilaPancarta = 995;
const int AnchoPancarta = 128, AltoPancarta = 48;
// The banner stretched over each arch: short of the arch's full width.
const int PancartaM1 = 83, PancartaM2 = 133;

// ---------------------------------------------------------------- the format

// A chunk identifier: four characters, the first in the high byte.
constexpr uint32_t IdDatos(char a, char b, char c, char d)
{
    return (static_cast<uint32_t>(static_cast<uint8_t>(a)) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 8) | static_cast<uint8_t>(d);
}

const uint32_t MagicoSinComprimir = 0x736C682E;  // "slh.": a packfile stored plain
const uint32_t MagicoDatos = IdDatos('A', 'L', 'L', '.');
const uint32_t MagicoPropiedad = IdDatos('p', 'r', 'o', 'p');
const uint32_t PropiedadNombre = IdDatos('N', 'A', 'M', 'E');
const uint32_t TipoMuestra = IdDatos('S', 'A', 'M', 'P');
const uint32_t TipoBitmap = IdDatos('B', 'M', 'P', ' ');
const uint32_t TipoFuente = IdDatos('F', 'O', 'N', 'T');
const uint32_t TipoPaleta = IdDatos('P', 'A', 'L', ' ');
const uint32_t TipoMidi = IdDatos('M', 'I', 'D', 'I');

const int PistasMidi = 32;                   // the library reads this many tracks of every tune
const size_t LargoPaleta = size_t{256} * 4;  // 256 colours of 4 bytes
const size_t CabeceraObjeto = 12;            // type, stored size, real size

#endif
