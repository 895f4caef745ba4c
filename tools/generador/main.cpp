// The asset generator: draws, renders and synthesizes every object of
// datos.dat and writes the file given on the command line. The objects the
// game reads by position are placed at their fixed indices; the named fonts
// and palettes fill the free places.
#include <cstdio>

#include "Datafile.h"
#include "Fuentes.h"
#include "Imagenes.h"
#include "Musica.h"
#include "Sonidos.h"

namespace {

int fallos = 0;

// Checks that an object landed at the index the game reads it from.
void Comprueba(int indice, int esperado, const char* nombre)
{
    if (indice != esperado) {
        std::fprintf(stderr, "generador: %s at index %d, expected %d\n", nombre, indice, esperado);
        fallos++;
    }
}

void FuenteConPaleta(Datafile& d, int (*haz)(FuenteColor&), const char* fuente, int indiceFuente,
                     FuenteColor& f)
{
    if (haz(f) != 0) {
        std::fprintf(stderr, "generador: cannot render %s\n", fuente);
        fallos++;
    }
    Comprueba(d.AgregaFuente(fuente, f.fuente), indiceFuente, fuente);
}

void Tune(Datafile& d, const char* nombre, const Tema& t, int indice)
{
    if (t.pistas.empty()) {
        std::fprintf(stderr, "generador: tune %s could not be arranged\n", nombre);
        fallos++;
    }
    Comprueba(d.AgregaMidi(nombre, t), indice, nombre);
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

    Comprueba(d.AgregaMuestra("SAhh", HazAhh()), 0, "SAhh");
    Comprueba(d.AgregaMuestra("SSirena", HazSirena()), 1, "SSirena");
    Comprueba(d.AgregaMuestra("SAplauso", HazAplauso()), 2, "SAplauso");
    Comprueba(d.AgregaBitmap("Carretera0", DibujaCarretera(0)), 3, "Carretera0");
    Comprueba(d.AgregaBitmap("Carretera1", DibujaCarretera(1)), 4, "Carretera1");
    Comprueba(d.AgregaMuestra("SCaja", HazCaja()), 5, "SCaja");
    Comprueba(d.AgregaBitmap("FondoCreditos", DibujaFondoCreditos()), 6, "FondoCreditos");
    Comprueba(d.AgregaMuestra("SExtra", HazExtra()), 7, "SExtra");
    Comprueba(d.AgregaMuestra("SFin", HazFin()), 8, "SFin");
    FuenteConPaleta(d, HazFuenteJuego, "DFFontGame_DATA", 9, juego);
    Comprueba(d.AgregaPaleta("DFFontGame_PAL", juego.paleta), 10, "DFFontGame_PAL");
    FuenteConPaleta(d, HazFuenteMenu, "DFFontMenu_DATA", 11, menu);
    Comprueba(d.AgregaPaleta("DFFontMenu_PAL", menu.paleta), 12, "DFFontMenu_PAL");
    FuenteConPaleta(d, HazFuenteNieve, "DFFontNieve_DATA", 13, nieve);
    Comprueba(d.AgregaPaleta("DFFontNieve_Pal", nieve.paleta), 14, "DFFontNieve_Pal");
    if (HazFuenteVersion(version) != 0) {
        std::fprintf(stderr, "generador: cannot render the version font\n");
        fallos++;
    }
    Comprueba(d.AgregaFuente("FuenteVersion", version), 15, "FuenteVersion");
    FuenteConPaleta(d, HazFuenteMin, "DFFontMin_DATA", 16, min);
    Comprueba(d.AgregaPaleta("DFFontMin_PAL", min.paleta), 17, "DFFontMin_PAL");
    FuenteConPaleta(d, HazFuenteCreditos, "DFFontCredit_DATA", 18, creditos);
    Comprueba(d.AgregaMuestra("SGolpe", HazGolpe()), 19, "SGolpe");
    Comprueba(d.AgregaBitmap("Titulo", DibujaTitulo()), 20, "Titulo");
    Tune(d, "MMenu", HazTemaMenu(), 21);
    Tune(d, "MNivel0", HazTemaNivel(0), 22);
    Tune(d, "MNivel1", HazTemaNivel(1), 23);
    Tune(d, "MNivel2", HazTemaNivel(2), 24);
    Tune(d, "MNivel3", HazTemaNivel(3), 25);
    Comprueba(d.AgregaMuestra("SCrujido", HazCrujido()), 26, "SCrujido");
    Comprueba(d.AgregaMuestra("SSki", HazRaspado()), 27, "SSki");
    Comprueba(d.AgregaBitmap("Hoja0", DibujaHoja(0)), 28, "Hoja0");
    Comprueba(d.AgregaBitmap("Hoja1", DibujaHoja(1)), 29, "Hoja1");
    Comprueba(d.AgregaPaleta("DFFontCredit_PAL", creditos.paleta), 30, "DFFontCredit_PAL");

    if (fallos > 0)
        return 1;
    if (d.Escribe(argv[1]) != 0) {
        std::fprintf(stderr, "generador: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
