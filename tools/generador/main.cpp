// The asset generator: draws, renders and synthesizes every object of
// datos.dat and writes the file given on the command line. Each object is put
// at the index the game reads it from (Datos.h); the file is written only
// when every place is filled.
#include <cstdio>

#include "Datafile.h"
#include "Datos.h"
#include "Fuentes.h"
#include "Imagenes.h"
#include "Musica.h"
#include "Sonidos.h"

namespace {

int fallos = 0;

void FuenteConPaleta(Datafile& d, int (*haz)(FuenteColor&), int indiceFuente, const char* fuente,
                     FuenteColor& f)
{
    if (haz(f) != 0) {
        std::fprintf(stderr, "generador: cannot render %s\n", fuente);
        fallos++;
    }
    d.PonFuente(indiceFuente, fuente, f.fuente);
}

void Tune(Datafile& d, int indice, const char* nombre, const Tema& t)
{
    if (t.pistas.empty()) {
        std::fprintf(stderr, "generador: tune %s could not be arranged\n", nombre);
        fallos++;
    }
    d.PonMidi(indice, nombre, t);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: generador OUTPUT.dat\n");
        return 1;
    }
    Datafile d;
    FuenteColor juego, menu, nieve, min, creditos;
    Fuente version;

    d.PonMuestra(DatAhh, "SAhh", HazAhh());
    d.PonMuestra(DatSirena, "SSirena", HazSirena());
    d.PonMuestra(DatAplauso, "SAplauso", HazAplauso());
    d.PonBitmap(DatCarretera0, "Carretera0", DibujaCarretera(0));
    d.PonBitmap(DatCarretera1, "Carretera1", DibujaCarretera(1));
    d.PonMuestra(DatCaja, "SCaja", HazCaja());
    d.PonBitmap(DatFondoCreditos, "FondoCreditos", DibujaFondoCreditos());
    d.PonMuestra(DatExtra, "SExtra", HazExtra());
    d.PonMuestra(DatFin, "SFin", HazFin());
    FuenteConPaleta(d, HazFuenteJuego, DatFuenteJuego, FuenteJuego, juego);
    d.PonPaleta(DatPaletaJuego, PaletaJuego, juego.paleta);
    FuenteConPaleta(d, HazFuenteMenu, DatFuenteMenu, FuenteMenu, menu);
    d.PonPaleta(DatPaletaMenu, PaletaMenu, menu.paleta);
    FuenteConPaleta(d, HazFuenteNieve, DatFuenteNieve, FuenteNieve, nieve);
    d.PonPaleta(DatPaletaNieve, PaletaNieve, nieve.paleta);
    if (HazFuenteVersion(version) != 0) {
        std::fprintf(stderr, "generador: cannot render the version font\n");
        fallos++;
    }
    d.PonFuente(DatFuenteVersion, "FuenteVersion", version);
    FuenteConPaleta(d, HazFuenteMin, DatFuenteMin, FuenteMin, min);
    d.PonPaleta(DatPaletaMin, PaletaMin, min.paleta);
    FuenteConPaleta(d, HazFuenteCreditos, DatFuenteCreditos, FuenteCreditos, creditos);
    d.PonMuestra(DatGolpe, "SGolpe", HazGolpe());
    d.PonBitmap(DatTitulo, "Titulo", DibujaTitulo());
    Tune(d, DatMusicaMenu, "MMenu", HazTemaMenu());
    Tune(d, DatMusicaNivel0, "MNivel0", HazTemaNivel(0));
    Tune(d, DatMusicaNivel1, "MNivel1", HazTemaNivel(1));
    Tune(d, DatMusicaNivel2, "MNivel2", HazTemaNivel(2));
    Tune(d, DatMusicaNivel3, "MNivel3", HazTemaNivel(3));
    d.PonMuestra(DatCrujido, "SCrujido", HazCrujido());
    d.PonMuestra(DatEsqui, "SSki", HazRaspado());
    d.PonBitmap(DatHoja0, "Hoja0", DibujaHoja(0));
    d.PonBitmap(DatHoja1, "Hoja1", DibujaHoja(1));
    d.PonPaleta(DatPaletaCreditos, PaletaCreditos, creditos.paleta);

    // Every object of the contract, and nothing besides.
    if (d.Cuantos() != DatObjetos || d.Hueco() >= 0) {
        std::fprintf(stderr, "generador: %d objects, expected %d; index %d left empty\n", d.Cuantos(),
                     static_cast<int>(DatObjetos), d.Hueco());
        fallos++;
    }
    if (fallos > 0)
        return 1;
    if (d.Escribe(argv[1]) != 0) {
        std::fprintf(stderr, "generador: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
